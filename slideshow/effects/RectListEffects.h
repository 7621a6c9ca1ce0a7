// The rectangle-list effects: bars, uneven shreds, criss-cross patterns, speckles, random
// squares, blinds and growing rectangles, each revealing the new picture through one region
// built from a list of rectangles (styles 60-68, 71-79, 86-109, 123-127, 136-142, 145-148).
#pragma once

#include <optional>

#include "graphics/Region.h"
#include "slideshow/effects/ComplexRegion.h"
#include "slideshow/effects/EffectDecl.h"

namespace tarn {

// Alternating bars e = min(W, H) div 50 + 1 thick. Modes: 1 grows from the right (bottom), 2 from
// the left (top), 3 both ways at once, 4 left then right (top then bottom), 5 right then left
// (bottom then top); 0 leaves that direction out. Two-phase modes take twice the extent.
std::optional<Region> CreateBarsRgn(int HExt, int VExt, int W, int H, int HMode, int VMode);
// Strips min(W, H) div 200 + 1 thick of random length around the extent (the generator is not
// reseeded). Modes: 1 from the right (bottom), 2 from the left (top), 3 out from the middle,
// 4 in from both sides.
std::optional<Region> CreateShredRgn(int HExt, int VExt, int W, int H, int HMode, int VMode);
// A solid front plus random specks ahead of it. Modes: 1 from the right (bottom), 2 from the left
// (top).
std::optional<Region> CreateSpeckleRgn(int HExt, int VExt, int W, int H, int HMode, int VMode);

// The same rectangles added to a list, which the effects reveal without building the region.
void AddBarsRects(TComplexRegion& list, int HExt, int VExt, int W, int H, int HMode, int VMode);
void AddShredRects(TComplexRegion& list, int HExt, int VExt, int W, int H, int HMode, int VMode);
void AddSpeckleRects(TComplexRegion& list, int HExt, int VExt, int W, int H, int HMode, int VMode);

TARN_EFFECT_PROC(BarsInFromRight);                   // 60
TARN_EFFECT_PROC(BarsInFromLeft);                    // 61
TARN_EFFECT_PROC(BarsLeftThenRight);                 // 62
TARN_EFFECT_PROC(BarsRightThenLeft);                 // 63
TARN_EFFECT_PROC(BarsFromBothSides);                 // 64
TARN_EFFECT_PROC(ShredFromRight);                    // 65
TARN_EFFECT_PROC(ShredFromLeft);                     // 66
TARN_EFFECT_PROC(ShredOutFromMiddleHoriz);           // 67
TARN_EFFECT_PROC(ShredInToMiddleHoriz);              // 68
TARN_EFFECT_PROC(BarsFromBottom);                    // 71
TARN_EFFECT_PROC(BarsFromTop);                       // 72
TARN_EFFECT_PROC(BarsTopThenBottom);                 // 73
TARN_EFFECT_PROC(BarsBottomThenTop);                 // 74
TARN_EFFECT_PROC(BarsFromTopAndBottom);              // 75
TARN_EFFECT_PROC(ShredFromBottom);                   // 76
TARN_EFFECT_PROC(ShredFromTop);                      // 77
TARN_EFFECT_PROC(ShredFromHorizon);                  // 78
TARN_EFFECT_PROC(ShredInToHorizon);                  // 79
TARN_EFFECT_PROC(CrissCrossFromBottomRight);         // 86
TARN_EFFECT_PROC(CrissCrossFromTopRight);            // 87
TARN_EFFECT_PROC(CrissCrossFromBottomLeft);          // 88
TARN_EFFECT_PROC(CrissCrossFromTopLeft);             // 89
TARN_EFFECT_PROC(CrissCrossBounceFromTopLeft);       // 90
TARN_EFFECT_PROC(CrissCrossBounceFromBottomLeft);    // 91
TARN_EFFECT_PROC(CrissCrossBounceFromTopRight);      // 92
TARN_EFFECT_PROC(CrissCrossBounceFromBottomRight);   // 93
TARN_EFFECT_PROC(CrissCrossFromRightTopAndBottom);   // 94
TARN_EFFECT_PROC(CrissCrossFromLeftTopAndBottom);    // 95
TARN_EFFECT_PROC(CrissCrossFromLeftRightAndBottom);  // 96
TARN_EFFECT_PROC(CrissCrossFromLeftRightAndTop);     // 97
TARN_EFFECT_PROC(CrissCrossFromAllSides);            // 98
TARN_EFFECT_PROC(CrissCrossFromBottomLeftTopRight);  // 99
TARN_EFFECT_PROC(ShredFromBottomAndRight);           // 100
TARN_EFFECT_PROC(ShredFromTopAndRight);              // 101
TARN_EFFECT_PROC(ShredFromBottomAndLeft);            // 102
TARN_EFFECT_PROC(ShredFromTopAndLeft);               // 103
TARN_EFFECT_PROC(ShredFromHorizAndRight);            // 104
TARN_EFFECT_PROC(ShredFromHorizAndLeft);             // 105
TARN_EFFECT_PROC(ShredFromBottomAndVertMiddle);      // 106
TARN_EFFECT_PROC(ShredFromTopAndVertMiddle);         // 107
TARN_EFFECT_PROC(ShredFromCentre);                   // 108
TARN_EFFECT_PROC(ShredToCentre);                     // 109
TARN_EFFECT_PROC(SpeckleFromRight);                  // 123
TARN_EFFECT_PROC(SpeckleFromLeft);                   // 124
TARN_EFFECT_PROC(SpeckleFromBottom);                 // 125
TARN_EFFECT_PROC(SpeckleFromTop);                    // 126
TARN_EFFECT_PROC(RandomSquares);                     // 127
TARN_EFFECT_PROC(BlindVertically);                   // 136
TARN_EFFECT_PROC(BlindHorizontally);                 // 137
TARN_EFFECT_PROC(UnevenBlindFromLeft);               // 138
TARN_EFFECT_PROC(UnevenBlindFromRight);              // 139
TARN_EFFECT_PROC(UnevenBlindFromTop);                // 140
TARN_EFFECT_PROC(UnevenBlindFromBottom);             // 141
TARN_EFFECT_PROC(RectangularShred);                  // 142
TARN_EFFECT_PROC(RectanglesFromLeft);                // 145
TARN_EFFECT_PROC(RectanglesFromRight);               // 146
TARN_EFFECT_PROC(RectanglesFromTop);                 // 147
TARN_EFFECT_PROC(RectanglesFromBottom);              // 148

}  // namespace tarn

// The block-copy effects: wipes, slides, squeezes, zooms, rolls, smears and pushes drawn with a
// few rectangular copies or nearest-pixel stretches (styles 1-57 and 128-135).
#pragma once

#include "graphics/Bitmap32.h"
#include "slideshow/effects/EffectDecl.h"

namespace tarn {

// Darkens the Count columns from Left with a tent of offsets that starts at -Depth at the edges
// and rises toward the middle (the shading of a roll); each offset is added to blue, green and
// red of every row, clamped to 0..255. Nothing happens for Count <= 1 or Depth = 0.
void ShadeColumns(Bitmap32& Screen, int Depth, int Left, int Count);
// The same across the Count rows from Top, starting from the strip's bottom row.
void ShadeRows(Bitmap32& Screen, int Depth, int Top, int Count);

TARN_EFFECT_PROC(ExpandFromRight);           // 1
TARN_EFFECT_PROC(ExpandFromLeft);            // 2
TARN_EFFECT_PROC(SlideInFromRight);          // 3
TARN_EFFECT_PROC(SlideInFromLeft);           // 4
TARN_EFFECT_PROC(RevealFromLeft);            // 5
TARN_EFFECT_PROC(RevealFromRight);           // 6
TARN_EFFECT_PROC(ExpandInFromRight);         // 7
TARN_EFFECT_PROC(ExpandInFromLeft);          // 8
TARN_EFFECT_PROC(ExpandInToMiddle);          // 9
TARN_EFFECT_PROC(ExpandOutFromMiddle);       // 10
TARN_EFFECT_PROC(RevealOutFromMiddle);       // 11
TARN_EFFECT_PROC(RevealInFromSides);         // 12
TARN_EFFECT_PROC(ExpandInFromSides);         // 13
TARN_EFFECT_PROC(UnrollFromLeft);            // 14
TARN_EFFECT_PROC(UnrollFromRight);           // 15
TARN_EFFECT_PROC(BuildUpFromRight);          // 16
TARN_EFFECT_PROC(BuildUpFromLeft);           // 17
TARN_EFFECT_PROC(ExpandFromBottom);          // 18
TARN_EFFECT_PROC(ExpandFromTop);             // 19
TARN_EFFECT_PROC(SlideInFromBottom);         // 20
TARN_EFFECT_PROC(SlideInFromTop);            // 21
TARN_EFFECT_PROC(RevealFromTop);             // 22
TARN_EFFECT_PROC(RevealFromBottom);          // 23
TARN_EFFECT_PROC(ExpandInFromBottom);        // 24
TARN_EFFECT_PROC(ExpandInFromTop);           // 25
TARN_EFFECT_PROC(ExpandInToMiddleHoriz);     // 26
TARN_EFFECT_PROC(ExpandOutFromMiddleHoriz);  // 27
TARN_EFFECT_PROC(RevealFromMiddleHoriz);     // 28
TARN_EFFECT_PROC(SlideInFromTopBottom);      // 29
TARN_EFFECT_PROC(ExpandInFromTopBottom);     // 30
TARN_EFFECT_PROC(UnrollFromTop);             // 31
TARN_EFFECT_PROC(UnrollFromBottom);          // 32
TARN_EFFECT_PROC(BuildUpFromTop);            // 33 ("Expand from bottom": the smear grows downward)
TARN_EFFECT_PROC(BuildUpFromBottom);         // 34 ("Expand in from top": the smear grows upward)
TARN_EFFECT_PROC(ExpandFromBottomRight);     // 35
TARN_EFFECT_PROC(ExpandFromTopRight);        // 36
TARN_EFFECT_PROC(ExpandFromTopLeft);         // 37
TARN_EFFECT_PROC(ExpandFromBottomLeft);      // 38
TARN_EFFECT_PROC(SlideInFromBottomRight);    // 39
TARN_EFFECT_PROC(SlideInFromTopRight);       // 40
TARN_EFFECT_PROC(SlideInFromTopLeft);        // 41
TARN_EFFECT_PROC(SlideInFromBottomLeft);     // 42
TARN_EFFECT_PROC(RevealFromTopLeft);         // 43
TARN_EFFECT_PROC(RevealFromBottomLeft);      // 44
TARN_EFFECT_PROC(RevealFromBottomRight);     // 45
TARN_EFFECT_PROC(RevealFromTopRight);        // 46
TARN_EFFECT_PROC(ContractToTopLeft);         // 47
TARN_EFFECT_PROC(ContractToBottomLeft);      // 48
TARN_EFFECT_PROC(ContractToBottomRight);     // 49
TARN_EFFECT_PROC(ContractToTopRight);        // 50
TARN_EFFECT_PROC(ContractToMiddle);          // 51
TARN_EFFECT_PROC(ExpandOutFromCentre);       // 52
TARN_EFFECT_PROC(RevealOutFromCentre);       // 53
TARN_EFFECT_PROC(RevealInToCentre);          // 54
TARN_EFFECT_PROC(QuartersRevealInToMiddle);  // 55
TARN_EFFECT_PROC(QuartersExpandToMiddle);    // 56
TARN_EFFECT_PROC(QuartersSlideInToMiddle);   // 57
TARN_EFFECT_PROC(PushRight);                 // 128
TARN_EFFECT_PROC(PushLeft);                  // 129
TARN_EFFECT_PROC(PushAndSqueezeRight);       // 130
TARN_EFFECT_PROC(PushAndSqueezeLeft);        // 131
TARN_EFFECT_PROC(PushDown);                  // 132
TARN_EFFECT_PROC(PushUp);                    // 133
TARN_EFFECT_PROC(PushAndSqueezeDown);        // 134
TARN_EFFECT_PROC(PushAndSqueezeUp);          // 135

}  // namespace tarn

// The shape effects: the new picture shows through rounded rectangles, ellipses, polygons,
// sectors, rotated shapes, grids of small shapes and exclusive-or constructions (styles 58-59,
// 69-70, 80-85, 110-117, 143-144 and 149-167).
#pragma once

#include "graphics/Region.h"
#include "slideshow/effects/EffectDecl.h"

namespace tarn {

// A pie-shaped polygon: the centre plus Count points on the circle of radius r, at the angles
// Start + k (End - Start) / Count for k = 0 .. Count - 1 (so the last point lies one step short
// of End). Angles in radians, clockwise on screen.
Region CreateSectorRgn(int cx, int cy, int r, int Count, long double End, long double Start);

TARN_EFFECT_PROC(CurvedRevealFromLeft);         // 58
TARN_EFFECT_PROC(CurvedRevealFromRight);        // 59
TARN_EFFECT_PROC(CurvedRevealFromTop);          // 69
TARN_EFFECT_PROC(CurvedRevealFromBottom);       // 70
TARN_EFFECT_PROC(CurvedRevealFromTopLeft);      // 80
TARN_EFFECT_PROC(CurvedRevealFromTopRight);     // 81
TARN_EFFECT_PROC(CurvedRevealFromBottomLeft);   // 82
TARN_EFFECT_PROC(CurvedRevealFromBottomRight);  // 83
TARN_EFFECT_PROC(EllipticRevealOutFromCentre);  // 84
TARN_EFFECT_PROC(EllipticRevealInToCentre);     // 85
TARN_EFFECT_PROC(DiagonalFromTopLeft);          // 110
TARN_EFFECT_PROC(DiagonalFromTopRight);         // 111
TARN_EFFECT_PROC(DiagonalFromBottomLeft);       // 112
TARN_EFFECT_PROC(DiagonalFromBottomRight);      // 113
TARN_EFFECT_PROC(DiagonalSweepAnticlockwise);   // 114
TARN_EFFECT_PROC(DiagonalSweepClockwise);       // 115
TARN_EFFECT_PROC(StarburstClockwise);           // 116
TARN_EFFECT_PROC(TriangularShred);              // 117
TARN_EFFECT_PROC(SweepClockwise);               // 143
TARN_EFFECT_PROC(SweepAnticlockwise);           // 144
TARN_EFFECT_PROC(RotationalRectangle);          // 149
TARN_EFFECT_PROC(RotationalStar);               // 150
TARN_EFFECT_PROC(SpiralRectangle);              // 151
TARN_EFFECT_PROC(CircularShred);                // 152
TARN_EFFECT_PROC(RevealVFromLeft);              // 153
TARN_EFFECT_PROC(RevealVFromRight);             // 154
TARN_EFFECT_PROC(RevealVFromTop);               // 155
TARN_EFFECT_PROC(RevealVFromBottom);            // 156
TARN_EFFECT_PROC(BowTieHorizontal);             // 157
TARN_EFFECT_PROC(BowTieVertical);               // 158
TARN_EFFECT_PROC(DiagonalCrossIn);              // 159
TARN_EFFECT_PROC(DiagonalCrossOut);             // 160
TARN_EFFECT_PROC(StarburstAnticlockwise);       // 161
TARN_EFFECT_PROC(ZigzagHorizontal);             // 162
TARN_EFFECT_PROC(ZigzagVertical);               // 163
TARN_EFFECT_PROC(DiamondShred);                 // 164
TARN_EFFECT_PROC(RevealDiamondOutFromCentre);   // 165
TARN_EFFECT_PROC(RevealDiamondInToCentre);      // 166
TARN_EFFECT_PROC(DiagonalBoxOut);               // 167

}  // namespace tarn

// The per-pixel effects: cross-fade, pivots about a corner, pixelate and the random dissolves
// (styles 118-122 and 168-171). They work on the 32-bit rows directly, with integer arithmetic
// inside the loops.
#pragma once

#include "graphics/Bitmap32.h"
#include "slideshow/effects/EffectDecl.h"

namespace tarn {

// Blends Picture into the Cols x Rows block of Screen at (Left, Top) (clipped to the bitmaps):
// with w = MulDiv(256, Percent, 100), each of blue, green and red becomes
// s + floor(w (p - s) / 256); the fourth byte stays.
void BlendArea(Bitmap32& Screen, const Bitmap32& Picture, int Percent, int Rows, int Cols, int Top,
               int Left);

// Draws Picture turned by Angle about the pivot (PX, PY) onto Screen by inverse mapping in 16.16
// fixed point. PX counts columns from the left, PY rows from the bottom; pixels whose source
// falls outside Picture keep the old picture.
void RotatePicture(Bitmap32& Screen, const Bitmap32& Picture, int PX, int PY, long double Angle);

TARN_EFFECT_PROC(Fade);                  // 118
TARN_EFFECT_PROC(PivotFromTopLeft);      // 119
TARN_EFFECT_PROC(PivotFromBottomLeft);   // 120
TARN_EFFECT_PROC(PivotFromTopRight);     // 121
TARN_EFFECT_PROC(PivotFromBottomRight);  // 122
TARN_EFFECT_PROC(Pixelate);              // 168
TARN_EFFECT_PROC(Dissolve);              // 169
TARN_EFFECT_PROC(RandomBarsHorizontal);  // 170
TARN_EFFECT_PROC(RandomBarsVertical);    // 171

}  // namespace tarn

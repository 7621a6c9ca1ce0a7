// The transition engine: the table of the 171 transition effects, indexed by style 1..171, the
// routine contract they share and the extents a frame is drawn for.
#pragma once

#include <span>
#include <string_view>

#include "base/Geometry.h"
#include "graphics/Bitmap32.h"

namespace tarn {

// Draws one frame. On entry Screen holds the old picture, whole; Picture is the new one, the
// same W x H. X and Y are the extents reached (TransitionExtent), Progress is 1..99. The routine
// leaves Screen without a clip and releases every region it makes, also when drawing fails.
using TEffectProc = void (*)(Bitmap32& Screen, const Bitmap32& Picture, int W, int H, int X, int Y,
                             int Progress);

struct TEffect {
  const char* Name;
  TEffectProc Proc;
};

inline constexpr int EffectCount = 171;

// The rows in style order: Effects()[Style - 1].
std::span<const TEffect, EffectCount> Effects();
// The row of a style, or null for 0 ("Custom", no row) and anything outside 1..171.
const TEffect* FindEffect(int Style);
// The first style whose name equals Name (ASCII case ignored), or 0.
int FindEffectByName(std::string_view Name);

// X and Y for a frame: the longer side advances Progress percent of its length and the other
// follows in proportion (MulDiv, rounded to nearest).
TPoint TransitionExtent(int W, int H, int Progress);

// Draws the frame of Style at Progress onto Screen the way the picture show does: at 0 or below
// nothing changes, at 100 or above Picture is copied whole, otherwise the style's routine runs.
// Screen and Picture must have the same size; raises Exception otherwise or for an unknown style.
void DrawEffectFrame(int Style, Bitmap32& Screen, const Bitmap32& Picture, int Progress);

}  // namespace tarn

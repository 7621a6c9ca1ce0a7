// The slideshow pictures' parts: a common ground and heading, and one illustration each.
#pragma once

#include "tools/artwork/Compose.h"

namespace tarn::artwork {

constexpr int kBannerWidth = 503;
constexpr int kBannerHeight = 186;

void DrawHdScreen(Image& image);     // a wide screen with a sunset scene and an HD badge
void DrawFormatTiles(Image& image);  // tiles of the file formats the player opens
void DrawSkinWindows(Image& image);  // three player windows in different skins
void DrawSpeedGauge(Image& image);   // a gauge at full speed with motion streaks

}  // namespace tarn::artwork

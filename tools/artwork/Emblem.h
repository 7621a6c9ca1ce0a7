// The player's emblem: a glossy blue tile with a white play mark. The title-bar logo, the side
// picture, the page header and the slideshow pictures all carry it, at sizes from 16 pixels up.
#pragma once

#include "tools/artwork/Compose.h"

namespace tarn::artwork {

// Draws the emblem `size` pixels square with its top-left at (x, y).
void DrawEmblem(Image& image, float x, float y, float size, float opacity = 1.f);

}  // namespace tarn::artwork

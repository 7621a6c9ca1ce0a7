// Cuts an SDL window on X11 to a set of rectangles with the shape extension (kept apart from the
// SDL host because Xlib's macros clash with ordinary names).
#pragma once

#include <vector>

#include "base/Geometry.h"

struct SDL_Window;

namespace tarn {

// rects: the window's visible part in window coordinates, banded top to bottom; none restores
// the full rectangle. False when the window is not on X11 or the display has no shape extension.
bool SetX11WindowShape(SDL_Window* window, const std::vector<TRect>* rects);

}  // namespace tarn

// Built-in old and new pictures for looking at transitions without image files: each is easy
// to tell apart from the other, and its corners, centre and lettering show where a piece of it
// has been moved, stretched or mirrored to.
#pragma once

#include <string_view>

#include "graphics/Bitmap32.h"

namespace tarn::effectframe {

// "old": cool blue checkerboard; "new": warm rings with numbered corners. Returns false for
// any other name.
bool MakeTestPattern(std::string_view name, int width, int height, Bitmap32& out);

}  // namespace tarn::effectframe

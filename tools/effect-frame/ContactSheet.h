// The contact sheet: every chosen style drawn at several progress values, shrunk and laid out
// in labelled rows, so that a person can look over all transitions at a glance.
#pragma once

#include <vector>

#include "graphics/Bitmap32.h"

namespace tarn::effectframe {

struct SheetLayout {
  std::vector<int> Styles;
  std::vector<int> Progress;
  int Scale = 3;    // thumbnails are the frame shrunk by this factor (area average)
  int Columns = 3;  // panels of style rows side by side
};

// oldPic and newPic have the same size.
Bitmap32 RenderContactSheet(const Bitmap32& oldPic, const Bitmap32& newPic,
                            const SheetLayout& layout);

// The frame shrunk by an integer factor, each target pixel the average of its source block.
Bitmap32 Shrink(const Bitmap32& frame, int scale);

}  // namespace tarn::effectframe

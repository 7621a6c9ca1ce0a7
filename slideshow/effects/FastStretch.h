// Nearest-pixel stretch for the effects' full-frame zooms and squeezes: the same pixels as
// Bitmap32::StretchBlock (its sampling map, stepped rather than divided per pixel), but a destination row whose columns map 1:1 is
// copied in one piece, and a row that repeats the source row of the row before it is copied
// from that row, so vertical squeezes run at block-copy speed and zooms gather each distinct row
// once.
#pragma once

#include "graphics/Bitmap32.h"

namespace tarn {

// The source block (sx, sy, sw, sh) onto the destination block (x, y, w, h); negative w or h
// mirror. Source and destination may be the same bitmap (the block is read first). A clip on
// the destination is honoured by handing the call to Bitmap32::StretchBlock.
void FastStretch(Bitmap32& Dest, int x, int y, int w, int h, const Bitmap32& Source, int sx, int sy,
                 int sw, int sh);

}  // namespace tarn

// The common frame of the region effects: the new picture inside a region (or a list of
// rectangles), the old one outside it. Screen carries no clip while an effect runs; the one
// effect that clips (an excluded rectangle) removes it again on every path with ClipGuard.
#pragma once

#include <optional>
#include <span>

#include "graphics/Bitmap32.h"
#include "graphics/Region.h"

namespace tarn {

// Selects a clip on construction (or adopts one already set up on the bitmap) and removes it
// on destruction, so no path can leave Screen clipped.
class ClipGuard {
 public:
  explicit ClipGuard(Bitmap32& bitmap) : bitmap_(bitmap) {}
  ClipGuard(Bitmap32& bitmap, const Region& region) : bitmap_(bitmap) { bitmap.SelectClip(region); }
  ~ClipGuard() { bitmap_.RemoveClip(); }
  ClipGuard(const ClipGuard&) = delete;
  ClipGuard& operator=(const ClipGuard&) = delete;

 private:
  Bitmap32& bitmap_;
};

// Shows Picture inside R and leaves the old picture outside it: the frame that selecting R as
// Screen's clip and copying the whole picture gives, without copying R into a clip.
void RevealThrough(Bitmap32& Screen, const Bitmap32& Picture, const Region& R);
// The same; none (nothing was added to a rectangle list) draws nothing.
void RevealThrough(Bitmap32& Screen, const Bitmap32& Picture, const std::optional<Region>& R);

// Shows Picture inside the union of the rectangles and the old picture elsewhere: the same
// frame as clipping to the union and copying, without building the region. Copying a pixel of
// Picture onto its own place twice changes nothing, so the rectangles may overlap; wide ones are
// copied as blocks, narrow ones (shreds, specks, thin bars) through a sweep over the rows that
// counts how many of them cover each column, which stays cheap with thousands of them. Screen
// must carry no clip.
void RevealRects(Bitmap32& Screen, const Bitmap32& Picture, std::span<const TRect> rects);

}  // namespace tarn

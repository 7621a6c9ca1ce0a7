// The common frame of the region effects: clip Screen to a region, copy the whole new picture,
// remove the clip again, on every path.
#pragma once

#include <optional>

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

// Shows Picture inside R and leaves the old picture outside it.
void RevealThrough(Bitmap32& Screen, const Bitmap32& Picture, const Region& R);
// The same; none (nothing was added to a rectangle list) draws nothing.
void RevealThrough(Bitmap32& Screen, const Bitmap32& Picture, const std::optional<Region>& R);

}  // namespace tarn

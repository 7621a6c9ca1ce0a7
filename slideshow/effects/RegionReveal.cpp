#include "slideshow/effects/RegionReveal.h"

namespace tarn {

void RevealThrough(Bitmap32& Screen, const Bitmap32& Picture, const Region& R) {
  if (R.IsEmpty()) return;
  ClipGuard clip(Screen, R);
  Screen.CopyBlock(0, 0, Picture.Width(), Picture.Height(), Picture, 0, 0);
}

void RevealThrough(Bitmap32& Screen, const Bitmap32& Picture, const std::optional<Region>& R) {
  if (R) RevealThrough(Screen, Picture, *R);
}

}  // namespace tarn

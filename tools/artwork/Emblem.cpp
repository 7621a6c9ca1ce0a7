#include "tools/artwork/Emblem.h"

#include "tools/artwork/Palette.h"

namespace tarn::artwork {

void DrawEmblem(Image& image, float x, float y, float size, float opacity) {
  using namespace palette;
  const float s = size;
  const float radius = s * 0.24f;
  const Shape tile = RoundBox(x, y, x + s, y + s, radius);
  if (s >= 32)
    image.Shadow(tile, 0, static_cast<int>(s * 0.05f), static_cast<int>(s * 0.06f),
                 Alpha(kBrandDeep, 0.45f * opacity));
  image.Fill(tile,
             Linear(x, y, x, y + s, {{0.f, Hex(0x6CC3F7)}, {0.5f, kBrandLight}, {1.f, kBrand}}),
             opacity);
  // Gloss over the upper half: a large circle cut to the tile.
  image.Fill(
      Intersect(tile, Circle(x + s * 0.5f, y - s * 0.55f, s * 1.02f)),
      Linear(x, y, x, y + s * 0.5f, {{0.f, Alpha(kWhite, 0.55f)}, {1.f, Alpha(kWhite, 0.12f)}}),
      opacity);
  // A darker rim keeps the tile's edge on light and dark grounds alike.
  const float rim = s >= 32 ? s * 0.03f : 0.8f;
  image.Fill(Subtract(tile, RoundBox(x + rim, y + rim, x + s - rim, y + s - rim, radius - rim)),
             Solid(Alpha(kBrandDeep, 0.55f)), opacity);
  // The play mark, its corners softened, with a fresh green accent dot at larger sizes.
  const float inset = s * 0.06f;
  const Shape play = Grow(ConvexPolygon({{x + s * 0.39f + inset, y + s * 0.27f + inset},
                                         {x + s * 0.39f + inset, y + s * 0.73f - inset},
                                         {x + s * 0.76f - inset, y + s * 0.5f}}),
                          inset);
  if (s >= 32)
    image.Shadow(play, 0, static_cast<int>(s * 0.02f) + 1, static_cast<int>(s * 0.03f) + 1,
                 Alpha(kBrandDeep, 0.5f * opacity));
  image.Fill(play,
             Linear(x, y + s * 0.27f, x, y + s * 0.73f, {{0.f, kWhite}, {1.f, Hex(0xE3F2FD)}}),
             opacity);
  if (s >= 32) {
    image.Fill(Circle(x + s * 0.78f, y + s * 0.78f, s * 0.07f),
               Linear(x, y + s * 0.71f, x, y + s * 0.85f, {{0.f, kAccentLight}, {1.f, kAccent}}),
               opacity);
  }
}

}  // namespace tarn::artwork

// The page backgrounds. A page panel is 330 pixels high and its picture is tiled, so the picture's
// first rows appear again at the bottom of the page: both pictures keep their first rows and
// their last rows alike, so that the repeat reads as part of the page.
#include <cmath>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Emblem.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Text.h"

namespace tarn::artwork {
namespace {

using namespace palette;

constexpr int kPageWidth = 556;
constexpr int kHeaderHeight = 55;

// The side picture's colour at its top and bottom edges, column by column.
Rgba SideEdge(float x) {
  return Mix(Hex(0x12467C), Hex(0x0F3D6E), x / kSideWidth);
}

// Waves along the bottom of the page, starting in the side picture and fading out across the
// page; `right` is where they are drawn up to, `fadeFrom` where they start to fade.
void DrawWaves(Image& image, int height, float right, float fadeFrom, float strength) {
  const float base = static_cast<float>(height) - 36.f;
  auto fading = [=](Rgba c) {
    return Linear(fadeFrom, 0, right, 0, {{0.f, Alpha(c, strength)}, {1.f, Alpha(c, 0.f)}});
  };
  image.Fill(Wave(0, right, base, 9, 210, 0.6f, 1.4f), fading(Alpha(kWhite, 0.28f)));
  image.Fill(Wave(0, right, base + 8, 7, 170, 2.0f, 1.0f), fading(Alpha(kBrandSky, 0.22f)));
  image.Fill(Wave(0, right, base + 15, 6, 240, 3.6f, 0.9f), fading(Alpha(kAccentLight, 0.22f)));
}

void DrawSidePicture(Image& image, int height) {
  const float w = kSideWidth;
  image.Fill(RoundBox(0, 0, w, static_cast<float>(height), 0),
             Radial(w / 2, 118, 250,
                    {{0.f, Hex(0x3C98DD)}, {0.42f, Hex(0x1F6CB4)}, {1.f, Hex(0x0E3A6A)}}));
  // Beams of light from the top left.
  for (int i = 0; i < 3; ++i) {
    const float x0 = -40.f + 55.f * static_cast<float>(i);
    image.Fill(ConvexPolygon({{x0, 0},
                              {x0 + 26, 0},
                              {x0 + 150, static_cast<float>(height)},
                              {x0 + 96, static_cast<float>(height)}}),
               Linear(0, 0, 0, static_cast<float>(height),
                      {{0.f, Alpha(kWhite, 0.07f)}, {1.f, Alpha(kWhite, 0.f)}}));
  }
  // Soft lights.
  const struct {
    float x, y, r, a;
  } kLights[] = {{28, 40, 18, 0.07f},
                 {160, 70, 26, 0.06f},
                 {150, 200, 12, 0.08f},
                 {22, 232, 30, 0.05f},
                 {120, 250, 9, 0.1f}};
  for (const auto& l : kLights) {
    image.Fill(
        Circle(l.x, l.y, l.r),
        Radial(l.x, l.y, l.r, {{0.f, Alpha(kBrandSky, l.a)}, {1.f, Alpha(kBrandSky, l.a * 0.4f)}}));
  }
  DrawWaves(image, height, w, w, 1.f);

  DrawEmblem(image, (w - 72) / 2, 46, 72);
  const TextStyle name{"黑体", 22, true};
  const Mask title = TextMask("塔恩播放器", name);
  const int tx = static_cast<int>((w - static_cast<float>(title.Width())) / 2);
  DrawShadowedText(image, "塔恩播放器", name, tx, 134, Solid(kWhite), Alpha(kBrandDeep, 0.8f), 2,
                   1);
  DrawTextCentred(image, "TARN PLAYER 2010", {"Tahoma", 10, false}, w / 2, 162,
                  Solid(Alpha(kBrandSky, 0.95f)));
  image.Fill(RoundBox(w / 2 - 22, 184, w / 2 + 22, 185, 0), Solid(Alpha(kWhite, 0.35f)));
  const char* kFeatures[] = {"高清画质", "全格式支持", "多彩皮肤", "轻快流畅"};
  for (int i = 0; i < 4; ++i) {
    const int y = 198 + 19 * i;
    image.Fill(Circle(58, static_cast<float>(y) + 6.5f, 2.6f), Solid(kAccentLight));
    DrawText(image, kFeatures[i], {"宋体", 12, false}, 68, y, Solid(Alpha(kWhite, 0.92f)));
  }

  // The top and bottom rows fade to one edge colour (see above).
  const int fade = 22;
  for (int y = 0; y < height; ++y) {
    const int edge = std::min(y, height - 1 - y);
    if (edge >= fade) continue;
    const float t = edge <= 1 ? 1.f : std::pow(1.f - static_cast<float>(edge) / fade, 2.f);
    for (int x = 0; x < kSideWidth; ++x)
      image.Blend(x, y, SideEdge(static_cast<float>(x) + 0.5f), t);
  }
  // A lit seam on the picture's right edge and a soft shadow it casts on the page.
  image.Fill(RoundBox(w - 1, 0, w, static_cast<float>(height), 0), Solid(Alpha(kBrandSky, 0.35f)));
  image.Fill(
      RoundBox(w, 0, w + 8, static_cast<float>(height), 0),
      Linear(w, 0, w + 8, 0, {{0.f, Alpha(kBrandDeep, 0.16f)}, {1.f, Alpha(kBrandDeep, 0.f)}}));
}

}  // namespace

Bitmap32 SidePage() {
  const int height = 328;
  Image image(kPageWidth, height);
  image.Fill(Solid(kWhite));
  // On the white page the waves are the side picture's, in the brand's own blue.
  Image waves(kPageWidth, height);
  DrawWaves(waves, height, kPageWidth, kSideWidth, 1.f);
  waves.Recolor({0, 0, kPageWidth, height}, [](int, int, Rgba) { return kBrandLight; });
  image.Draw(waves, 0, 0, 0.8f);
  DrawSidePicture(image, height);
  return image.ToBitmap();
}

Bitmap32 PlainPage() {
  const int height = 329;
  Image image(kPageWidth, height);
  image.Fill(Solid(kBody));
  const float header = kHeaderHeight;
  image.Fill(RoundBox(0, 0, kPageWidth, header, 0),
             Linear(240, 0, kPageWidth, 0, {{0.f, kHeader}, {1.f, kHeaderTint}}));
  // Faint rings behind the header's emblem.
  const Shape band = RoundBox(0, 0, kPageWidth, header, 0);
  for (int i = 0; i < 3; ++i) {
    image.Fill(Intersect(band, Ring(523, 27, 30.f + 16.f * static_cast<float>(i), 1.2f)),
               Solid(Alpha(kBrandLight, 0.12f - 0.03f * static_cast<float>(i))));
  }
  DrawEmblem(image, 505, 9, 36);
  image.Fill(RoundBox(0, header, kPageWidth, header + 1, 0), Solid(kRule));
  image.Fill(RoundBox(0, header + 1, kPageWidth, header + 2, 0), Solid(kWhite));
  image.Fill(RoundBox(0, header + 2, kPageWidth, header + 40, 0),
             Linear(0, header + 2, 0, header + 40,
                    {{0.f, Alpha(kHeaderTint, 0.6f)}, {1.f, Alpha(kHeaderTint, 0.f)}}));
  return image.ToBitmap();
}

}  // namespace tarn::artwork

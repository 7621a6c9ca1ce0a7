// The slideshow pictures' illustrations, each on the right half of its banner.
#include <cmath>

#include "tools/artwork/Banners.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Text.h"

namespace tarn::artwork {
namespace {

using namespace palette;

constexpr float kPi = 3.14159265f;

// A round play button: a translucent disc with a white triangle.
void PlayButton(Image& image, float cx, float cy, float r, float opacity = 1.f) {
  image.Fill(Circle(cx, cy, r), Solid(Alpha(kWhite, 0.22f)), opacity);
  image.Fill(Ring(cx, cy, r - 0.75f, 1.5f), Solid(Alpha(kWhite, 0.8f)), opacity);
  const float t = r * 0.42f;
  image.Fill(
      Grow(ConvexPolygon({{cx - t * 0.7f, cy - t}, {cx - t * 0.7f, cy + t}, {cx + t * 1.05f, cy}}),
           1),
      Solid(kWhite), opacity);
}

// A sunset over hills, filling the given screen rectangle.
void SunsetScene(Image& image, float l, float t, float r, float b) {
  const Shape screen = RoundBox(l, t, r, b, 2);
  const float h = b - t;
  image.Fill(screen, Linear(0, t, 0, b,
                            {{0.f, Hex(0x3A3F8F)},
                             {0.45f, Hex(0xE0728A)},
                             {0.7f, Hex(0xFFB36B)},
                             {1.f, Hex(0xFFD89A)}}));
  image.Fill(Intersect(screen, Circle(l + (r - l) * 0.62f, t + h * 0.62f, h * 0.2f)),
             Radial(l + (r - l) * 0.62f, t + h * 0.62f, h * 0.2f,
                    {{0.f, Hex(0xFFF6D8)}, {1.f, Hex(0xFFD27A)}}));
  auto hills = [&](float base, float amplitude, float period, float phase, Rgba c) {
    const float k = 2 * kPi / period;
    image.Fill(
        Intersect(screen, Shape{[=](float x, float y) {
                                  return (t + h * base + h * amplitude * std::sin(k * x + phase)) -
                                         y;
                                },
                                screen.bounds}),
        Solid(c));
  };
  hills(0.72f, 0.08f, 140, 0.5f, Hex(0x7A4A8C));
  hills(0.8f, 0.07f, 110, 2.1f, Hex(0x4E3470));
  hills(0.9f, 0.05f, 170, 4.0f, Hex(0x2A2150));
}

}  // namespace

void DrawHdScreen(Image& image) {
  const float l = 296, t = 24, r = 478, b = 134;
  // Stand, then the body with its bezel, then the picture.
  image.Fill(ConvexPolygon({{375, b}, {399, b}, {405, 158}, {369, 158}}),
             Linear(0, b, 0, 158, {{0.f, Hex(0x1B2B3F)}, {1.f, Hex(0x33506F)}}));
  image.Shadow(RoundBox(340, 156, 434, 163, 3), 0, 2, 3, Alpha(kBlack, 0.4f));
  image.Fill(RoundBox(340, 156, 434, 163, 3),
             Linear(0, 156, 0, 163, {{0.f, Hex(0x5E7E9F)}, {1.f, Hex(0x22384F)}}));
  const Shape body = RoundBox(l, t, r, b, 7);
  image.Shadow(body, 0, 6, 8, Alpha(kBlack, 0.45f));
  image.Fill(body, Linear(0, t, 0, b, {{0.f, Hex(0x2A3B52)}, {1.f, Hex(0x0D1826)}}));
  image.Fill(Subtract(body, RoundBox(l + 1, t + 1, r - 1, b - 1, 6)),
             Solid(Alpha(Hex(0x8FB3D9), 0.5f)));
  SunsetScene(image, l + 6, t + 6, r - 6, b - 6);
  PlayButton(image, (l + r) / 2, (t + b) / 2 - 4, 17);
  // The glass's reflection across the upper left.
  image.Fill(Intersect(RoundBox(l + 6, t + 6, r - 6, b - 6, 2),
                       ConvexPolygon({{l, t}, {l + 110, t}, {l + 40, b}, {l, b}})),
             Solid(Alpha(kWhite, 0.08f)));
  // The HD badge.
  const Shape badge = RoundBox(440, 14, 492, 40, 5);
  image.Shadow(badge, 0, 2, 3, Alpha(kBlack, 0.35f));
  image.Fill(badge, Linear(0, 14, 0, 40, {{0.f, kAccentLight}, {1.f, kAccent}}));
  image.Fill(Intersect(badge, RoundBox(440, 14, 492, 27, 0)), Solid(Alpha(kWhite, 0.18f)));
  DrawTextCentred(image, "HD", {"Tahoma", 17, true}, 466, 17, Solid(kWhite));
  DrawTextCentred(image, "1080P", {"Tahoma", 9, true}, 466, 44, Solid(Alpha(kWhite, 0.9f)));
}

void DrawFormatTiles(Image& image) {
  struct Tile {
    const char* name;
    unsigned top, bottom;
  };
  const Tile kTiles[] = {
      {"RMVB", 0x5AA9F0, 0x1F6FB8}, {"MKV", 0x7ED957, 0x3A9B14}, {"AVI", 0xFFB35C, 0xE0761E},
      {"MP4", 0x8F8BFF, 0x5149D6},  {"FLV", 0xFF7E78, 0xD23B3B}, {"WMV", 0x4FD6D0, 0x15968F},
      {"MOV", 0xC8D3DE, 0x7D90A3},  {"3GP", 0xF5D45B, 0xC9A21A}, {"MPG", 0x6FC3FF, 0x2B86D4},
      {"RM", 0xB883F0, 0x7B3FC0},   {"MP3", 0x9BE36B, 0x4FA82A}};
  // Rows of four, three and four tiles, the middle row set between the others.
  const float size = 40, step = 47;
  int i = 0;
  for (int row = 0; row < 3; ++row) {
    const int count = row == 1 ? 3 : 4;
    const float x0 = 311.f + (row == 1 ? step / 2 : 0.f);
    const float y0 = 20.f + 50.f * static_cast<float>(row);
    for (int c = 0; c < count && i < 11; ++c, ++i) {
      const Tile& tile = kTiles[i];
      const float x = x0 + step * static_cast<float>(c);
      const Shape shape = RoundBox(x, y0, x + size, y0 + size, 8);
      image.Shadow(shape, 0, 3, 4, Alpha(kBlack, 0.35f));
      image.Fill(shape,
                 Linear(0, y0, 0, y0 + size, {{0.f, Hex(tile.top)}, {1.f, Hex(tile.bottom)}}));
      image.Fill(Intersect(shape, Circle(x + size / 2, y0 - size * 0.6f, size * 1.05f)),
                 Solid(Alpha(kWhite, 0.2f)));
      image.Fill(Subtract(shape, RoundBox(x + 1, y0 + 1, x + size - 1, y0 + size - 1, 7)),
                 Solid(Alpha(kWhite, 0.3f)));
      const TextStyle font{"Tahoma", std::string(tile.name).size() > 3 ? 10 : 12, true};
      const Mask text = TextMask(tile.name, font);
      image.Fill(text, static_cast<int>(x + (size - static_cast<float>(text.Width())) / 2),
                 static_cast<int>(y0 + size / 2) - text.Height() / 2 + 1,
                 Solid(Alpha(Hex(0x0A2340), 0.35f)));
      image.Fill(text, static_cast<int>(x + (size - static_cast<float>(text.Width())) / 2),
                 static_cast<int>(y0 + size / 2) - text.Height() / 2, Solid(kWhite));
    }
  }
}

void DrawSkinWindows(Image& image) {
  struct Skin {
    float x, y;
    unsigned frameTop, frameBottom, videoTop, videoBottom, accent;
  };
  const Skin kSkins[] = {{302, 22, 0x9C6BE0, 0x6A3FB0, 0x3B2A66, 0x1C1433, 0xE6B3FF},
                         {338, 46, 0x3A3D44, 0x17181C, 0x1E2A38, 0x0A0F16, 0x52E0FF},
                         {374, 70, 0x5AB0F2, 0x1E6DB6, 0x16406E, 0x0A2442, 0xFFFFFF}};
  for (const Skin& s : kSkins) {
    const float w = 112, h = 80;
    const Shape window = RoundBox(s.x, s.y, s.x + w, s.y + h, 5);
    image.Shadow(window, 0, 4, 6, Alpha(kBlack, 0.45f));
    image.Fill(window,
               Linear(0, s.y, 0, s.y + h, {{0.f, Hex(s.frameTop)}, {1.f, Hex(s.frameBottom)}}));
    image.Fill(Intersect(window, RoundBox(s.x, s.y, s.x + w, s.y + 11, 0)),
               Solid(Alpha(kWhite, 0.18f)));
    for (int k = 0; k < 3; ++k)
      image.Fill(Circle(s.x + w - 8 - 7 * static_cast<float>(k), s.y + 5.5f, 2),
                 Solid(Alpha(kWhite, 0.7f)));
    const Shape video = RoundBox(s.x + 4, s.y + 12, s.x + w - 4, s.y + h - 16, 1.5f);
    image.Fill(video, Linear(0, s.y + 12, 0, s.y + h - 16,
                             {{0.f, Hex(s.videoTop)}, {1.f, Hex(s.videoBottom)}}));
    PlayButton(image, s.x + w / 2, s.y + (h - 4) / 2, 11, 0.9f);
    // Controls: a play button and a seek line with its position.
    image.Fill(Circle(s.x + 11, s.y + h - 8, 5), Solid(Hex(s.accent)));
    image.Fill(RoundBox(s.x + 20, s.y + h - 9, s.x + w - 8, s.y + h - 7, 1),
               Solid(Alpha(kWhite, 0.3f)));
    image.Fill(RoundBox(s.x + 20, s.y + h - 9, s.x + 62, s.y + h - 7, 1), Solid(Hex(s.accent)));
  }
  // Colour swatches, as a skin chooser shows them.
  const unsigned kSwatches[] = {0x1F6FB8, 0x23262D, 0x7B4FC8, 0x3A9B14, 0xE0761E};
  for (int i = 0; i < 5; ++i) {
    const float cx = 318.f + 18.f * static_cast<float>(i);
    image.Fill(Circle(cx, 168, 6.5f), Solid(kWhite));
    image.Fill(Circle(cx, 168, 5), Solid(Hex(kSwatches[i])));
  }
}

void DrawSpeedGauge(Image& image) {
  const float cx = 410, cy = 104, r = 66;
  // Motion streaks coming in from the left.
  const struct {
    float y, length, width, alpha;
  } kStreaks[] = {{64, 40, 3, 0.35f}, {86, 62, 4, 0.5f}, {110, 54, 3, 0.4f}, {134, 36, 2, 0.3f}};
  for (const auto& s : kStreaks) {
    image.Fill(Segment(cx - r - 12 - s.length, s.y, cx - r - 12, s.y, s.width),
               Linear(cx - r - 12 - s.length, 0, cx - r - 12, 0,
                      {{0.f, Alpha(kWhite, 0.f)}, {1.f, Alpha(kWhite, s.alpha)}}));
  }
  // The dial, its face and the open arc of the scale (from 135 degrees round to 405).
  image.Shadow(Circle(cx, cy, r + 4), 0, 5, 7, Alpha(kBlack, 0.45f));
  image.Fill(Circle(cx, cy, r + 4),
             Linear(0, cy - r, 0, cy + r, {{0.f, Hex(0x6F8FAF)}, {1.f, Hex(0x1D3048)}}));
  image.Fill(Circle(cx, cy, r),
             Radial(cx, cy - 20, r * 1.3f, {{0.f, Hex(0x214A73)}, {1.f, Hex(0x0A1A2C)}}));
  // Angles run clockwise on screen from the right.
  auto angleAt = [=](float x, float y) { return std::atan2(y - cy, x - cx); };
  const float start = kPi * 0.75f, sweep = kPi * 1.5f;
  auto inScale = [=](float a) {
    float d = a - start;
    while (d < 0)
      d += 2 * kPi;
    return d;  // 0..2pi from the start of the scale
  };
  const Shape arc{[=](float x, float y) {
                    const float d = inScale(angleAt(x, y));
                    const float ring = std::abs(std::hypot(x - cx, y - cy) - (r - 12)) - 4;
                    return d <= sweep ? ring : std::max(ring, 3.f);
                  },
                  Circle(cx, cy, r).bounds};
  image.Fill(arc, [=](float x, float y) {
    const float t = std::min(inScale(angleAt(x, y)) / sweep, 1.f);
    return AtStop({{0.f, Hex(0x3FC7DF)}, {0.6f, kAccentLight}, {1.f, Hex(0xFFC34D)}}, t);
  });
  for (int i = 0; i <= 10; ++i) {
    const float a = start + sweep * static_cast<float>(i) / 10.f;
    const float inner = i % 5 == 0 ? r - 26 : r - 22;
    image.Fill(
        Segment(cx + std::cos(a) * inner, cy + std::sin(a) * inner, cx + std::cos(a) * (r - 19),
                cy + std::sin(a) * (r - 19), i % 5 == 0 ? 2.f : 1.2f),
        Solid(Alpha(kWhite, 0.75f)));
  }
  // The needle near the top of the scale, with a glow.
  const float needle = start + sweep * 0.9f;
  const float nx = cx + std::cos(needle) * (r - 14), ny = cy + std::sin(needle) * (r - 14);
  image.Shadow(Segment(cx, cy, nx, ny, 3), 0, 0, 3, Alpha(Hex(0xFFC34D), 0.7f));
  image.Fill(Segment(cx, cy, nx, ny, 3), Solid(Hex(0xFFE2A0)));
  image.Fill(Circle(cx, cy, 8),
             Linear(0, cy - 8, 0, cy + 8, {{0.f, Hex(0xDDE8F2)}, {1.f, Hex(0x7F93A7)}}));
  DrawTextCentred(image, "极速", {"黑体", 15, true}, cx, static_cast<int>(cy) + 22, Solid(kWhite));
}

}  // namespace tarn::artwork

// The buttons' skin strips: four frames side by side, in the order normal, hover, down,
// disabled, with the caption or glyph painted in. Outside a button's rounded shape the strip is
// transparent, so the bar or page under it shows through.
#include "tools/artwork/Artwork.h"
#include "tools/artwork/Emblem.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Text.h"

namespace tarn::artwork {
namespace {

using namespace palette;

enum State { kNormal, kHover, kDown, kDisabled };

struct Look {
  Rgba top, bottom, border, text;
  Rgba shine;  // the lit line inside the top edge
  Rgba textShadow;
};

Look LookFor(ButtonStyle style, State state) {
  if (style == ButtonStyle::Primary) {
    switch (state) {
      case kNormal:
        return {Hex(0x3A8AD0), Hex(0x1A5FA3),       Hex(0x154E88),
                kWhite,        Alpha(kWhite, 0.4f), Alpha(Hex(0x0C3766), 0.45f)};
      case kHover:
        return {Hex(0x52A3E6), Hex(0x2673BD),       Hex(0x1A5A98),
                kWhite,        Alpha(kWhite, 0.6f), Alpha(Hex(0x0C3766), 0.45f)};
      case kDown:
        return {Hex(0x164F86), Hex(0x2468AA),      Hex(0x103F6E),
                Hex(0xEAF4FD), Alpha(kWhite, 0.f), Alpha(Hex(0x0C3766), 0.5f)};
      case kDisabled:
        return {Hex(0xE1E8EE), Hex(0xCFD8E0),       Hex(0xAFBBC6),
                Hex(0x97A3AE), Alpha(kWhite, 0.5f), Alpha(kWhite, 0.f)};
    }
  }
  switch (state) {
    case kNormal:
      return {Hex(0xFFFFFF), Hex(0xE2ECF4),       kControlBorder,
              kText,         Alpha(kWhite, 0.9f), Alpha(kWhite, 0.f)};
    case kHover:
      return {Hex(0xFFFFFF), Hex(0xD3E8F8),       Hex(0x5C9ED8),
              kText,         Alpha(kWhite, 0.9f), Alpha(kWhite, 0.f)};
    case kDown:
      return {Hex(0xC8DFF2), Hex(0xE4EFF8),      Hex(0x3C7DBA),
              kText,         Alpha(kWhite, 0.f), Alpha(kWhite, 0.f)};
    case kDisabled:
      return {Hex(0xF6F8FA), Hex(0xEDF1F4),       Hex(0xC8D0D7),
              Hex(0xA5AFB8), Alpha(kWhite, 0.6f), Alpha(kWhite, 0.f)};
  }
  return {};
}

void DrawCaptionButton(Image& image, float x, int width, int height, const char* caption,
                       ButtonStyle style, State state) {
  const Look look = LookFor(style, state);
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  const float radius = 3.f;
  const Shape outer = RoundBox(x + 0.5f, 0.5f, x + w - 0.5f, h - 0.5f, radius);
  const Shape inner = RoundBox(x + 1.5f, 1.5f, x + w - 1.5f, h - 1.5f, radius - 1);
  image.Fill(outer, Solid(look.border));
  image.Fill(inner, Linear(0, 1.5f, 0, h - 1.5f, {{0.f, look.top}, {1.f, look.bottom}}));
  // The upper half is lighter, as glossy buttons are.
  if (state != kDown && state != kDisabled) {
    image.Fill(Intersect(inner, RoundBox(x, 0, x + w, h * 0.48f, 0)),
               Solid(Alpha(kWhite, style == ButtonStyle::Primary ? 0.12f : 0.35f)));
  }
  image.Fill(Intersect(inner, RoundBox(x, 1.5f, x + w, 2.5f, 0)), Solid(look.shine));

  const TextStyle font{"宋体", 12, false};
  const Mask text = TextMask(caption, font);
  const int shift = state == kDown ? 1 : 0;
  const int tx = static_cast<int>(x) + (width - text.Width()) / 2 + shift;
  const int ty = (height - text.Height()) / 2 + shift;
  if (look.textShadow.a > 0) image.Fill(text, tx, ty + 1, Solid(look.textShadow));
  image.Fill(text, tx, ty, Solid(look.text));
}

// A caption button of the title bar: it hangs from the frame line, so only its lower corners
// are rounded; the glyph is white on the dark bar.
enum class Glyph { Minimise, Close };

void DrawTitleButton(Image& image, float x, int width, int height, Glyph glyph, State state) {
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  const Shape outer = RoundBox(x + 0.5f, -6, x + w - 0.5f, h - 0.5f, 4);
  const Shape inner = RoundBox(x + 1.5f, -6, x + w - 1.5f, h - 1.5f, 3);
  const bool close = glyph == Glyph::Close;
  switch (state) {
    case kNormal:
      image.Fill(outer, Solid(Alpha(kTitleBaseLine, 0.25f)));
      image.Fill(inner,
                 Linear(0, 0, 0, h, {{0.f, Alpha(kWhite, 0.14f)}, {1.f, Alpha(kWhite, 0.04f)}}));
      break;
    case kHover:
      image.Fill(outer, Solid(close ? Hex(0x8A2016) : Hex(0x174E86)));
      image.Fill(
          inner,
          Linear(0, 0, 0, h,
                 close ? Stops{{0.f, Hex(0xF39181)}, {0.5f, Hex(0xE05A45)}, {1.f, Hex(0xC8372A)}}
                       : Stops{{0.f, Hex(0x9BD2F8)}, {0.5f, Hex(0x5AA7E6)}, {1.f, Hex(0x2F7FC9)}}));
      break;
    case kDown:
      image.Fill(outer, Solid(close ? Hex(0x6E160E) : Hex(0x0F3B66)));
      image.Fill(inner, Linear(0, 0, 0, h,
                               close ? Stops{{0.f, Hex(0xA82A1D)}, {1.f, Hex(0xD14B39)}}
                                     : Stops{{0.f, Hex(0x1A5893)}, {1.f, Hex(0x2D74B6)}}));
      break;
    case kDisabled:
      image.Fill(outer, Solid(Alpha(kTitleBaseLine, 0.2f)));
      break;
  }
  const float cx = x + w / 2, cy = h / 2 - 0.5f;
  const float shift = state == kDown ? 1.f : 0.f;
  Shape mark =
      close ? Union(Segment(cx - 3.6f, cy - 3.6f + shift, cx + 3.6f, cy + 3.6f + shift, 2.1f),
                    Segment(cx - 3.6f, cy + 3.6f + shift, cx + 3.6f, cy - 3.6f + shift, 2.1f))
            : RoundBox(cx - 4.5f, cy + 2 + shift, cx + 4.5f, cy + 4.2f + shift, 0.5f);
  if (state != kDisabled) image.Shadow(mark, 0, 1, 1, Alpha(Hex(0x06243F), 0.7f));
  image.Fill(mark, Solid(state == kDisabled ? Alpha(kWhite, 0.4f) : kWhite));
}

template <class F>
Bitmap32 Strip(int width, int height, F drawFrame) {
  Image image(4 * width, height);
  for (int s = kNormal; s <= kDisabled; ++s)
    drawFrame(image, static_cast<float>(s * width), static_cast<State>(s));
  return image.ToBitmap();
}

}  // namespace

Bitmap32 CaptionButtonStrip(const char* captionUtf8, ButtonStyle style, int width, int height) {
  return Strip(width, height, [&](Image& image, float x, State state) {
    DrawCaptionButton(image, x, width, height, captionUtf8, style, state);
  });
}

Bitmap32 MinimiseStrip() {
  return Strip(30, 19, [](Image& image, float x, State state) {
    DrawTitleButton(image, x, 30, 19, Glyph::Minimise, state);
  });
}

Bitmap32 CloseStrip() {
  return Strip(34, 19, [](Image& image, float x, State state) {
    DrawTitleButton(image, x, 34, 19, Glyph::Close, state);
  });
}

Bitmap32 LogoStrip() {
  Image image(64, 16);
  for (int s = kNormal; s <= kDisabled; ++s)
    DrawEmblem(image, static_cast<float>(16 * s), 0, 16);
  // Hover lighter, down deeper, disabled grey: the same emblem in four tones.
  image.Recolor({16, 0, 32, 16}, [](int, int, Rgba c) { return Mix(c, kWhite, 0.22f); });
  image.Recolor({32, 0, 48, 16}, [](int, int, Rgba c) { return Mix(c, kBrandDeep, 0.25f); });
  image.Recolor({48, 0, 64, 16}, [](int, int, Rgba c) {
    const float grey = 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
    return Mix(Rgba{grey, grey, grey, 1}, kWhite, 0.3f);
  });
  return image.ToBitmap();
}

}  // namespace tarn::artwork

#include "slideshow/effects/PixelEffects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "slideshow/effects/EffectMath.h"
#include "slideshow/effects/EffectRandom.h"

namespace tarn {
namespace {

// s + floor(w (p - s) / 256) for blue, green and red at once: the sum equals
// floor(((256 - w) s + w p) / 256), whose terms are never negative, so blue and red can share one
// multiply in separate 16-bit lanes (at most 255 x 256 each, no carry between them).
inline Pixel32 Blend(Pixel32 s, Pixel32 p, uint32_t w) {
  const uint32_t v = 256 - w;
  const uint32_t br = (((s & 0x00FF00FFu) * v + (p & 0x00FF00FFu) * w) >> 8) & 0x00FF00FFu;
  const uint32_t g = (((s >> 8) & 0xFFu) * v + ((p >> 8) & 0xFFu) * w) >> 8;
  return (s & 0xFF000000u) | br | (g << 8);
}

void BlendRun(Pixel32* s, const Pixel32* p, std::size_t count, uint32_t w) {
  for (std::size_t i = 0; i < count; ++i)
    s[i] = Blend(s[i], p[i], w);
}

// The loops below index both bitmaps as W x H; a caller that breaks the contract gets no frame
// rather than a write past the end.
bool Fits(const Bitmap32& Screen, const Bitmap32& Picture, int W, int H) {
  return W > 0 && H > 0 && Screen.Width() == W && Screen.Height() == H && Picture.Width() == W &&
         Picture.Height() == H;
}

// Bits 16..31 of a 32-bit two's-complement value, as a signed 16-bit number.
inline int Hi16(uint32_t n) {
  return static_cast<int16_t>(static_cast<uint16_t>(n >> 16));
}

// The dissolves draw from their own copy of the generator, seeded from the picture size: every
// frame gets the same pattern, and the program's shared sequence is left exactly as it was, even
// if another thread draws from it meanwhile.
uint32_t PatternSeed(int W, int H) {
  return static_cast<uint32_t>(W + H);
}

}  // namespace

void BlendArea(Bitmap32& Screen, const Bitmap32& Picture, int Percent, int Rows, int Cols, int Top,
               int Left) {
  const int w = MulDiv(256, Percent, 100);
  if (w < 0 || w > 256) return;  // outside 0..100 percent the blend is not defined
  const TRect area = TRect{Left, Top, Left + Cols, Top + Rows}
                         .Intersect(Screen.BoundsRect())
                         .Intersect(Picture.BoundsRect());
  if (area.IsEmpty()) return;
  for (int y = area.Bottom - 1; y >= area.Top; --y) {  // memory order: bottom row first
    BlendRun(Screen.ScanLine(y) + area.Left, Picture.ScanLine(y) + area.Left,
             static_cast<std::size_t>(area.Width()), static_cast<uint32_t>(w));
  }
}

void RotatePicture(Bitmap32& Screen, const Bitmap32& Picture, int PX, int PY, long double Angle) {
  const int W = Screen.Width(), H = Screen.Height();
  if (Picture.Width() != W || Picture.Height() != H) return;
  const auto Fs = static_cast<int32_t>(std::trunc(std::sin(-Angle) * 65536));
  const auto Fc = static_cast<int32_t>(std::trunc(std::cos(-Angle) * 65536));
  const auto fs = static_cast<uint32_t>(Fs), fc = static_cast<uint32_t>(Fc);
  // Memory row m is the picture row H - 1 - m from the top, so ry = (H - y) - PY = m + 1 - PY.
  // Products wrap modulo 2^32 exactly as 32-bit arithmetic does; unsigned keeps that defined.
  Pixel32* out = Screen.Bits();
  const Pixel32* in = Picture.Bits();
  const auto rx0 = static_cast<uint32_t>(1 - PX);
  for (int m = 0; m < H; ++m, out += W) {
    const auto ry = static_cast<uint32_t>(m + 1 - PY);
    uint32_t a = fc * rx0 - fs * ry;  // Fc rx - Fs ry at x = 0
    uint32_t b = fs * rx0 + fc * ry;  // Fs rx + Fc ry at x = 0
    for (int x = 0; x < W; ++x, a += fc, b += fs) {
      const int u = PX + Hi16(a);
      const int v = PY + Hi16(b);  // counted from the bottom: memory row v
      if (static_cast<unsigned>(u) < static_cast<unsigned>(W) &&
          static_cast<unsigned>(v) < static_cast<unsigned>(H)) {
        out[x] = in[static_cast<std::size_t>(v) * W + u];
      }
    }
  }
}

TARN_EFFECT_PROC(Fade) {
  if (!Fits(Screen, Picture, W, H)) return;
  const auto w = static_cast<uint32_t>(MulDiv(256, Progress, 100));
  BlendRun(Screen.Bits(), Picture.Bits(), static_cast<std::size_t>(W) * H, w);
}

TARN_EFFECT_PROC(PivotFromTopLeft) {
  RotatePicture(Screen, Picture, -1, -1, (100 - Progress) * kPi / 200);
}
TARN_EFFECT_PROC(PivotFromBottomLeft) {
  RotatePicture(Screen, Picture, -1, H, (Progress - 100) * kPi / 200);
}
TARN_EFFECT_PROC(PivotFromTopRight) {
  RotatePicture(Screen, Picture, W, -1, (Progress - 100) * kPi / 200);
}
TARN_EFFECT_PROC(PivotFromBottomRight) {
  RotatePicture(Screen, Picture, W, H, (100 - Progress) * kPi / 200);
}

// A zoom about the centre into the old picture, then out of the new one, through blocky nearest
// pixels, with a cross-fade of the central block around the middle.
TARN_EFFECT_PROC(Pixelate) {
  const Bitmap32* source = &Screen;
  int k = 180 - MulDiv(Progress, 82, 50);
  int ex = X, ey = Y;
  if (Progress > 50) {
    source = &Picture;
    k = 180 + MulDiv(Progress - 100, 82, 50);
    ex = W - X;
    ey = H - Y;
  }
  const int xs = MulDiv(ex, k, 100), ys = MulDiv(ey, k, 100);
  const int sw = std::max(W - 2 * xs, 2), sh = std::max(H - 2 * ys, 2);
  if (Progress > 40 && Progress < 60) {
    BlendArea(Screen, Picture, 5 * Progress - 200, sh, sw, ys, xs);
    source = &Screen;
  }
  // When the source is Screen itself, the stretch reads the block before it writes.
  Screen.StretchBlock(-2 * xs, -2 * ys, W + 4 * xs, H + 4 * ys, *source, xs, ys, sw, sh);
}

TARN_EFFECT_PROC(Dissolve) {
  if (!Fits(Screen, Picture, W, H)) return;
  uint32_t seed = PatternSeed(W, H);
  Pixel32* out = Screen.Bits();
  const Pixel32* in = Picture.Bits();
  const std::size_t count = static_cast<std::size_t>(W) * H;
  for (std::size_t i = 0; i < count; ++i) {
    if (NextRandom(seed, 100) < Progress) out[i] = in[i];
  }
}

TARN_EFFECT_PROC(RandomBarsHorizontal) {
  if (!Fits(Screen, Picture, W, H)) return;
  uint32_t seed = PatternSeed(W, H);
  Pixel32* out = Screen.Bits();
  const Pixel32* in = Picture.Bits();
  const std::size_t row = static_cast<std::size_t>(W);
  for (int m = 0; m < H; ++m, out += row, in += row) {  // memory order: bottom row first
    if (NextRandom(seed, 100) < Progress) std::memcpy(out, in, row * sizeof(Pixel32));
  }
}

TARN_EFFECT_PROC(RandomBarsVertical) {
  if (!Fits(Screen, Picture, W, H)) return;
  uint32_t seed = PatternSeed(W, H);
  // Columns are drawn for left to right first, then both bitmaps are walked once in memory order.
  std::vector<int> shown;
  for (int x = 0; x < W; ++x) {
    if (NextRandom(seed, 100) < Progress) shown.push_back(x);
  }
  if (shown.empty()) return;
  Pixel32* out = Screen.Bits();
  const Pixel32* in = Picture.Bits();
  for (int m = 0; m < H; ++m, out += W, in += W) {
    for (const int x : shown)
      out[x] = in[x];
  }
}

}  // namespace tarn

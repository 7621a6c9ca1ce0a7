#include "slideshow/effects/PixelEffects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "slideshow/effects/EffectMath.h"
#include "slideshow/effects/EffectRandom.h"
#include "slideshow/effects/VectorClones.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  std::size_t i = 0;
#if defined(__SSE2__)
  // Four pixels at a time in 16-bit lanes: (256 - w) s + w p <= 65280 never overflows a lane.
  const __m128i keep = _mm_set1_epi16(static_cast<short>(256 - w));
  const __m128i take = _mm_set1_epi16(static_cast<short>(w));
  const __m128i zero = _mm_setzero_si128();
  const __m128i fourth = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  for (; i + 4 <= count; i += 4) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i lo =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), keep),
                                     _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), take)),
                       8);
    const __m128i hi =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), keep),
                                     _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), take)),
                       8);
    const __m128i mixed = _mm_packus_epi16(lo, hi);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(s + i),
                     _mm_or_si128(_mm_andnot_si128(fourth, mixed), _mm_and_si128(fourth, a)));
  }
#endif
  for (; i < count; ++i)
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

namespace {

// The smallest x in 0 .. n with pred(x) true, for a predicate that is false and then true.
template <class Pred>
int FirstTrue(int n, Pred pred) {
  int lo = 0, hi = n;
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (pred(mid)) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

// The columns x of 0 .. W - 1 where lo <= pos + floor((start + step x) / 65536) < hi: one run,
// since the value moves one way along the row.
std::pair<int, int> InsideRun(int W, int64_t start, int64_t step, int pos, int lo, int hi) {
  auto at = [&](int x) { return pos + static_cast<int>((start + step * x) >> 16); };
  if (step >= 0)
    return {FirstTrue(W, [&](int x) { return at(x) >= lo; }),
            FirstTrue(W, [&](int x) { return at(x) >= hi; })};
  return {FirstTrue(W, [&](int x) { return at(x) < hi; }),
          FirstTrue(W, [&](int x) { return at(x) < lo; })};
}

}  // namespace

void RotatePicture(Bitmap32& Screen, const Bitmap32& Picture, int PX, int PY, long double Angle) {
  const int W = Screen.Width(), H = Screen.Height();
  if (Picture.Width() != W || Picture.Height() != H || W == 0 || H == 0) return;
  const auto Fs = static_cast<int32_t>(std::trunc(std::sin(-Angle) * 65536));
  const auto Fc = static_cast<int32_t>(std::trunc(std::cos(-Angle) * 65536));
  Pixel32* out = Screen.Bits();
  const Pixel32* in = Picture.Bits();
  // Memory row m is the picture row H - 1 - m from the top, so ry = (H - y) - PY = m + 1 - PY.
  const int64_t reach = std::abs(static_cast<int64_t>(Fc)) * (W + std::abs(int64_t{PX}) + 1) +
                        std::abs(static_cast<int64_t>(Fs)) * (H + std::abs(int64_t{PY}) + 1);
  if (reach < (int64_t{1} << 31)) {
    // No sum leaves 32 bits, so bits 16..31 are the floor of the value / 65536, and the pixels
    // that land inside Picture form one run per row, found by bisection.
    for (int m = 0; m < H; ++m, out += W) {
      const int64_t rx0 = 1 - PX, ry = m + 1 - PY;
      const int64_t a0 = Fc * rx0 - Fs * ry, b0 = Fs * rx0 + Fc * ry;
      const auto [u0, u1] = InsideRun(W, a0, Fc, PX, 0, W);
      const auto [v0, v1] = InsideRun(W, b0, Fs, PY, 0, H);
      const int from = std::max(u0, v0), to = std::min(u1, v1);
      auto a = static_cast<int32_t>(a0 + int64_t{Fc} * from);
      auto b = static_cast<int32_t>(b0 + int64_t{Fs} * from);
      for (int x = from; x < to; ++x, a += Fc, b += Fs) {
        out[x] = in[static_cast<std::size_t>(PY + (b >> 16)) * W + (PX + (a >> 16))];
      }
    }
    return;
  }
  // Pictures big enough for the products to wrap: exactly as 32-bit arithmetic does, checking
  // every pixel (unsigned keeps the wrapping defined).
  const auto fs = static_cast<uint32_t>(Fs), fc = static_cast<uint32_t>(Fc);
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

namespace {

// Pixel i takes Picture's pixel when draw i + 1 of the sequence from `seed` is below `limit`.
// Eight interleaved copies of the sequence, each stepping eight draws at a time, give the same
// numbers without one long chain of dependent multiplies, as one vector of eight lanes.
TARN_VECTOR_CLONES
void DissolveRun(Pixel32* out, const Pixel32* in, std::size_t count, uint32_t seed,
                 uint32_t limit) {
  using Lanes = uint32_t __attribute__((vector_size(32)));
  constexpr int kLanes = 8;
  constexpr RandStep jump = RandJump(kLanes);
  Lanes lane;
  for (int j = 0; j < kLanes; ++j)
    lane[j] = seed = seed * kRandMultiplier + 1u;
  const Lanes multiplier = Lanes{} + jump.Multiplier, increment = Lanes{} + jump.Increment;
  const Lanes below = Lanes{} + limit;
  std::size_t i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    Lanes a, b;
    std::memcpy(&a, out + i, sizeof a);
    std::memcpy(&b, in + i, sizeof b);
    const Lanes take = reinterpret_cast<Lanes>(lane < below);  // all ones where drawn below
    a = (b & take) | (a & ~take);
    std::memcpy(out + i, &a, sizeof a);
    lane = lane * multiplier + increment;
  }
  for (int j = 0; i < count; ++i, ++j) {
    if (lane[j] < limit) out[i] = in[i];
  }
}

}  // namespace

TARN_EFFECT_PROC(Dissolve) {
  if (!Fits(Screen, Picture, W, H)) return;
  if (Progress <= 0) return;
  // Random(100) < Progress exactly when seed x 100 < Progress x 2^32, i.e. seed < threshold.
  const uint64_t threshold = ((static_cast<uint64_t>(Progress) << 32) + 99) / 100;
  const std::size_t count = static_cast<std::size_t>(W) * H;
  if (threshold > 0xFFFFFFFFu) {
    std::memcpy(Screen.Bits(), Picture.Bits(), count * sizeof(Pixel32));
    return;
  }
  DissolveRun(Screen.Bits(), Picture.Bits(), count, PatternSeed(W, H),
              static_cast<uint32_t>(threshold));
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

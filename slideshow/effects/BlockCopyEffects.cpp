#include "slideshow/effects/BlockCopyEffects.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "slideshow/effects/EffectMath.h"
#include "slideshow/effects/RegionReveal.h"

namespace tarn {
namespace {

void Copy(Bitmap32& Screen, const Bitmap32& Source, int dx, int dy, int w, int h, int sx, int sy) {
  if (w <= 0 || h <= 0) return;
  Screen.CopyBlock(dx, dy, w, h, Source, sx, sy);
}

// A zero-sized source or destination draws nothing (tiny pictures give X = 0 at low progress).
void Stretch(Bitmap32& Screen, const Bitmap32& Source, int dx, int dy, int dw, int dh, int sx,
             int sy, int sw, int sh) {
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  Screen.StretchBlock(dx, dy, dw, dh, Source, sx, sy, sw, sh);
}

// The tent of a roll's shading: o[0] = -Depth, o[j] = o[j-1] + step(j). With n = Count div 2,
// either every step is Depth div n (rising up to the peak, falling after it), or the offset moves
// by 1 at every (n div Depth)-th step. `lastRise` is the last step that still rises in the first
// case: n for columns (the peak is o[n]), n - 1 for rows.
std::vector<int> ShadeOffsets(int Depth, int Count, int lastRise) {
  const int n = Count / 2;
  std::vector<int> o(static_cast<std::size_t>(Count));
  o[0] = -Depth;
  if (n < Depth) {
    const int c = Depth / n;
    for (int j = 1; j < Count; ++j)
      o[j] = o[j - 1] + (j <= lastRise ? c : -c);
  } else {
    const int c = n / Depth;
    for (int j = 1; j < Count; ++j) {
      const int step = j % c == 0 ? (j < n ? 1 : -1) : 0;
      o[j] = o[j - 1] + step;
    }
  }
  return o;
}

// An offset as two words to add and subtract with saturation, byte by byte: its magnitude in
// blue, green and red, nothing in the fourth byte.
struct ShadeStep {
  uint32_t Up = 0;
  uint32_t Down = 0;
};

ShadeStep StepFor(int offset) {
  const auto m = static_cast<uint32_t>(std::min(offset < 0 ? -offset : offset, 255));
  const uint32_t bytes = m | m << 8 | m << 16;
  return offset < 0 ? ShadeStep{0, bytes} : ShadeStep{bytes, 0};
}

inline Pixel32 AddClamped(Pixel32 p, const ShadeStep& step) {
  Pixel32 out = p & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const int v = std::clamp(static_cast<int>((p >> shift) & 0xFF) +
                                 static_cast<int>((step.Up >> shift) & 0xFF) -
                                 static_cast<int>((step.Down >> shift) & 0xFF),
                             0, 255);
    out |= static_cast<Pixel32>(v) << shift;
  }
  return out;
}

// Adds steps[k] (or steps[0] to all when `same`) to pixels[k], k < n.
void ShadeRun(Pixel32* pixels, const ShadeStep* steps, int n, bool same) {
  int k = 0;
#if defined(__SSE2__)
  for (; k + 4 <= n; k += 4) {
    const ShadeStep* s = same ? steps : steps + k;
    const int i = same ? 0 : 1;
    const __m128i up = _mm_set_epi32(static_cast<int>(s[3 * i].Up), static_cast<int>(s[2 * i].Up),
                                     static_cast<int>(s[i].Up), static_cast<int>(s[0].Up));
    const __m128i down =
        _mm_set_epi32(static_cast<int>(s[3 * i].Down), static_cast<int>(s[2 * i].Down),
                      static_cast<int>(s[i].Down), static_cast<int>(s[0].Down));
    __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + k));
    p = _mm_subs_epu8(_mm_adds_epu8(p, up), down);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + k), p);
  }
#endif
  for (; k < n; ++k)
    pixels[k] = AddClamped(pixels[k], same ? steps[0] : steps[k]);
}

}  // namespace

void ShadeColumns(Bitmap32& Screen, int Depth, int Left, int Count) {
  if (Count <= 1 || Depth <= 0) return;
  const std::vector<int> o = ShadeOffsets(Depth, Count, Count / 2);
  const int from = std::max(Left, 0);
  const int to = std::min(Left + Count, Screen.Width());
  if (from >= to) return;
  std::vector<ShadeStep> steps;
  for (int x = from; x < to; ++x)
    steps.push_back(StepFor(o[static_cast<std::size_t>(x - Left)]));
  for (int y = 0; y < Screen.Height(); ++y) {
    ShadeRun(Screen.ScanLine(y) + from, steps.data(), to - from, false);
  }
}

void ShadeRows(Bitmap32& Screen, int Depth, int Top, int Count) {
  if (Count <= 1 || Depth <= 0) return;
  const std::vector<int> o = ShadeOffsets(Depth, Count, Count / 2 - 1);
  // o[0] belongs to the strip's bottom row; the offsets run upward from there.
  for (int j = 0; j < Count; ++j) {
    const int y = Top + Count - 1 - j;
    if (y < 0 || y >= Screen.Height()) continue;
    const ShadeStep step = StepFor(o[static_cast<std::size_t>(j)]);
    ShadeRun(Screen.ScanLine(y), &step, Screen.Width(), true);
  }
}

// Left to right.

TARN_EFFECT_PROC(ExpandFromRight) {
  Stretch(Screen, Picture, W - X, 0, X, H, 0, 0, W, H);
}
TARN_EFFECT_PROC(ExpandFromLeft) {
  Stretch(Screen, Picture, 0, 0, X, H, 0, 0, W, H);
}
TARN_EFFECT_PROC(SlideInFromRight) {
  Copy(Screen, Picture, W - X, 0, W, H, 0, 0);
}
TARN_EFFECT_PROC(SlideInFromLeft) {
  Copy(Screen, Picture, X - W, 0, W, H, 0, 0);
}
TARN_EFFECT_PROC(RevealFromLeft) {
  Copy(Screen, Picture, 0, 0, X, H, 0, 0);
}
TARN_EFFECT_PROC(RevealFromRight) {
  Copy(Screen, Picture, W - X, 0, X, H, W - X, 0);
}
TARN_EFFECT_PROC(ExpandInFromRight) {
  Stretch(Screen, Picture, 0, 0, 2 * W - X, H, 0, 0, X, H);
}
TARN_EFFECT_PROC(ExpandInFromLeft) {
  Stretch(Screen, Picture, X - W, 0, 2 * W - X, H, W - X, 0, X, H);
}
TARN_EFFECT_PROC(ExpandInToMiddle) {
  Stretch(Screen, Picture, X - W, 0, 3 * W - 2 * X, H, Half(W - X), 0, X, H);
}
TARN_EFFECT_PROC(ExpandOutFromMiddle) {
  Stretch(Screen, Picture, Half(W - X), 0, X, H, 0, 0, W, H);
}
TARN_EFFECT_PROC(RevealOutFromMiddle) {
  const int L = Half(W - X);
  Copy(Screen, Picture, L, 0, X, H, L, 0);
}
TARN_EFFECT_PROC(RevealInFromSides) {
  const int h = Half(X);
  Copy(Screen, Picture, 0, 0, h, H, 0, 0);
  Copy(Screen, Picture, W - h, 0, h, H, W - h, 0);
}
TARN_EFFECT_PROC(ExpandInFromSides) {
  const int h = Half(X), s = Half(W);
  Stretch(Screen, Picture, 0, 0, h, H, 0, 0, s, H);
  Stretch(Screen, Picture, W - h, 0, h, H, s, 0, s, H);
}

// The roll: the columns just beyond it are drawn mirrored on its back, then shaded.
TARN_EFFECT_PROC(UnrollFromLeft) {
  int r = W / 10;
  if (X < r) {
    r = X;
  } else if (W - X < 2 * r) {
    r = Half(W - X);
  }
  Stretch(Screen, Picture, X + r - 1, 0, -r, H, X + r, 0, r, H);
  Copy(Screen, Picture, 0, 0, X, H, 0, 0);
  ShadeColumns(Screen, 48, X, r);
}
TARN_EFFECT_PROC(UnrollFromRight) {
  int r = W / 10;
  const int F = W - X;
  if (X < r) {
    r = X;
  } else if (F < 2 * r) {
    r = Half(F);
  }
  Stretch(Screen, Picture, F - 1, 0, -r, H, F - 2 * r - 1, 0, r, H);
  Copy(Screen, Picture, F, 0, X, H, F, 0);
  ShadeColumns(Screen, 48, F - r, r);
}

// The smears: the revealed part plus a tenth of the picture stretched over the rest.
TARN_EFFECT_PROC(BuildUpFromRight) {
  Copy(Screen, Picture, 0, 0, X, H, 0, 0);
  const int s = std::min(W - X, W / 10);
  Stretch(Screen, Picture, X, 0, W - X, H, X, 0, s, H);
}
TARN_EFFECT_PROC(BuildUpFromLeft) {
  const int F = W - X;
  Copy(Screen, Picture, F, 0, X, H, F, 0);
  const int s0 = std::max(F - W / 10, 0);
  Stretch(Screen, Picture, 0, 0, F, H, s0, 0, F - s0, H);
}

// Top to bottom.

TARN_EFFECT_PROC(ExpandFromBottom) {
  Stretch(Screen, Picture, 0, H - Y, W, Y, 0, 0, W, H);
}
TARN_EFFECT_PROC(ExpandFromTop) {
  Stretch(Screen, Picture, 0, 0, W, Y, 0, 0, W, H);
}
TARN_EFFECT_PROC(SlideInFromBottom) {
  Copy(Screen, Picture, 0, H - Y, W, H, 0, 0);
}
TARN_EFFECT_PROC(SlideInFromTop) {
  Copy(Screen, Picture, 0, Y - H, W, H, 0, 0);
}
TARN_EFFECT_PROC(RevealFromTop) {
  Copy(Screen, Picture, 0, 0, W, Y, 0, 0);
}
TARN_EFFECT_PROC(RevealFromBottom) {
  Copy(Screen, Picture, 0, H - Y, W, Y, 0, H - Y);
}
TARN_EFFECT_PROC(ExpandInFromBottom) {
  Stretch(Screen, Picture, 0, 0, W, 2 * H - Y, 0, 0, W, Y);
}
TARN_EFFECT_PROC(ExpandInFromTop) {
  Stretch(Screen, Picture, 0, Y - H, W, 2 * H - Y, 0, H - Y, W, Y);
}
TARN_EFFECT_PROC(ExpandInToMiddleHoriz) {
  Stretch(Screen, Picture, 0, Y - H, W, 3 * H - 2 * Y, 0, Half(H - Y), W, Y);
}
TARN_EFFECT_PROC(ExpandOutFromMiddleHoriz) {
  Stretch(Screen, Picture, 0, Half(H - Y), W, Y, 0, 0, W, H);
}
TARN_EFFECT_PROC(RevealFromMiddleHoriz) {
  const int T = Half(H - Y);
  Copy(Screen, Picture, 0, T, W, Y, 0, T);
}
TARN_EFFECT_PROC(SlideInFromTopBottom) {
  const int h = Half(Y);
  Copy(Screen, Picture, 0, 0, W, h, 0, 0);
  Copy(Screen, Picture, 0, H - h, W, h, 0, H - h);
}
TARN_EFFECT_PROC(ExpandInFromTopBottom) {
  const int h = Half(Y), s = Half(H);
  Stretch(Screen, Picture, 0, 0, W, h, 0, 0, W, s);
  Stretch(Screen, Picture, 0, H - h, W, h, 0, s, W, s);
}
TARN_EFFECT_PROC(UnrollFromTop) {
  int r = H / 10;
  if (Y < r) {
    r = Y;
  } else if (H - Y < 2 * r) {
    r = Half(H - Y);
  }
  Stretch(Screen, Picture, 0, Y + r - 1, W, -r, 0, Y + r, W, r);
  Copy(Screen, Picture, 0, 0, W, Y, 0, 0);
  ShadeRows(Screen, 48, Y, r);
}
TARN_EFFECT_PROC(UnrollFromBottom) {
  int r = H / 10;
  const int F = H - Y;
  if (Y < r) {
    r = Y;
  } else if (F < 2 * r) {
    r = Half(F);
  }
  Stretch(Screen, Picture, 0, F - 1, W, -r, 0, F - 2 * r - 1, W, r);
  Copy(Screen, Picture, 0, F, W, Y, 0, F);
  ShadeRows(Screen, 48, F - r, r);
}
TARN_EFFECT_PROC(BuildUpFromTop) {
  Copy(Screen, Picture, 0, 0, W, Y, 0, 0);
  const int s = std::min(H - Y, H / 10);
  Stretch(Screen, Picture, 0, Y, W, H - Y, 0, Y, W, s);
}
TARN_EFFECT_PROC(BuildUpFromBottom) {
  const int F = H - Y;
  Copy(Screen, Picture, 0, F, W, Y, 0, F);
  const int s0 = std::max(F - H / 10, 0);
  Stretch(Screen, Picture, 0, 0, W, F, 0, s0, W, F - s0);
}

// Corners.

TARN_EFFECT_PROC(ExpandFromBottomRight) {
  Stretch(Screen, Picture, W - X, H - Y, X, Y, 0, 0, W, H);
}
TARN_EFFECT_PROC(ExpandFromTopRight) {
  Stretch(Screen, Picture, W - X, 0, X, Y, 0, 0, W, H);
}
TARN_EFFECT_PROC(ExpandFromTopLeft) {
  Stretch(Screen, Picture, 0, 0, X, Y, 0, 0, W, H);
}
TARN_EFFECT_PROC(ExpandFromBottomLeft) {
  Stretch(Screen, Picture, 0, H - Y, X, Y, 0, 0, W, H);
}
TARN_EFFECT_PROC(SlideInFromBottomRight) {
  Copy(Screen, Picture, W - X, H - Y, W, H, 0, 0);
}
TARN_EFFECT_PROC(SlideInFromTopRight) {
  Copy(Screen, Picture, W - X, Y - H, W, H, 0, 0);
}
TARN_EFFECT_PROC(SlideInFromTopLeft) {
  Copy(Screen, Picture, X - W, Y - H, W, H, 0, 0);
}
TARN_EFFECT_PROC(SlideInFromBottomLeft) {
  Copy(Screen, Picture, X - W, H - Y, W, H, 0, 0);
}
TARN_EFFECT_PROC(RevealFromTopLeft) {
  Copy(Screen, Picture, 0, 0, X, Y, 0, 0);
}
TARN_EFFECT_PROC(RevealFromBottomLeft) {
  Copy(Screen, Picture, 0, H - Y, X, Y, 0, H - Y);
}
TARN_EFFECT_PROC(RevealFromBottomRight) {
  Copy(Screen, Picture, W - X, H - Y, X, Y, W - X, H - Y);
}
TARN_EFFECT_PROC(RevealFromTopRight) {
  Copy(Screen, Picture, W - X, 0, X, Y, W - X, 0);
}
TARN_EFFECT_PROC(ContractToTopLeft) {
  Stretch(Screen, Picture, 0, 0, 2 * W - X, 2 * H - Y, 0, 0, X, Y);
}
TARN_EFFECT_PROC(ContractToBottomLeft) {
  Stretch(Screen, Picture, 0, Y - H, 2 * W - X, 2 * H - Y, 0, H - Y, X, Y);
}
TARN_EFFECT_PROC(ContractToBottomRight) {
  Stretch(Screen, Picture, X - W, Y - H, 2 * W - X, 2 * H - Y, W - X, H - Y, X, Y);
}
TARN_EFFECT_PROC(ContractToTopRight) {
  Stretch(Screen, Picture, X - W, 0, 2 * W - X, 2 * H - Y, W - X, 0, X, Y);
}

// Centre and quarters.

TARN_EFFECT_PROC(ContractToMiddle) {
  Stretch(Screen, Picture, X - W, Y - H, 3 * W - 2 * X, 3 * H - 2 * Y, Half(W - X), Half(H - Y), X,
          Y);
}
TARN_EFFECT_PROC(ExpandOutFromCentre) {
  Stretch(Screen, Picture, Half(W - X), Half(H - Y), X, Y, 0, 0, W, H);
}
TARN_EFFECT_PROC(RevealOutFromCentre) {
  const int L = Half(W - X), T = Half(H - Y);
  Copy(Screen, Picture, L, T, X, Y, L, T);
}
TARN_EFFECT_PROC(RevealInToCentre) {
  ClipGuard clip(Screen);
  Screen.ExcludeClipRect({Half(X), Half(Y), W - Half(X), H - Half(Y)});
  Copy(Screen, Picture, 0, 0, W, H, 0, 0);
}
TARN_EFFECT_PROC(QuartersRevealInToMiddle) {
  const int x = Half(X), y = Half(Y);
  Copy(Screen, Picture, 0, 0, x, y, 0, 0);
  Copy(Screen, Picture, 0, H - y, x, y, 0, H - y);
  Copy(Screen, Picture, W - x, H - y, x, y, W - x, H - y);
  Copy(Screen, Picture, W - x, 0, x, y, W - x, 0);
}
TARN_EFFECT_PROC(QuartersExpandToMiddle) {
  const int x = Half(X), y = Half(Y), a = Half(W), b = Half(H);
  Stretch(Screen, Picture, 0, 0, x, y, 0, 0, a, b);
  Stretch(Screen, Picture, 0, H - y, x, y, 0, b, a, b);
  Stretch(Screen, Picture, W - x, H - y, x, y, a, b, a, b);
  Stretch(Screen, Picture, W - x, 0, x, y, a, 0, a, b);
}
TARN_EFFECT_PROC(QuartersSlideInToMiddle) {
  const int x = Half(X), y = Half(Y), a = Half(W), b = Half(H);
  Copy(Screen, Picture, x - a, 0, a, b, 0, 0);  // top left, from the left
  Copy(Screen, Picture, a, y - b, a, b, a, 0);  // top right, from the top
  Copy(Screen, Picture, W - x, b, a, b, a, b);  // bottom right, from the right
  Copy(Screen, Picture, 0, H - y, a, b, 0, b);  // bottom left, from the bottom
}

// Pushes: the old picture on Screen moves out (read before it is overwritten) as the new one
// moves in.

TARN_EFFECT_PROC(PushRight) {
  Copy(Screen, Screen, X, 0, W - X, H, 0, 0);
  Copy(Screen, Picture, 0, 0, X, H, W - X, 0);
}
TARN_EFFECT_PROC(PushLeft) {
  Copy(Screen, Screen, 0, 0, W - X, H, X, 0);
  Copy(Screen, Picture, W - X, 0, X, H, 0, 0);
}
TARN_EFFECT_PROC(PushAndSqueezeRight) {
  Stretch(Screen, Screen, X, 0, W - X, H, 0, 0, W, H);
  Copy(Screen, Picture, 0, 0, X, H, W - X, 0);
}
TARN_EFFECT_PROC(PushAndSqueezeLeft) {
  Stretch(Screen, Screen, 0, 0, W - X, H, 0, 0, W, H);
  Copy(Screen, Picture, W - X, 0, X, H, 0, 0);
}
TARN_EFFECT_PROC(PushDown) {
  Copy(Screen, Screen, 0, Y, W, H - Y, 0, 0);
  Copy(Screen, Picture, 0, 0, W, Y, 0, H - Y);
}
TARN_EFFECT_PROC(PushUp) {
  Copy(Screen, Screen, 0, 0, W, H - Y, 0, Y);
  Copy(Screen, Picture, 0, H - Y, W, Y, 0, 0);
}
TARN_EFFECT_PROC(PushAndSqueezeDown) {
  Stretch(Screen, Screen, 0, Y, W, H - Y, 0, 0, W, H);
  Copy(Screen, Picture, 0, 0, W, Y, 0, H - Y);
}
TARN_EFFECT_PROC(PushAndSqueezeUp) {
  Stretch(Screen, Screen, 0, 0, W, H - Y, 0, 0, W, H);
  Copy(Screen, Picture, 0, H - Y, W, Y, 0, 0);
}

}  // namespace tarn

// StretchBlock draws the effects' zooms and squeezes through shortcuts (whole-row copies, repeated
// rows, in-place passes within one bitmap); each must give exactly the pixels of the plain
// per-pixel sampling rule, clipped, mirrored and from the bitmap itself.
#include <gtest/gtest.h>

#include <cstdint>

#include "graphics/Bitmap32.h"
#include "graphics/Region.h"

namespace tarn {
namespace {

struct Lcg {
  uint32_t state;
  int Next(int n) {  // 0 .. n-1
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % static_cast<uint32_t>(n));
  }
};

Bitmap32 Noise(int w, int h, uint32_t seed) {
  Bitmap32 b(w, h);
  Lcg g{seed};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixelAt(x, y, static_cast<Pixel32>(g.Next(1 << 24)) * 251u + 7u);
  return b;
}

int NonZero(Lcg& g, int span) {
  const int v = g.Next(2 * span + 1) - span;
  return v == 0 ? 1 : v;
}

// Source position of destination position d, straight from the sampling rule; -1 outside the
// block or the source.
long long Sample(long long d, long long pos, long long len, long long spos, long long slen,
                 long long limit) {
  const long long n = len > 0 ? len : -len, sn = slen > 0 ? slen : -slen;
  const long long i = len > 0 ? d - pos : pos - d;
  if (i < 0 || i >= n) return -1;
  const long long j = (2 * i + 1) * sn / (2 * n);
  const long long s = slen > 0 ? spos + j : spos - j;
  return s >= 0 && s < limit ? s : -1;
}

// The stretch pixel by pixel, reading a copy of the source taken before anything is drawn.
void Reference(Bitmap32& dest, int x, int y, int w, int h, const Bitmap32& source, int sx, int sy,
               int sw, int sh) {
  const Bitmap32 from(source);
  for (int py = 0; py < dest.Height(); ++py) {
    for (int px = 0; px < dest.Width(); ++px) {
      if (dest.HasClip() && !dest.Clip()->Contains(px, py)) continue;
      const long long cx = Sample(px, x, w, sx, sw, from.Width());
      const long long cy = Sample(py, y, h, sy, sh, from.Height());
      if (cx >= 0 && cy >= 0)
        dest.SetPixelAt(px, py, from.PixelAt(static_cast<int>(cx), static_cast<int>(cy)));
    }
  }
}

Region RandomClip(Lcg& g, int W, int H) {
  if (g.Next(3) == 0) return Region::Ellipse(g.Next(W) - 2, g.Next(H) - 2, W, H + 1);
  TRect rects[4];
  const int n = 1 + g.Next(4);
  for (int i = 0; i < n; ++i) {
    const int l = g.Next(W + 2) - 1, t = g.Next(H + 2) - 1;
    rects[i] = {l, t, l + 1 + g.Next(W), t + 1 + g.Next(H)};
  }
  return Region::FromRects(rects, static_cast<std::size_t>(n));
}

TEST(StretchBlockTest, MatchesTheSamplingRule) {
  Lcg g{11};
  for (int round = 0; round < 3000; ++round) {
    const int W = 1 + g.Next(40), H = 1 + g.Next(30);
    const Bitmap32 source = Noise(W, H, static_cast<uint32_t>(round));
    const Bitmap32 base = Noise(W, H, static_cast<uint32_t>(round + 100000));
    const int x = g.Next(3 * W) - W, y = g.Next(3 * H) - H;
    const int w = NonZero(g, 2 * W), h = NonZero(g, 2 * H);
    const int sx = g.Next(2 * W) - W / 2, sy = g.Next(2 * H) - H / 2;
    const int sw = NonZero(g, 2 * W), sh = NonZero(g, 2 * H);
    const bool clipped = g.Next(2) == 0;
    const Region clip = RandomClip(g, W, H);
    SCOPED_TRACE(::testing::Message()
                 << W << "x" << H << " (" << x << "," << y << "," << w << "," << h << ") <- (" << sx
                 << "," << sy << "," << sw << "," << sh << ") clip " << clipped);
    Bitmap32 expected(base), actual(base);
    if (clipped) {
      expected.SelectClip(clip);
      actual.SelectClip(clip);
    }
    Reference(expected, x, y, w, h, source, sx, sy, sw, sh);
    actual.StretchBlock(x, y, w, h, source, sx, sy, sw, sh);
    ASSERT_EQ(actual, expected);

    // From the bitmap itself: as if the source were read before anything is drawn.
    Bitmap32 selfExpected(source), selfActual(source);
    if (clipped) {
      selfExpected.SelectClip(clip);
      selfActual.SelectClip(clip);
    }
    Reference(selfExpected, x, y, w, h, selfExpected, sx, sy, sw, sh);
    selfActual.StretchBlock(x, y, w, h, selfActual, sx, sy, sw, sh);
    ASSERT_EQ(selfActual, selfExpected);
  }
}

TEST(StretchBlockTest, InPlaceSqueezesShiftsAndMirrors) {
  // The cases that run within one bitmap without a copy (reads on one side of the writes) and
  // those that must not (mirrors over themselves), at every extent of a small frame.
  const int W = 23, H = 9;
  for (int X = 1; X < W; ++X) {
    const Bitmap32 picture = Noise(W, H, static_cast<uint32_t>(X));
    struct Case {
      int x, y, w, h, sx, sy, sw, sh;
    };
    const Case cases[] = {
        {X, 0, W - X, H, 0, 0, W, H},          // squeeze to the right
        {0, 0, W - X, H, 0, 0, W, H},          // squeeze to the left
        {0, 0, W, H, X, 0, W - X, H},          // zoom from the right part
        {0, X % H, W, H - X % H, 0, 0, W, H},  // squeeze downward
        {0, 0, W, H, 0, X % H, W, H - X % H},  // zoom from the lower part
        {X, 0, W, H, 0, 0, W, H},              // shift right by a copy of rows
        {W - 1, 0, -W, H, 0, 0, W, H},         // mirror in place
        {0, H - 1, W, -H, 0, 0, W, H},         // flip in place
        {X - 1, 0, -X, H, X, 0, W - X, H},     // mirror of the right part onto the left
        {W - 1, 0, -(W - X), H, 0, 0, X, H},   // mirror of the left part onto the right
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message()
                   << X << ": (" << c.x << "," << c.y << "," << c.w << "," << c.h << ") <- ("
                   << c.sx << "," << c.sy << "," << c.sw << "," << c.sh << ")");
      Bitmap32 expected(picture), actual(picture);
      Reference(expected, c.x, c.y, c.w, c.h, expected, c.sx, c.sy, c.sw, c.sh);
      actual.StretchBlock(c.x, c.y, c.w, c.h, actual, c.sx, c.sy, c.sw, c.sh);
      ASSERT_EQ(actual, expected);
    }
  }
}

}  // namespace
}  // namespace tarn

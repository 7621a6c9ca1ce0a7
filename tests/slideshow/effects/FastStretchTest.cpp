// The effects' zooms and squeezes go through FastStretch; it must draw exactly what
// Bitmap32::StretchBlock draws, mirrored, clipped, enlarged, shrunk or from its own bitmap.
#include <gtest/gtest.h>

#include "slideshow/effects/FastStretch.h"
#include "tests/slideshow/effects/EffectTestSupport.h"

namespace tarn {
namespace {

using namespace tarn::testing;

int NonZero(Lcg& g, int span) {
  const int v = g.Next(2 * span + 1) - span;
  return v == 0 ? 1 : v;
}

TEST(FastStretchTest, MatchesStretchBlock) {
  Lcg g{11};
  for (int round = 0; round < 4000; ++round) {
    const int W = 1 + g.Next(40), H = 1 + g.Next(30);
    const Bitmap32 source = NoisePicture(W, H, static_cast<uint32_t>(round));
    const Bitmap32 base = NoisePicture(W, H, static_cast<uint32_t>(round + 100000));
    const int x = g.Next(3 * W) - W, y = g.Next(3 * H) - H;
    const int w = NonZero(g, 2 * W), h = NonZero(g, 2 * H);
    const int sx = g.Next(2 * W) - W / 2, sy = g.Next(2 * H) - H / 2;
    const int sw = NonZero(g, 2 * W), sh = NonZero(g, 2 * H);
    SCOPED_TRACE(::testing::Message()
                 << W << "x" << H << " (" << x << "," << y << "," << w << "," << h << ") <- (" << sx
                 << "," << sy << "," << sw << "," << sh << ")");
    Bitmap32 expected(base), actual(base);
    expected.StretchBlock(x, y, w, h, source, sx, sy, sw, sh);
    FastStretch(actual, x, y, w, h, source, sx, sy, sw, sh);
    ASSERT_EQ(actual, expected);
    // From the bitmap itself: as if the block were read before anything is drawn.
    Bitmap32 selfExpected(source), selfActual(source);
    selfExpected.StretchBlock(x, y, w, h, selfExpected, sx, sy, sw, sh);
    FastStretch(selfActual, x, y, w, h, selfActual, sx, sy, sw, sh);
    ASSERT_EQ(selfActual, selfExpected);
  }
}

TEST(FastStretchTest, SqueezesInPlace) {
  // The pushes' squeezes, which run in place, at every extent of a small frame.
  for (int X = 1; X < 23; ++X) {
    const Bitmap32 picture = NoisePicture(23, 9, static_cast<uint32_t>(X));
    for (const bool down : {false, true}) {
      Bitmap32 expected(picture), actual(picture);
      const int dx = down ? X : 0;
      expected.StretchBlock(dx, 0, 23 - X, 9, expected, 0, 0, 23, 9);
      FastStretch(actual, dx, 0, 23 - X, 9, actual, 0, 0, 23, 9);
      EXPECT_EQ(actual, expected) << X;
    }
  }
}

}  // namespace
}  // namespace tarn

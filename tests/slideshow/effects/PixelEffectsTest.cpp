// The per-pixel effects compute every pixel themselves; a wrong rounding, fixed-point step or
// generator draw changes colours or patterns across the whole frame. Each expectation is
// computed here pixel by pixel from the definitions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "slideshow/effects/EffectRandom.h"
#include "slideshow/effects/EffectTable.h"
#include "slideshow/effects/PixelEffects.h"
#include "tests/slideshow/effects/EffectTestSupport.h"

namespace tarn {
namespace {

using namespace tarn::testing;

Bitmap32 RunAt(int style, const Bitmap32& oldPic, const Bitmap32& newPic, int progress) {
  const TPoint e = TransitionExtent(newPic.Width(), newPic.Height(), progress);
  return RunEffect(style, oldPic, newPic, e.X, e.Y, progress);
}

// s + floor(w (p - s) / 256) per colour byte, the fourth byte from s.
Pixel32 Blended(Pixel32 s, Pixel32 p, int percent) {
  const int w = static_cast<int>(std::lround(256.0 * percent / 100.0));
  Pixel32 out = s & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((s >> shift) & 0xFF), b = static_cast<int>((p >> shift) & 0xFF);
    out |= static_cast<Pixel32>(a + static_cast<int>(std::floor(w * (b - a) / 256.0))) << shift;
  }
  return out;
}

TEST(FadeTest, HalfWayRoundsDown) {
  Bitmap32 oldPic(2, 1), newPic(2, 1);
  oldPic.SetPixelAt(0, 0, 0x12000000u);
  newPic.SetPixelAt(0, 0, 0x34FFFFFFu);
  oldPic.SetPixelAt(1, 0, 0x56FFFFFFu);
  newPic.SetPixelAt(1, 0, 0x78000000u);
  const Bitmap32 s = RunAt(118, oldPic, newPic, 50);
  EXPECT_EQ(s.PixelAt(0, 0), 0x127F7F7Fu);  // 0 -> 255 gives 127
  EXPECT_EQ(s.PixelAt(1, 0), 0x567F7F7Fu);  // 255 -> 0 gives 255 + floor(-127.5) = 127
}

TEST(FadeTest, EveryByteOfNoise) {
  const Bitmap32 oldPic = NoisePicture(37, 23, 1), newPic = NoisePicture(37, 23, 2);
  for (const int p : {1, 13, 50, 87, 99}) {
    EXPECT_TRUE(PixelsMatch(RunAt(118, oldPic, newPic, p), [&](int x, int y) {
      return Blended(oldPic.PixelAt(x, y), newPic.PixelAt(x, y), p);
    })) << p;
  }
}

// The pivot by inverse mapping in 16.16 fixed point, with 64-bit arithmetic reduced to the
// 32-bit value whose upper half is taken.
int Hi16Of(int64_t n) {
  const auto wrapped = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(n)));
  return static_cast<int>(std::floor(wrapped / 65536.0));
}

Bitmap32 PivotExpected(const Bitmap32& oldPic, const Bitmap32& newPic, int PX, int PY,
                       long double angle) {
  const int W = newPic.Width(), H = newPic.Height();
  const auto Fs = static_cast<int64_t>(std::trunc(std::sin(-angle) * 65536));
  const auto Fc = static_cast<int64_t>(std::trunc(std::cos(-angle) * 65536));
  Bitmap32 out(oldPic);
  for (int y = 0; y < H; ++y) {
    for (int x = W - 1; x >= 0; --x) {
      const int64_t rx = x + 1 - PX, ry = (H - y) - PY;
      const int u = PX + Hi16Of(Fc * rx - Fs * ry), v = PY + Hi16Of(Fs * rx + Fc * ry);
      if (u >= 0 && u < W && v >= 0 && v < H) out.SetPixelAt(x, y, newPic.PixelAt(u, H - 1 - v));
    }
  }
  return out;
}

TEST(PivotTest, MatchesTheFixedPointMapping) {
  const long double pi = std::numbers::pi_v<long double>;
  const Bitmap32 oldPic = OldPicture(40, 30), newPic = NewPicture(40, 30);
  const int W = 40, H = 30;
  for (const int p : {1, 30, 50, 99}) {
    EXPECT_EQ(RunAt(119, oldPic, newPic, p),
              PivotExpected(oldPic, newPic, -1, -1, (100 - p) * pi / 200))
        << p;
    EXPECT_EQ(RunAt(120, oldPic, newPic, p),
              PivotExpected(oldPic, newPic, -1, H, (p - 100) * pi / 200))
        << p;
    EXPECT_EQ(RunAt(121, oldPic, newPic, p),
              PivotExpected(oldPic, newPic, W, -1, (p - 100) * pi / 200))
        << p;
    EXPECT_EQ(RunAt(122, oldPic, newPic, p),
              PivotExpected(oldPic, newPic, W, H, (100 - p) * pi / 200))
        << p;
  }
}

TEST(PivotTest, StartsAQuarterTurnAwayAndComesToRest) {
  const Bitmap32 oldPic = OldPicture(40, 30), newPic = NewPicture(40, 30);
  for (const int style : {119, 120, 121, 122}) {
    EXPECT_LT(NewFraction(RunAt(style, oldPic, newPic, 1)), 0.05) << style;
    EXPECT_GT(NewFraction(RunAt(style, oldPic, newPic, 99)), 0.9) << style;
  }
}

TEST(PixelateTest, HalfWayIsABlendedBlockBlownUp) {
  // 100 x 60 at 50: k = 98, the block (49, 29, 2, 2) of the half-and-half blend, stretched over
  // (-98, -58, 296, 176): four blocks of blended pixels.
  const Bitmap32 oldPic = NoisePicture(100, 60, 3), newPic = NoisePicture(100, 60, 4);
  EXPECT_TRUE(PixelsMatch(RunAt(168, oldPic, newPic, 50), [&](int x, int y) {
    const int sx = x < 50 ? 49 : 50, sy = y < 30 ? 29 : 30;
    return Blended(oldPic.PixelAt(sx, sy), newPic.PixelAt(sx, sy), 50);
  }));
}

TEST(PixelateTest, ZoomsThroughNearestPixels) {
  const int W = 100, H = 60;
  const Bitmap32 oldPic = NoisePicture(W, H, 5), newPic = NoisePicture(W, H, 6);
  for (const int p : {1, 20, 45, 51, 70, 99}) {
    const TPoint e = TransitionExtent(W, H, p);
    int k, ex = e.X, ey = e.Y;
    Bitmap32 source = p > 50 ? newPic : oldPic;
    if (p > 50) {
      k = 180 + static_cast<int>(std::lround((p - 100) * 82 / 50.0));
      ex = W - e.X;
      ey = H - e.Y;
    } else {
      k = 180 - static_cast<int>(std::lround(p * 82 / 50.0));
    }
    const int xs = static_cast<int>(std::lround(ex * k / 100.0)),
              ys = static_cast<int>(std::lround(ey * k / 100.0));
    const int sw = std::max(W - 2 * xs, 2), sh = std::max(H - 2 * ys, 2);
    if (p > 40 && p < 60) {
      source = oldPic;
      for (int y = ys; y < std::min(ys + sh, H); ++y) {
        for (int x = xs; x < std::min(xs + sw, W); ++x) {
          source.SetPixelAt(x, y, Blended(oldPic.PixelAt(x, y), newPic.PixelAt(x, y), 5 * p - 200));
        }
      }
    }
    EXPECT_TRUE(PixelsMatch(RunAt(168, oldPic, newPic, p), [&](int x, int y) {
      const int sx = xs + StretchSource(x + 2 * xs, W + 4 * xs, sw);
      const int sy = ys + StretchSource(y + 2 * ys, H + 4 * ys, sh);
      return source.PixelAt(sx, sy);
    })) << p;
  }
}

TEST(DissolveTest, SamePatternEveryRunAndTheSequenceContinues) {
  const int W = 45, H = 17;
  const Bitmap32 oldPic = OldPicture(W, H), newPic = NewPicture(W, H);
  for (const int p : {5, 50, 95}) {
    SetRandSeed(777);
    const Bitmap32 s = RunAt(169, oldPic, newPic, p);
    EXPECT_EQ(RandSeed(), 777u);
    Lcg g{static_cast<uint32_t>(W + H)};
    Bitmap32 expected(oldPic);
    for (int y = H - 1; y >= 0; --y) {  // memory order: bottom row first
      for (int x = 0; x < W; ++x) {
        if (g.Next(100) < p) expected.SetPixelAt(x, y, newPic.PixelAt(x, y));
      }
    }
    EXPECT_EQ(s, expected) << p;
  }
  // A pixel once shown stays shown.
  const Bitmap32 a = RunAt(169, oldPic, newPic, 30), b = RunAt(169, oldPic, newPic, 31);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      EXPECT_TRUE(!IsNew(a.PixelAt(x, y)) || IsNew(b.PixelAt(x, y))) << x << "," << y;
    }
  }
}

TEST(RandomBarsTest, RowsBottomFirstAndColumnsLeftToRight) {
  const int W = 30, H = 50;
  const Bitmap32 oldPic = OldPicture(W, H), newPic = NewPicture(W, H);
  SetRandSeed(4242);
  const Bitmap32 rows = RunAt(170, oldPic, newPic, 40);
  const Bitmap32 cols = RunAt(171, oldPic, newPic, 40);
  EXPECT_EQ(RandSeed(), 4242u);
  Lcg g{W + H};
  bool rowShown[H];
  for (int y = H - 1; y >= 0; --y)
    rowShown[y] = g.Next(100) < 40;
  EXPECT_TRUE(
      PixelsMatch(rows, [&](int x, int y) { return rowShown[y] ? NewAt(x, y) : OldAt(x, y); }));
  Lcg c{W + H};
  bool colShown[W];
  for (int x = 0; x < W; ++x)
    colShown[x] = c.Next(100) < 40;
  EXPECT_TRUE(
      PixelsMatch(cols, [&](int x, int y) { return colShown[x] ? NewAt(x, y) : OldAt(x, y); }));
  // A picture one pixel high draws one number per frame: all or nothing.
  const Bitmap32 line = RunAt(170, OldPicture(64, 1), NewPicture(64, 1), 50);
  const double f = NewFraction(line);
  EXPECT_TRUE(f == 0.0 || f == 1.0);
  EXPECT_EQ(f == 1.0, Lcg{65}.Next(100) < 50);
}

TEST(BlendAreaTest, OnlyTheBlockAndClipped) {
  const Bitmap32 oldPic = NoisePicture(20, 10, 7), newPic = NoisePicture(20, 10, 8);
  Bitmap32 screen(oldPic);
  BlendArea(screen, newPic, 30, 5, 40, 8, 15);  // rows 8.., columns 15.. clipped to the bitmap
  EXPECT_TRUE(PixelsMatch(screen, [&](int x, int y) {
    return x >= 15 && y >= 8 ? Blended(oldPic.PixelAt(x, y), newPic.PixelAt(x, y), 30)
                             : oldPic.PixelAt(x, y);
  }));
}

}  // namespace
}  // namespace tarn

// The region effects reveal the new picture through shapes and rectangle lists; a wrong vertex,
// bar phase or seed shows as a torn or flickering transition. Expected regions are built here
// from the worked numbers, not from the effects' own code.
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "graphics/Region.h"
#include "slideshow/effects/ComplexRegion.h"
#include "slideshow/effects/EffectRandom.h"
#include "slideshow/effects/EffectTable.h"
#include "slideshow/effects/RectListEffects.h"
#include "slideshow/effects/RegionReveal.h"
#include "slideshow/effects/ShapeEffects.h"
#include "tests/slideshow/effects/EffectTestSupport.h"

namespace tarn {
namespace {

using namespace tarn::testing;

::testing::AssertionResult ShowsThrough(const Bitmap32& screen, const Region& expected) {
  return PixelsMatch(
      screen, [&](int x, int y) { return expected.Contains(x, y) ? NewAt(x, y) : OldAt(x, y); });
}

Bitmap32 RunFrame(int style, int W, int H, int X, int Y, int progress) {
  return RunEffect(style, OldPicture(W, H), NewPicture(W, H), X, Y, progress);
}
Bitmap32 RunAt(int style, int W, int H, int progress) {
  const TPoint e = TransitionExtent(W, H, progress);
  return RunFrame(style, W, H, e.X, e.Y, progress);
}

// The worked frame: W = 1000, H = 600, X = 130, Y = 70, Progress = 37.
TEST(ShapeEffectsTest, WorkedZigzag) {
  std::vector<TPoint> p;
  for (int k = 0; k <= 11; ++k)
    p.push_back({k * 100, k % 2 == 0 ? 303 : 183});
  for (int k = 11; k >= 0; --k)
    p.push_back({k * 100, k % 2 == 1 ? 297 : 417});
  EXPECT_EQ(p.front(), (TPoint{0, 303}));
  EXPECT_EQ(p[11], (TPoint{1100, 183}));
  EXPECT_EQ(p[12], (TPoint{1100, 297}));
  EXPECT_TRUE(ShowsThrough(RunFrame(162, 1000, 600, 130, 70, 37),
                           Region::Polygon(p.data(), p.size(), PolyFillMode::Winding)));
}

TEST(ShapeEffectsTest, WorkedTriangularShred) {
  Region expected;
  int count = 0;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 6; ++j) {
      const int cx = 101 + 202 * i, cy = 61 + 122 * j;  // first: (26, 16), (101, 106), (176, 16)
      const TPoint t[3] = {{cx - 75, cy - 45}, {cx, cy + 45}, {cx + 75, cy - 45}};
      expected |= Region::Polygon(t, 3, PolyFillMode::Winding);
      ++count;
    }
  }
  EXPECT_EQ(count, 30);
  EXPECT_TRUE(ShowsThrough(RunFrame(117, 1000, 600, 130, 70, 37), expected));
}

TEST(ShapeEffectsTest, WorkedDiamondShred) {
  Region expected;
  for (int i = 0; i < 9; ++i) {
    for (int j = 0; j < 5; ++j) {
      const int cx = 61 + 122 * i,
                cy = 61 + 122 * j;  // first: (16, 61), (61, 16), (106, 61), (61, 106)
      const TPoint d[4] = {{cx - 45, cy}, {cx, cy - 45}, {cx + 45, cy}, {cx, cy + 45}};
      expected |= Region::Polygon(d, 4, PolyFillMode::Winding);
    }
  }
  EXPECT_TRUE(ShowsThrough(RunFrame(164, 1000, 600, 130, 70, 37), expected));
}

TEST(ShapeEffectsTest, WorkedEllipticReveal) {
  EXPECT_TRUE(ShowsThrough(RunFrame(84, 1000, 600, 130, 70, 37),
                           Region::RoundRect(370, 230, 630, 370, 234, 126)));
  // Row 85 shows the outside of its shape.
  const Region inner =
      Region::RoundRect(130 - 500, 70 - 300, 1500 - 130, 900 - 70, 9 * 870 / 5, 9 * 530 / 5);
  EXPECT_TRUE(
      ShowsThrough(RunFrame(85, 1000, 600, 130, 70, 37),
                   Region::Combine(Region(TRect{0, 0, 1000, 600}), inner, CombineMode::Xor)));
}

// The grids scan-convert one cell's shape and move it; the frame must equal the union of every
// cell's own shape.
TEST(ShapeEffectsTest, GridsEqualTheUnionOfTheirCells) {
  auto lround = [](double v) { return static_cast<int>(v < 0 ? v - 0.5 : v + 0.5); };
  for (const auto& [W, H] : {std::pair{503, 186}, {90, 140}}) {
    for (const int p : {1, 30, 50, 77, 99}) {
      const TPoint e = TransitionExtent(W, H, p);
      Region triangles, circles, diamonds;
      const int ta = W / 10 + 1, tb = H / 10 + 1;
      const int dx = lround(ta * p / 50.0), dy = lround(tb * p / 50.0);
      for (int cx = ta; cx - ta < W; cx += 2 * ta) {
        for (int cy = tb; cy - tb < H + tb; cy += 2 * tb) {
          const TPoint t[3] = {{cx - dx, cy - dy}, {cx, cy + dy}, {cx + dx, cy - dy}};
          triangles |= Region::Polygon(t, 3, PolyFillMode::Winding);
        }
      }
      const int a = std::min(W, H) / 10 + 1;
      const int r = lround(3 * a * p / 200.0), d = lround(a * p / 50.0);
      for (int x = 0; x < W; x += 2 * a) {
        for (int y = 0; y < H; y += 2 * a) {
          circles |= Region::Ellipse(x + a - r, y + a - r, x + a + r, y + a + r);
          const TPoint q[4] = {
              {x + a - d, y + a}, {x + a, y + a - d}, {x + a + d, y + a}, {x + a, y + a + d}};
          diamonds |= Region::Polygon(q, 4, PolyFillMode::Winding);
        }
      }
      EXPECT_TRUE(ShowsThrough(RunFrame(117, W, H, e.X, e.Y, p), triangles)) << W << " " << p;
      EXPECT_TRUE(ShowsThrough(RunFrame(152, W, H, e.X, e.Y, p), circles)) << W << " " << p;
      EXPECT_TRUE(ShowsThrough(RunFrame(164, W, H, e.X, e.Y, p), diamonds)) << W << " " << p;
    }
  }
}

TEST(ShapeEffectsTest, SweepStartsEmptyAndReachesTheCorners) {
  const int W = 200, H = 100, cx = 100;
  EXPECT_EQ(NewFraction(RunAt(143, W, H, 1)), 0.0);
  EXPECT_EQ(NewFraction(RunAt(144, W, H, 1)), 0.0);
  // At 50 the right half from 12 o'clock to one step short of 6 o'clock.
  const Bitmap32 half = RunAt(143, W, H, 50);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < cx - 1; ++x)
      ASSERT_FALSE(IsNew(half.PixelAt(x, y))) << x << "," << y;
  }
  EXPECT_TRUE(IsNew(half.PixelAt(W - 1, 0)));
  EXPECT_TRUE(IsNew(half.PixelAt(W - 1, H - 1)));
  EXPECT_TRUE(IsNew(half.PixelAt(cx + 3, 1)));
  EXPECT_FALSE(IsNew(half.PixelAt(cx + 1, H - 1)));
  // The anticlockwise sweep mirrors it onto the left half.
  const Bitmap32 left = RunAt(144, W, H, 50);
  EXPECT_TRUE(IsNew(left.PixelAt(0, 0)));
  EXPECT_FALSE(IsNew(left.PixelAt(W - 1, H / 2)));
  // The radius reaches the corners.
  const Bitmap32 almost = RunAt(143, W, H, 99);
  for (const TPoint c : {TPoint{0, 0}, TPoint{W - 1, 0}, TPoint{0, H - 1}, TPoint{W - 1, H - 1}}) {
    EXPECT_TRUE(IsNew(almost.PixelAt(c.X, c.Y))) << c.X << "," << c.Y;
  }
}

TEST(ShapeEffectsTest, DiagonalBoxOutStartsAsARingThroughTheEdgeMiddles) {
  const Bitmap32 s = RunAt(167, 200, 100, 10);
  EXPECT_TRUE(IsNew(s.PixelAt(0, 50)));
  EXPECT_TRUE(IsNew(s.PixelAt(100, 0)));
  EXPECT_FALSE(IsNew(s.PixelAt(100, 50)));
  EXPECT_FALSE(IsNew(s.PixelAt(0, 0)));
}

TEST(ShapeEffectsTest, SectorPoints) {
  // A quarter turn in two steps about (50, 50), radius 10: the centre, 12 and 1:30 o'clock.
  const Region r = CreateSectorRgn(50, 50, 10, 2, 0, -std::numbers::pi_v<long double> / 2);
  const TPoint p[3] = {{50, 50}, {50, 40}, {57, 43}};
  EXPECT_EQ(r, Region::Polygon(p, 3, PolyFillMode::Winding));
}

// Bars: e = min(W, H) div 50 + 1 = 2 for 100 x 60.
bool InEvenBar(int y) {
  return (y / 2) % 2 == 0;
}

TEST(RectListEffectsTest, BarsHalfWayCompleteTheEvenBars) {
  const Bitmap32 half = RunFrame(60, 100, 60, 50, 30, 50);  // 2X = W
  EXPECT_TRUE(
      PixelsMatch(half, [](int x, int y) { return InEvenBar(y) ? NewAt(x, y) : OldAt(x, y); }));
  // Just past it the odd bars start at the right edge.
  const Bitmap32 past = RunFrame(60, 100, 60, 51, 31, 51);
  EXPECT_TRUE(PixelsMatch(
      past, [](int x, int y) { return InEvenBar(y) || x >= 98 ? NewAt(x, y) : OldAt(x, y); }));
  // Row 61 mirrors it: odd bars from the left.
  EXPECT_TRUE(PixelsMatch(RunFrame(61, 100, 60, 51, 31, 51), [](int x, int y) {
    return InEvenBar(y) || x < 2 ? NewAt(x, y) : OldAt(x, y);
  }));
}

TEST(RectListEffectsTest, BarsFromBothSides) {
  for (const int X : {1, 30, 77}) {
    EXPECT_TRUE(PixelsMatch(RunFrame(64, 100, 60, X, 0, 40), [&](int x, int y) {
      const bool shown = InEvenBar(y) ? x >= 100 - X : x < X;
      return shown ? NewAt(x, y) : OldAt(x, y);
    })) << X;
  }
  // Vertical bars from the top are columns 2 pixels wide.
  EXPECT_TRUE(PixelsMatch(RunFrame(72, 100, 60, 0, 5, 8), [](int x, int y) {
    return (x / 2) % 2 == 0 && y < 10 ? NewAt(x, y) : OldAt(x, y);
  }));
}

TEST(RectListEffectsTest, RandomSquaresAreStableAndKeepTheSequence) {
  SetRandSeed(12345);
  const Bitmap32 a = RunAt(127, 120, 80, 30);
  EXPECT_EQ(RandSeed(), 12345u);
  EXPECT_EQ(RunAt(127, 120, 80, 30), a);
  const Bitmap32 b = RunAt(127, 120, 80, 60);
  EXPECT_GT(NewFraction(b), NewFraction(a));
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) {
      ASSERT_TRUE(!IsNew(a.PixelAt(x, y)) || IsNew(b.PixelAt(x, y))) << x << "," << y;
    }
  }
  // Squares are q = (80 div 50) x 2 + 2 = 4 pixels: every 4 x 4 cell is wholly new or old.
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x)
      ASSERT_EQ(IsNew(b.PixelAt(x, y)), IsNew(b.PixelAt(x / 4 * 4, y / 4 * 4)));
  }
}

TEST(RectListEffectsTest, ShredsAndSpecklesChangeEveryFrame) {
  SetRandSeed(99);
  for (const int style : {65, 76, 100, 109, 123, 126}) {
    const Bitmap32 first = RunAt(style, 100, 60, 40);
    EXPECT_NE(RunAt(style, 100, 60, 40), first) << style;
  }
  // Shred strips are 1 pixel high at 100 x 60, each with its own length.
  const Bitmap32 s = RunAt(66, 100, 60, 50);
  int changes = 0;
  for (int y = 1; y < 60; ++y) {
    int a = 0, b = 0;
    for (int x = 0; x < 100; ++x) {
      a += IsNew(s.PixelAt(x, y - 1)) ? 1 : 0;
      b += IsNew(s.PixelAt(x, y)) ? 1 : 0;
    }
    changes += a != b ? 1 : 0;
  }
  EXPECT_GT(changes, 30);
}

TEST(RectListEffectsTest, EmptyListsDrawNothing) {
  const Bitmap32 oldPic = OldPicture(30, 15);
  for (const int style : {138, 139, 140, 141})
    EXPECT_EQ(RunFrame(style, 30, 15, 0, 0, 1), oldPic) << style;
  // Less than 20 pixels high (145, 146) or wide (147, 148).
  for (const int style : {145, 146})
    EXPECT_EQ(RunFrame(style, 30, 15, 20, 10, 60), oldPic) << style;
  const Bitmap32 narrow = OldPicture(15, 30);
  for (const int style : {147, 148})
    EXPECT_EQ(RunFrame(style, 15, 30, 10, 20, 60), narrow) << style;
}

TEST(RectListEffectsTest, BlindsAndUnevenBlinds) {
  // 136 at 80 wide, 50 %: n = 3, a = 2: columns x + 1 .. x + 4 of every 6.
  EXPECT_TRUE(PixelsMatch(RunFrame(136, 80, 10, 40, 5, 50), [](int x, int y) {
    const int m = x % 6;
    return m >= 1 && m <= 4 ? NewAt(x, y) : OldAt(x, y);
  }));
  // 138 with X = 20 at 50 %: the first 10 columns of every 20.
  EXPECT_TRUE(PixelsMatch(RunFrame(138, 80, 10, 20, 3, 50),
                          [](int x, int y) { return x % 20 < 10 ? NewAt(x, y) : OldAt(x, y); }));
  // 139 counts from the right edge.
  EXPECT_TRUE(PixelsMatch(RunFrame(139, 70, 10, 20, 3, 50), [](int x, int y) {
    return (70 - x - 1) % 20 < 10 ? NewAt(x, y) : OldAt(x, y);
  }));
}

// Revealing a rectangle list directly must give the frame that clipping to its region gives.
::testing::AssertionResult SameAsThroughRegion(const TComplexRegion& list, int W, int H) {
  Bitmap32 direct = OldPicture(W, H), clipped = OldPicture(W, H);
  const Bitmap32 newPic = NewPicture(W, H);
  RevealRects(direct, newPic, list.Rects());
  TComplexRegion copy;
  for (const TRect& r : list.Rects())
    copy.AddRect(r.Left, r.Top, r.Right, r.Bottom);
  RevealThrough(clipped, newPic, copy.CreateRegion());
  if (direct == clipped) return ::testing::AssertionSuccess();
  return PixelsMatch(direct, [&](int x, int y) { return clipped.PixelAt(x, y); });
}

TEST(RevealRectsTest, MatchesTheRegionPathForEveryBuilder) {
  using Builder = void (*)(TComplexRegion&, int, int, int, int, int, int);
  for (const auto& [W, H] : {std::pair{503, 186}, {90, 140}}) {
    for (const int p : {3, 26, 50, 51, 74, 97}) {
      const TPoint e = TransitionExtent(W, H, p);
      for (const Builder build :
           {Builder{AddBarsRects}, Builder{AddShredRects}, Builder{AddSpeckleRects}}) {
        for (const auto& [h, v] : {std::pair{1, 0},
                                   {2, 0},
                                   {3, 0},
                                   {4, 0},
                                   {5, 0},
                                   {0, 1},
                                   {0, 2},
                                   {0, 3},
                                   {0, 4},
                                   {0, 5},
                                   {1, 1},
                                   {3, 2},
                                   {4, 5}}) {
          TComplexRegion list;
          SetRandSeed(static_cast<uint32_t>(p * 7919 + h * 31 + v));
          build(list, 2 * e.X, 2 * e.Y, W, H, h, v);
          EXPECT_TRUE(SameAsThroughRegion(list, W, H))
              << W << "x" << H << " p" << p << " modes " << h << v;
        }
      }
    }
  }
}

TEST(RevealRectsTest, OverlappingOutsideAndInvertedRectangles) {
  Lcg g{5};
  for (int round = 0; round < 40; ++round) {
    TComplexRegion list;
    const int n = 1 + g.Next(300);
    for (int i = 0; i < n; ++i) {
      const int l = g.Next(140) - 20, t = g.Next(100) - 20;
      list.AddRect(l, t, l + g.Next(80) - 10, t + g.Next(50) - 10);
    }
    EXPECT_TRUE(SameAsThroughRegion(list, 100, 60)) << round;
  }
}

}  // namespace
}  // namespace tarn

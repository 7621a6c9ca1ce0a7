// Protects region algebra and our scan conversion: the transition effects and the clipping of
// every control rely on exact pixel sets.
#include "graphics/Region.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace tarn {
namespace {

// Oracle: the pixels of a region by point tests over a window.
std::set<std::pair<int, int>> Pixels(const Region& r, const TRect& window) {
  std::set<std::pair<int, int>> out;
  for (int y = window.Top; y < window.Bottom; ++y)
    for (int x = window.Left; x < window.Right; ++x)
      if (r.Contains(x, y)) out.insert({x, y});
  return out;
}

TEST(RegionTest, RectangleHasExclusiveRightAndBottom) {
  const Region r(Rect(2, 3, 5, 7));
  EXPECT_EQ(r.Area(), 12);
  EXPECT_TRUE(r.Contains(2, 3));
  EXPECT_TRUE(r.Contains(4, 6));
  EXPECT_FALSE(r.Contains(5, 6));
  EXPECT_FALSE(r.Contains(4, 7));
  EXPECT_EQ(r.Bounds(), Rect(2, 3, 5, 7));
  EXPECT_TRUE(Region(Rect(5, 5, 5, 9)).IsEmpty());
  EXPECT_TRUE(Region(Rect(9, 5, 5, 9)).IsEmpty());
  EXPECT_EQ(Region().Bounds(), TRect{});
}

TEST(RegionTest, CombineModesCountAreasAndPoints) {
  const Region a(Rect(0, 0, 10, 10));
  const Region b(Rect(5, 5, 15, 15));
  const Region u = Region::Combine(a, b, CombineMode::Or);
  const Region i = Region::Combine(a, b, CombineMode::And);
  const Region x = Region::Combine(a, b, CombineMode::Xor);
  const Region d = Region::Combine(a, b, CombineMode::Diff);
  EXPECT_EQ(u.Area(), 175);
  EXPECT_EQ(i.Area(), 25);
  EXPECT_EQ(x.Area(), 150);
  EXPECT_EQ(d.Area(), 75);
  EXPECT_TRUE(u.Contains(14, 14) && u.Contains(0, 0) && !u.Contains(14, 0));
  EXPECT_TRUE(i.Contains(5, 5) && !i.Contains(4, 5) && !i.Contains(10, 9));
  EXPECT_TRUE(x.Contains(0, 0) && x.Contains(14, 14) && !x.Contains(7, 7));
  EXPECT_TRUE(d.Contains(4, 9) && !d.Contains(5, 5) && !d.Contains(12, 12));
  for (const Region* r : {&u, &i, &x, &d})
    EXPECT_TRUE(r->SelfCheck());

  Region acc = a;
  acc ^= b;
  EXPECT_EQ(acc, x);
  acc |= i;
  EXPECT_EQ(acc, u);
  acc -= b;
  EXPECT_EQ(acc, d);
  acc &= Region(Rect(0, 0, 3, 3));
  EXPECT_EQ(acc.Area(), 9);
}

TEST(RegionTest, RandomCombinationsMatchPointOracle) {
  std::mt19937 rng(12345);
  auto rect = [&] {
    const int l = static_cast<int>(rng() % 30), t = static_cast<int>(rng() % 30);
    return Rect(l, t, l + static_cast<int>(rng() % 12), t + static_cast<int>(rng() % 12));
  };
  const TRect window = Rect(-2, -2, 45, 45);
  for (int round = 0; round < 40; ++round) {
    std::vector<TRect> ra(6), rb(6);
    for (auto& r : ra)
      r = rect();
    for (auto& r : rb)
      r = rect();
    const Region a = Region::FromRects(ra.data(), ra.size());
    const Region b = Region::FromRects(rb.data(), rb.size());
    const auto pa = Pixels(a, window), pb = Pixels(b, window);
    for (CombineMode mode :
         {CombineMode::And, CombineMode::Or, CombineMode::Xor, CombineMode::Diff}) {
      const Region c = Region::Combine(a, b, mode);
      ASSERT_TRUE(c.SelfCheck());
      long long expected = 0;
      for (int y = window.Top; y < window.Bottom; ++y)
        for (int x = window.Left; x < window.Right; ++x) {
          const bool ia = pa.count({x, y}) != 0, ib = pb.count({x, y}) != 0;
          bool in = false;
          switch (mode) {
            case CombineMode::And:
              in = ia && ib;
              break;
            case CombineMode::Or:
              in = ia || ib;
              break;
            case CombineMode::Xor:
              in = ia != ib;
              break;
            case CombineMode::Diff:
              in = ia && !ib;
              break;
          }
          ASSERT_EQ(c.Contains(x, y), in) << x << "," << y;
          expected += in;
        }
      EXPECT_EQ(c.Area(), expected);
    }
  }
}

TEST(RegionTest, FromRectsIgnoresEmptyAndInvertedAndMergesOverlaps) {
  const TRect rects[] = {Rect(0, 0, 4, 4), Rect(2, 2, 6, 6), Rect(8, 8, 8, 12), Rect(9, 9, 7, 7)};
  const Region r = Region::FromRects(rects, 4);
  EXPECT_EQ(r.Area(), 16 + 16 - 4);
  EXPECT_EQ(r.Bounds(), Rect(0, 0, 6, 6));
  EXPECT_TRUE(Region::FromRects(nullptr, 0).IsEmpty());
  // The rectangle list is disjoint and banded.
  long long area = 0;
  for (const TRect& piece : r.Rects())
    area += piece.Width() * piece.Height();
  EXPECT_EQ(area, r.Area());
}

TEST(RegionTest, FromRectsEqualsUnionOfSingleRectangles) {
  // Oracle: pixman's own union, one rectangle at a time.
  std::mt19937 rng(99);
  for (int round = 0; round < 60; ++round) {
    const int n = 1 + static_cast<int>(rng() % (round < 30 ? 12 : 400));
    std::vector<TRect> rects;
    Region expected;
    for (int i = 0; i < n; ++i) {
      const int l = static_cast<int>(rng() % 200) - 50, t = static_cast<int>(rng() % 120) - 20;
      rects.push_back(
          Rect(l, t, l + static_cast<int>(rng() % 40) - 5, t + static_cast<int>(rng() % 25) - 3));
      expected |= Region(rects.back());
    }
    const Region r = Region::FromRects(rects.data(), rects.size());
    ASSERT_TRUE(r.SelfCheck());
    ASSERT_EQ(r, expected) << "round " << round;
    ASSERT_EQ(r.Bounds(), expected.Bounds());
  }
  // Touching rectangles merge; a grid of tiles becomes one rectangle.
  std::vector<TRect> tiles;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      tiles.push_back(Bounds(x * 3, y * 2, 3, 2));
  const Region grid = Region::FromRects(tiles.data(), tiles.size());
  EXPECT_EQ(grid.Rects().size(), 1u);
  EXPECT_EQ(grid, Region(Rect(0, 0, 30, 20)));
}

TEST(RegionTest, PolygonSquareCoversExactlyItsPixels) {
  const TPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
    const Region r = Region::Polygon(square, 4, mode);
    EXPECT_EQ(r.Area(), 100);
    EXPECT_EQ(r.Bounds(), Rect(0, 0, 10, 10));
  }
  // Counter-clockwise order gives the same pixels.
  const TPoint reversed[] = {{0, 10}, {10, 10}, {10, 0}, {0, 0}};
  EXPECT_EQ(Region::Polygon(reversed, 4, PolyFillMode::Winding),
            Region::Polygon(square, 4, PolyFillMode::Winding));
  EXPECT_TRUE(Region::Polygon(square, 2, PolyFillMode::Winding).IsEmpty());
  EXPECT_TRUE(Region::Polygon(square, 0, PolyFillMode::Winding).IsEmpty());
}

TEST(RegionTest, CornerSamplingTakesPixelsWhoseTopLeftCornerIsInside) {
  const TPoint tri[] = {{4, 0}, {8, 0}, {6, 2}};
  const Region corner = Region::Polygon(tri, 3, PolyFillMode::Winding, PixelSample::Corner);
  EXPECT_EQ(corner.Area(), 4 + 2);
  EXPECT_TRUE(corner.Contains(6, 1) && corner.Contains(4, 0) && !corner.Contains(8, 0));
  const TPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_EQ(Region::Polygon(square, 4, PolyFillMode::Alternate, PixelSample::Corner),
            Region(Rect(0, 0, 10, 10)));
}

TEST(RegionTest, PolygonsSharingAnEdgeTileWithoutGapOrOverlap) {
  // A rectangle cut along its diagonal: the two triangles cover it exactly once.
  const TPoint t1[] = {{0, 0}, {17, 0}, {17, 11}};
  const TPoint t2[] = {{0, 0}, {17, 11}, {0, 11}};
  const Region a = Region::Polygon(t1, 3, PolyFillMode::Winding);
  const Region b = Region::Polygon(t2, 3, PolyFillMode::Winding);
  EXPECT_TRUE(Region::Combine(a, b, CombineMode::And).IsEmpty());
  EXPECT_EQ(Region::Combine(a, b, CombineMode::Or), Region(Rect(0, 0, 17, 11)));
}

TEST(RegionTest, PolygonFillRulesDifferOnSelfOverlap) {
  // A pentagram: its centre is inside by winding, outside by alternate.
  const TPoint star[] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
  const Region winding = Region::Polygon(star, 5, PolyFillMode::Winding);
  const Region alternate = Region::Polygon(star, 5, PolyFillMode::Alternate);
  EXPECT_TRUE(winding.Contains(50, 50));
  EXPECT_FALSE(alternate.Contains(50, 50));
  EXPECT_TRUE(alternate.Contains(50, 10));
  EXPECT_GT(winding.Area(), alternate.Area());
  EXPECT_TRUE(winding.SelfCheck() && alternate.SelfCheck());
  EXPECT_EQ(Region::Combine(alternate, winding, CombineMode::Diff).Area(), 0);
}

TEST(RegionTest, EllipseIsSymmetricAndInsideItsRectangle) {
  for (const TRect box :
       {Rect(0, 0, 10, 10), Rect(3, 4, 40, 17), Rect(-5, -7, 6, 30), Rect(0, 0, 1, 1)}) {
    const Region e = Region::Ellipse(box.Left, box.Top, box.Right, box.Bottom);
    ASSERT_FALSE(e.IsEmpty());
    ASSERT_TRUE(e.SelfCheck());
    EXPECT_EQ(e.Bounds(), box) << "touches all four sides";
    const auto pixels = Pixels(e, box.Inflate(2, 2));
    for (const auto& [x, y] : pixels) {
      const int mx = box.Left + box.Right - 1 - x, my = box.Top + box.Bottom - 1 - y;
      EXPECT_TRUE(e.Contains(mx, y) && e.Contains(x, my) && e.Contains(mx, my));
    }
    if (box.Width() > 2) {
      EXPECT_FALSE(e.Contains(box.Left, box.Top));
    }
  }
  // Area close to pi a b.
  const Region big = Region::Ellipse(0, 0, 200, 100);
  EXPECT_NEAR(static_cast<double>(big.Area()), 3.14159265 * 100 * 50, 200);
  EXPECT_EQ(Region::Ellipse(10, 10, 0, 0), Region::Ellipse(0, 0, 10, 10));
  EXPECT_TRUE(Region::Ellipse(0, 0, 0, 10).IsEmpty());
}

TEST(RegionTest, RoundRectCutsOnlyTheCorners) {
  const Region r = Region::RoundRect(0, 0, 40, 20, 10, 8);
  EXPECT_EQ(r.Bounds(), Rect(0, 0, 40, 20));
  EXPECT_FALSE(r.Contains(0, 0));
  EXPECT_FALSE(r.Contains(39, 19));
  EXPECT_TRUE(r.Contains(20, 0));
  EXPECT_TRUE(r.Contains(0, 10));
  EXPECT_TRUE(r.Contains(39, 10));
  const auto pixels = Pixels(r, Rect(0, 0, 40, 20));
  for (const auto& [x, y] : pixels)
    EXPECT_TRUE(r.Contains(39 - x, 19 - y));
  // Full-size corners give the ellipse; tiny corners the rectangle.
  EXPECT_EQ(Region::RoundRect(0, 0, 30, 18, 30, 18), Region::Ellipse(0, 0, 30, 18));
  EXPECT_EQ(Region::RoundRect(0, 0, 30, 18, 500, 500), Region::Ellipse(0, 0, 30, 18));
  EXPECT_EQ(Region::RoundRect(0, 0, 30, 18, 0, 0), Region(Rect(0, 0, 30, 18)));
}

TEST(RegionTest, OffsetMovesAndRectsEnumerateInBands) {
  Region r = Region::Ellipse(0, 0, 20, 20);
  const long long area = r.Area();
  r.Offset(100, -50);
  EXPECT_EQ(r.Area(), area);
  EXPECT_EQ(r.Bounds(), Rect(100, -50, 120, -30));
  const auto rects = r.Rects();
  for (std::size_t i = 1; i < rects.size(); ++i)
    EXPECT_TRUE(rects[i].Top > rects[i - 1].Top ||
                (rects[i].Top == rects[i - 1].Top && rects[i].Left >= rects[i - 1].Right));
}

TEST(RegionTest, ForEachRectInClipsAndSkipsBands) {
  const Region r = Region::Ellipse(0, 0, 50, 50);
  const TRect area = Rect(10, 20, 30, 25);
  long long area_sum = 0;
  r.ForEachRectIn(area, [&](const TRect& piece) {
    EXPECT_TRUE(area.Contains(piece));
    area_sum += piece.Width() * piece.Height();
  });
  EXPECT_EQ(area_sum, Region::Combine(r, Region(area), CombineMode::And).Area());
}

TEST(RegionTest, CopiesMovesAndLiveCount) {
  const long long before = Region::LiveCount();
  {
    Region a(Rect(0, 0, 5, 5));
    Region b = a;
    Region c = std::move(a);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(b, c);
    b = Region::Ellipse(0, 0, 9, 9);
    c = b;
    EXPECT_EQ(c, b);
    EXPECT_EQ(Region::LiveCount(), before + 3);
  }
  EXPECT_EQ(Region::LiveCount(), before);
}

}  // namespace
}  // namespace tarn

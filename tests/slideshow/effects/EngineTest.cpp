// The engine's shared pieces decide every frame's geometry and every random pattern; a wrong
// extent, rounding or generator step changes all 171 transitions at once.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <numbers>
#include <set>
#include <string>

#include "base/Exception.h"
#include "graphics/Region.h"
#include "slideshow/effects/ComplexRegion.h"
#include "slideshow/effects/EffectGeometry.h"
#include "slideshow/effects/EffectMath.h"
#include "slideshow/effects/EffectRandom.h"
#include "slideshow/effects/EffectTable.h"
#include "tests/slideshow/effects/EffectTestSupport.h"

namespace tarn {
namespace {

TEST(TransitionExtentTest, FollowsTheLongerSide) {
  EXPECT_EQ(TransitionExtent(400, 300, 25), (TPoint{100, 75}));
  EXPECT_EQ(TransitionExtent(300, 400, 25), (TPoint{75, 100}));
  EXPECT_EQ(TransitionExtent(503, 186, 50), (TPoint{252, 93}));  // 251.5 rounds up
  EXPECT_EQ(TransitionExtent(503, 186, 100), (TPoint{503, 186}));
  EXPECT_EQ(TransitionExtent(30, 20, 1), (TPoint{0, 0}));
}

TEST(MulDivTest, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(-5, -1, -2), -3);
  EXPECT_EQ(MulDiv(256, 50, 100), 128);
  EXPECT_EQ(MulDiv(-49, 82, 50), -80);  // -80.36
  EXPECT_EQ(MulDiv(1, 2, 3), 1);
  EXPECT_EQ(MulDiv(7, 7, 0), -1);
  EXPECT_EQ(MulDiv(2000000000, 2000000000, 1), -1);                   // does not fit
  EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);  // 64-bit intermediate
}

TEST(RandomTest, RecurrenceAndRange) {
  SetRandSeed(7);
  EXPECT_EQ(Random(100), 21);
  EXPECT_EQ(RandSeed(), 943430692u);
  // N = 0 still advances the seed.
  SetRandSeed(7);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(RandSeed(), 943430692u);
  // The upper half of seed x N: the largest seed gives N - 1.
  SetRandSeed(0x4D60AE66u);  // the seed whose successor is 0xFFFFFFFF
  EXPECT_EQ(RandSeed() * 134775813u + 1u, 0xFFFFFFFFu);
  EXPECT_EQ(Random(1000), 999);
  uint32_t local = 7;
  EXPECT_EQ(NextRandom(local, 100), 21);
  EXPECT_EQ(local, 943430692u);
}

TEST(RotatePointsTest, ZeroAndQuarterTurn) {
  std::array<TPoint, 3> p{{{10, 0}, {-3, 7}, {5, 5}}};
  const auto original = p;
  RotatePoints(p, 2, 3, 0);
  EXPECT_EQ(p, original);
  std::array<TPoint, 1> q{{{10, 0}}};
  RotatePoints(q, 0, 0, std::numbers::pi_v<long double> / 2);
  EXPECT_EQ(q[0], (TPoint{0, 10}));  // clockwise on screen: y grows downward
  std::array<TPoint, 1> r{{{12, 5}}};
  RotatePoints(r, 10, 5, std::numbers::pi_v<long double>);
  EXPECT_EQ(r[0], (TPoint{8, 5}));
}

TEST(ComplexRegionTest, NothingAddedGivesNone) {
  TComplexRegion list;
  EXPECT_FALSE(list.CreateRegion().has_value());
  EXPECT_EQ(list.Data(), nullptr);
  list.AddRect(0, 0, 1, 1);
  list.Clear();
  EXPECT_FALSE(list.CreateRegion().has_value());
  EXPECT_EQ(list.Bounds(), (TRect{2147483647, 2147483647, -2147483647, -2147483647}));
}

TEST(ComplexRegionTest, BoundsAndHeader) {
  TComplexRegion list;
  list.AddRect(5, 6, 7, 8);
  EXPECT_EQ(list.Bounds(), (TRect{5, 6, 7, 8}));
  const std::optional<Region> r = list.CreateRegion();
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->Bounds(), (TRect{5, 6, 7, 8}));
  EXPECT_EQ(r->Area(), 4);
  int32_t header[8];
  std::memcpy(header, list.Data(), sizeof header);
  EXPECT_EQ(header[0], 32);
  EXPECT_EQ(header[1], 1);
  EXPECT_EQ(header[2], 1);
  EXPECT_EQ(header[3], 16);
  EXPECT_EQ((TRect{header[4], header[5], header[6], header[7]}), (TRect{5, 6, 7, 8}));
  // Inverted and empty rectangles are stored, widen Bounds, and add no pixels.
  list.AddRect(20, 20, 10, 30);
  list.AddRect(-4, 0, -4, 50);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Bounds(), (TRect{-4, 0, 10, 50}));
  EXPECT_EQ(list.CreateRegion()->Area(), 4);
}

TEST(ComplexRegionTest, GrowsBy500KeepingWhatWasAdded) {
  TComplexRegion list;
  for (int i = 0; i < 500; ++i)
    list.AddRect(i * 2, 0, i * 2 + 1, 3);
  EXPECT_EQ(list.Capacity(), 500);
  EXPECT_EQ(list.DataSize(), 500u * 16 + 36);
  list.AddRect(5000, 0, 5001, 3);
  EXPECT_EQ(list.Capacity(), 1000);
  EXPECT_EQ(list.Count(), 501);
  EXPECT_EQ(list.DataSize(), 1000u * 16 + 36);
  const std::optional<Region> r = list.CreateRegion();
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->Area(), 501 * 3);
  EXPECT_TRUE(r->Contains(0, 0));
  EXPECT_TRUE(r->Contains(998, 2));
  EXPECT_FALSE(r->Contains(999, 2));
  EXPECT_TRUE(r->Contains(5000, 1));
  EXPECT_EQ(r->Bounds(), (TRect{0, 0, 5001, 3}));
}

TEST(CreatePolyRgnTest, TrianglesAndQuadrilaterals) {
  const Region triangle = CreatePolyRgn({0, 0, 20, 0, 0, 20});
  EXPECT_TRUE(triangle.Contains(2, 2));
  EXPECT_FALSE(triangle.Contains(15, 15));
  const Region square = CreatePolyRgn({0, 0, 10, 0, 10, 10, 0, 10});
  EXPECT_EQ(square.Area(), 100);
  // A trailing odd coordinate is ignored.
  EXPECT_EQ(CreatePolyRgn({0, 0, 10, 0, 10, 10, 0, 10, 99}), square);
  // Winding: a star drawn in one stroke keeps its centre filled.
  const Region star = CreatePolyRgn({50, 0, 79, 90, 2, 35, 97, 35, 21, 90});
  EXPECT_TRUE(star.Contains(50, 50));
}

TEST(EffectTableTest, RowsNamesAndLookup) {
  ASSERT_EQ(Effects().size(), 171u);
  std::set<TEffectProc> procs;
  for (const TEffect& e : Effects()) {
    ASSERT_NE(e.Proc, nullptr);
    procs.insert(e.Proc);
  }
  EXPECT_EQ(procs.size(), 171u);  // every row its own routine, duplicated names included
  EXPECT_STREQ(FindEffect(1)->Name, "Expand from right");
  EXPECT_STREQ(FindEffect(18)->Name, "Expand from bottom");
  EXPECT_STREQ(FindEffect(33)->Name, "Expand from bottom");
  EXPECT_STREQ(FindEffect(76)->Name, "Unven shred from bottom");
  EXPECT_STREQ(FindEffect(118)->Name, "Fade");
  EXPECT_STREQ(FindEffect(134)->Name, "Push and sqeeze down");
  EXPECT_STREQ(FindEffect(145)->Name, "Rectangles apear from left and disapear to right");
  EXPECT_STREQ(FindEffect(171)->Name, "Random Bars Vertical");
  EXPECT_EQ(FindEffect(0), nullptr);
  EXPECT_EQ(FindEffect(172), nullptr);
  EXPECT_EQ(FindEffectByName("expand FROM bottom"), 18);
  EXPECT_EQ(FindEffectByName("Pixelate"), 168);
  EXPECT_EQ(FindEffectByName("Custom"), 0);
}

TEST(DrawEffectFrameTest, EndsAndErrors) {
  using namespace testing;
  const Bitmap32 oldPic = OldPicture(20, 10), newPic = NewPicture(20, 10);
  Bitmap32 screen(oldPic);
  DrawEffectFrame(5, screen, newPic, 0);
  EXPECT_EQ(screen, oldPic);
  DrawEffectFrame(5, screen, newPic, 100);
  EXPECT_EQ(screen, newPic);
  screen = oldPic;
  DrawEffectFrame(5, screen, newPic, 50);
  EXPECT_TRUE(PixelsMatch(screen, [](int x, int y) { return x < 10 ? NewAt(x, y) : OldAt(x, y); }));
  EXPECT_THROW(DrawEffectFrame(0, screen, newPic, 50), Exception);
  Bitmap32 small(10, 10);
  EXPECT_THROW(DrawEffectFrame(5, small, newPic, 50), Exception);
}

}  // namespace
}  // namespace tarn

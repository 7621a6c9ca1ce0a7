// The artwork's drawing model: anti-aliased shapes must cover exactly their area (else edges
// and thin strokes come out too heavy or too light), a blur must keep the amount of shadow it
// spreads, and layers must blend as straight-alpha pictures are written out.
#include <gtest/gtest.h>

#include <cmath>

#include "base/Cp936.h"
#include "graphics/Canvas.h"
#include "tools/artwork/Compose.h"
#include "tools/artwork/Text.h"

namespace tarn::artwork {
namespace {

constexpr float kPi = 3.14159265f;

double Area(const Shape& shape, int size = 120) {
  const Mask mask = ShapeMask(shape, size, size);
  double sum = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      sum += mask.At(x, y);
  return sum;
}

TEST(ArtworkComposeTest, ShapesCoverTheirArea) {
  EXPECT_NEAR(Area(Circle(50.3f, 40.7f, 20)), kPi * 400, 0.005 * kPi * 400);
  EXPECT_NEAR(Area(RoundBox(10, 10, 70, 50, 8)), 2400 - (4 - kPi) * 64, 0.005 * 2400);
  // Edges between pixels cover them partly (corners are approximated).
  EXPECT_NEAR(Area(RoundBox(10.5f, 10.25f, 30.5f, 20.25f, 0)), 200, 1);
  EXPECT_NEAR(Area(Ring(60, 60, 30, 4)), 2 * kPi * 30 * 4, 0.01 * 2 * kPi * 30 * 4);
  // A triangle of base 60 and height 40, either way round.
  const double triangle = 1200;
  EXPECT_NEAR(Area(ConvexPolygon({{10, 10}, {70, 10}, {40, 50}})), triangle, 0.01 * triangle);
  EXPECT_NEAR(Area(ConvexPolygon({{40, 50}, {70, 10}, {10, 10}})), triangle, 0.01 * triangle);
  // Grown by g, a convex shape gains its perimeter times g plus a disc of radius g.
  const double perimeter = 60 + 2 * std::hypot(30.0, 40.0);
  EXPECT_NEAR(Area(Grow(ConvexPolygon({{10, 10}, {70, 10}, {40, 50}}), 3)),
              triangle + perimeter * 3 + kPi * 9, 0.01 * triangle);
  // Set operations.
  const Shape box = RoundBox(20, 20, 80, 80, 0), hole = RoundBox(40, 40, 60, 60, 0);
  EXPECT_NEAR(Area(Subtract(box, hole)), 3600 - 400, 1);
  EXPECT_NEAR(Area(Intersect(box, hole)), 400, 1);
  EXPECT_NEAR(Area(Union(RoundBox(0, 0, 10, 10, 0), RoundBox(20, 0, 30, 10, 0))), 200, 0.5);
  EXPECT_NEAR(Area(Segment(20, 30, 80, 30, 4)), 60 * 4 + kPi * 4, 0.02 * 240);
}

TEST(ArtworkComposeTest, ShapesBoundsHoldEverythingTheyCover) {
  const Shape shapes[] = {Circle(30, 30, 12), Ring(50, 50, 20, 3), Segment(5, 90, 70, 60, 5),
                          Grow(ConvexPolygon({{40, 40}, {90, 50}, {60, 95}}), 2),
                          Wave(0, 120, 60, 10, 80, 1, 2)};
  for (const Shape& s : shapes) {
    const Mask mask = ShapeMask(Shape{s.distance, TRect{0, 0, 120, 120}}, 120, 120);
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 120; ++x)
        if (mask.At(x, y) > 0) {
          ASSERT_TRUE(s.bounds.Contains(TPoint{x, y})) << x << "," << y;
        }
  }
}

TEST(ArtworkComposeTest, BlurKeepsTheAmountItSpreads) {
  Mask mask = ShapeMask(RoundBox(5, 8, 25, 20, 3), 30, 30).Padded(20);
  double before = 0, after = 0;
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      before += mask.At(x, y);
  mask.Blur(5);
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      after += mask.At(x, y);
  EXPECT_NEAR(after, before, 1e-3 * before);
  EXPECT_GT(mask.At(15, 34), 0.01f);  // it spread into the margin
}

TEST(ArtworkComposeTest, LayersBlendAsStraightAlphaPictures) {
  Image image(4, 1);
  image.Blend(1, 0, Rgb(0, 0, 0));
  image.Blend(1, 0, Rgb(255, 255, 255, 0.5f));  // half white over black: mid grey
  image.Blend(2, 0, Rgb(200, 40, 10, 0.5f));    // half red over nothing: red, half covering
  image.Blend(3, 0, Rgb(10, 20, 30));
  image.Blend(3, 0, Rgb(250, 240, 230));  // opaque over anything: itself
  const Bitmap32 out = image.ToBitmap();
  EXPECT_EQ(out.PixelAt(0, 0), 0x00000000u);
  EXPECT_EQ(out.PixelAt(1, 0), 0xFF808080u);
  EXPECT_EQ(out.PixelAt(2, 0), 0x80C8280Au);
  EXPECT_EQ(out.PixelAt(3, 0), 0xFFFAF0E6u);
  // Round trip through a bitmap and drawn again at full strength: unchanged.
  Image copy(4, 1);
  copy.Draw(Image::FromBitmap(out), 0, 0);
  EXPECT_EQ(copy.ToBitmap(), out);
}

TEST(ArtworkComposeTest, GradientsRunBetweenTheirStops) {
  const Paint paint =
      Linear(0, 0, 100, 0, {{0.f, Rgb(0, 0, 0)}, {0.5f, Rgb(200, 100, 0)}, {1.f, Rgb(0, 0, 200)}});
  EXPECT_EQ(paint(-10, 0).r, 0.f);
  EXPECT_NEAR(paint(25, 5).r, 100.f, 1e-3);
  EXPECT_NEAR(paint(50, 99).g, 100.f, 1e-3);
  EXPECT_NEAR(paint(75, 0).b, 100.f, 1e-3);
  EXPECT_EQ(paint(500, 0).b, 200.f);
  EXPECT_NEAR(Radial(10, 10, 20, {{0.f, Rgb(0, 0, 0)}, {1.f, Rgb(100, 0, 0)}})(10, 20).r, 50.f,
              1e-3);
}

TEST(ArtworkComposeTest, TextMasksAreTheLinesExtent) {
  Bitmap32 probe(1, 1);
  Canvas canvas(probe);
  canvas.font.Name = Utf8ToCp936("宋体");
  canvas.font.Height = 12;
  const TSize extent = canvas.TextExtent(Utf8ToCp936("下一步"));
  const Mask mask = TextMask("下一步", {"宋体", 12, false});
  EXPECT_EQ(mask.Width(), extent.cx);
  EXPECT_EQ(mask.Height(), extent.cy);
  double ink = 0;
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      ink += mask.At(x, y);
  EXPECT_GT(ink, 20);
}

TEST(ArtworkComposeTest, NoiseIsRepeatableAndCentred) {
  double sum = 0;
  for (int i = 0; i < 10000; ++i) {
    const float n = Noise(i % 100, i / 100, 7);
    ASSERT_GE(n, -0.5f);
    ASSERT_LE(n, 0.5f);
    ASSERT_EQ(n, Noise(i % 100, i / 100, 7));
    sum += n;
  }
  EXPECT_NEAR(sum / 10000, 0, 0.02);
  EXPECT_NE(Noise(3, 4, 1), Noise(3, 4, 2));
}

}  // namespace
}  // namespace tarn::artwork

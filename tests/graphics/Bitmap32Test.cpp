// Protects the pixel-exact block copy and stretch that every transition effect and every
// control paint builds on: layout, clipping, overlapping self-copies, mirroring and sampling.
#include "graphics/Bitmap32.h"

#include <gtest/gtest.h>

#include <climits>

#include "base/Exception.h"
#include "graphics/Region.h"

namespace tarn {
namespace {

// Every pixel a distinct value: its coordinates.
Pixel32 Id(int x, int y) {
  return 0xFF000000u | static_cast<Pixel32>(y << 12 | x);
}
Bitmap32 Numbered(int w, int h) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixelAt(x, y, Id(x, y));
  return b;
}

TEST(Bitmap32Test, LayoutIsBottomUpWithoutGaps) {
  Bitmap32 b(3, 2);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  b.SetPixelAt(0, 1, 0x11);  // bottom-left
  b.SetPixelAt(2, 0, 0x22);  // top-right
  EXPECT_EQ(b.Bits()[0], 0x11u);
  EXPECT_EQ(b.Bits()[5], 0x22u);
  EXPECT_EQ(b.ScanLine(0), b.Bits() + 3);
  b.SetSize(4, 4);
  EXPECT_EQ(b.PixelAt(3, 3), 0u);
  EXPECT_THROW(b.SetSize(-1, 4), Exception);
  EXPECT_THROW(b.SetSize(100000, 100000), Exception);
  Bitmap32 none;
  EXPECT_TRUE(none.Empty());
}

TEST(Bitmap32Test, CopyBlockClipsToBothBitmaps) {
  const Bitmap32 src = Numbered(8, 6);
  Bitmap32 dst(5, 5);
  dst.Fill(7);
  dst.CopyBlock(-2, 3, 8, 8, src, 0, 0);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(dst.PixelAt(x, y), y >= 3 ? Id(x + 2, y - 3) : 7u) << x << "," << y;
  // Far-off positions and huge sizes are clipped, not overflowed.
  Bitmap32 d3(4, 4);
  d3.CopyBlock(INT_MAX - 2, 0, INT_MAX, 4, src, 0, 0);
  d3.CopyBlock(0, 0, INT_MAX, INT_MAX, src, INT_MIN + 1, 0);
  d3.StretchBlock(INT_MIN + 5, 0, INT_MAX - 10, 4, src, 0, 0, 8, 6);
  EXPECT_EQ(d3, Bitmap32(4, 4));
  // Source pixels outside the source leave their destination alone.
  Bitmap32 d2(4, 4);
  d2.Fill(7);
  d2.CopyBlock(0, 0, 4, 4, src, 6, -2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(d2.PixelAt(x, y), (x < 2 && y >= 2) ? Id(x + 6, y - 2) : 7u) << x << "," << y;
}

TEST(Bitmap32Test, OverlappingSelfCopiesInEveryDirection) {
  for (int dx = -3; dx <= 3; ++dx)
    for (int dy = -3; dy <= 3; ++dy)
      for (bool clipped : {false, true}) {
        Bitmap32 b = Numbered(12, 10);
        const Bitmap32 before = b;
        Region clip = Region::Combine(Region(Rect(0, 0, 12, 10)), Region(Rect(5, 0, 7, 10)),
                                      CombineMode::Diff);
        if (clipped) b.SelectClip(clip);
        b.CopyBlock(2 + dx, 2 + dy, 7, 6, b, 2, 2);
        for (int y = 0; y < 10; ++y)
          for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 + dx && x < 9 + dx && y >= 2 + dy && y < 8 + dy &&
                                (!clipped || clip.Contains(x, y));
            const Pixel32 want = inside ? Id(x - dx, y - dy) : before.PixelAt(x, y);
            ASSERT_EQ(b.PixelAt(x, y), want) << dx << "," << dy << " at " << x << "," << y;
          }
      }
}

TEST(Bitmap32Test, ClipRegionLimitsCopiesAndFills) {
  const Bitmap32 src = Numbered(10, 10);
  Bitmap32 dst(10, 10);
  dst.SelectClip(Region::Ellipse(0, 0, 10, 10));
  dst.ExcludeClipRect(Rect(4, 4, 6, 6));
  dst.CopyBlock(0, 0, 10, 10, src, 0, 0);
  const Region& clip = *dst.Clip();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(dst.PixelAt(x, y), clip.Contains(x, y) ? Id(x, y) : 0u);
  EXPECT_FALSE(clip.Contains(5, 5));
  dst.RemoveClip();
  dst.IntersectClipRect(Rect(0, 0, 2, 2));
  dst.Fill(0);
  dst.FillRect(Rect(-5, -5, 50, 50), 9);
  EXPECT_EQ(dst.PixelAt(1, 1), 9u);
  EXPECT_EQ(dst.PixelAt(2, 1), 0u);
  // An empty clip lets nothing through.
  dst.SelectClip(Region());
  dst.FillRect(dst.BoundsRect(), 5);
  dst.CopyBlock(0, 0, 10, 10, src, 0, 0);
  EXPECT_EQ(dst.PixelAt(0, 0), 9u);
  // Copies carry the clip; equality ignores it.
  Bitmap32 copy = dst;
  EXPECT_TRUE(copy.HasClip());
  EXPECT_EQ(copy, dst);
}

TEST(Bitmap32Test, StretchOneToOneIsExactCopyAndMirrorsAreExact) {
  const Bitmap32 src = Numbered(9, 7);
  Bitmap32 dst(9, 7);
  dst.StretchBlock(0, 0, 9, 7, src, 0, 0, 9, 7);
  EXPECT_EQ(dst, src);
  // Negative destination width: the block spans x+w+1 .. x.
  dst.Fill(0);
  dst.StretchBlock(8, 0, -9, 7, src, 0, 0, 9, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      ASSERT_EQ(dst.PixelAt(x, y), Id(8 - x, y));
  dst.StretchBlock(0, 6, 9, -7, src, 0, 0, 9, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      ASSERT_EQ(dst.PixelAt(x, y), Id(x, 6 - y));
  // Mirroring the source equals mirroring the destination.
  Bitmap32 other(9, 7);
  other.StretchBlock(8, 6, -9, -7, src, 0, 0, 9, 7);
  dst.StretchBlock(0, 0, 9, 7, src, 8, 6, -9, -7);
  EXPECT_EQ(dst, other);
}

TEST(Bitmap32Test, IntegerScalesKeepAndDropWholePixelsEvenly) {
  const Bitmap32 src = Numbered(6, 4);
  Bitmap32 up(18, 8);
  up.StretchBlock(0, 0, 18, 8, src, 0, 0, 6, 4);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 18; ++x)
      ASSERT_EQ(up.PixelAt(x, y), Id(x / 3, y / 2));
  Bitmap32 down(3, 2);
  down.StretchBlock(0, 0, 3, 2, src, 0, 0, 6, 4);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      ASSERT_EQ(down.PixelAt(x, y), Id(2 * x + 1, 2 * y + 1));
  // A non-integer ratio never invents colours: every pixel is some source pixel.
  Bitmap32 odd(7, 5);
  odd.StretchBlock(0, 0, 7, 5, src, 0, 0, 6, 4);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const Pixel32 p = odd.PixelAt(x, y);
      EXPECT_LT(p & 0xFFF, 6u);
      EXPECT_LT((p >> 12) & 0xFFF, 4u);
    }
}

TEST(Bitmap32Test, StretchIsClippedToBitmapAndRegion) {
  const Bitmap32 src = Numbered(4, 4);
  Bitmap32 dst(6, 6);
  dst.Fill(1);
  dst.SelectClip(Region(Rect(0, 0, 6, 3)));
  dst.StretchBlock(-2, -2, 8, 8, src, 0, 0, 4, 4);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      ASSERT_EQ(dst.PixelAt(x, y), y < 3 ? Id((x + 2) / 2, (y + 2) / 2) : 1u) << x << "," << y;
  // A mirrored 1:1 stretch through a clip with holes, partly off the bitmap.
  const Bitmap32 wide = Numbered(23, 5);
  Bitmap32 m(20, 5);
  const Region holes =
      Region::Combine(Region(Rect(0, 0, 20, 5)), Region(Rect(6, 1, 9, 4)), CombineMode::Diff);
  m.SelectClip(holes);
  m.StretchBlock(21, 0, -23, 5, wide, 0, 0, 23, 5);  // spans columns -1 .. 21
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(m.PixelAt(x, y), holes.Contains(x, y) ? Id(21 - x, y) : 0u) << x << "," << y;
  // Self-stretch reads the source as it was.
  Bitmap32 self = Numbered(4, 4);
  self.StretchBlock(3, 0, -4, 4, self, 0, 0, 4, 4);
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(self.PixelAt(x, 1), Id(3 - x, 1));
  // Zero sizes draw nothing.
  Bitmap32 z(2, 2);
  z.StretchBlock(0, 0, 0, 2, src, 0, 0, 4, 4);
  z.StretchBlock(0, 0, 2, 2, src, 0, 0, 0, 4);
  EXPECT_EQ(z, Bitmap32(2, 2));
}

}  // namespace
}  // namespace tarn

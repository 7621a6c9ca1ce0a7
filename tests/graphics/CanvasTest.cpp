// Protects the canvas the controls paint with: origin and clip state that must come back on
// every path, exact line end points, and the bitmap draws (opaque, transparent colour, alpha).
#include "graphics/Canvas.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarn {
namespace {

constexpr Pixel32 kWhite = 0xFFFFFFFF;
constexpr Pixel32 kRed = 0xFFFF0000;  // pixel layout 0xAARRGGBB

int Count(const Bitmap32& b, Pixel32 p) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      n += b.PixelAt(x, y) == p;
  return n;
}

TEST(ColorsTest, ValuesAndSystemColours) {
  EXPECT_EQ(ColorToPixel(clRed), kRed);
  EXPECT_EQ(ColorToPixel(RGBColor(1, 2, 3)), 0xFF010203u);
  // A stored value with 0xFF in its top byte names a system colour by its low byte (button
  // face 15, window 5, 3-D dark shadow 21), resolved when it is drawn.
  EXPECT_EQ(ColorToRGB(0xFF00000Fu), RGBColor(212, 208, 200));
  EXPECT_EQ(ColorToPixel(0xFF000005u), 0xFFFFFFFFu);
  EXPECT_EQ(ColorToRGB(0xFF000015u), RGBColor(64, 64, 64));
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clBtnShadow), RGBColor(128, 128, 128));
  EXPECT_EQ(ColorToRGB(clBtnText), clBlack);
  EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
  EXPECT_EQ(ColorToRGB(0x00FFFEFF), 0x00FFFEFFu);
  EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);
  EXPECT_EQ(PixelToColor(ColorToPixel(0x00B5AA90)), 0x00B5AA90u);
  // The stored "no colour" (0x1FFFFFFF) draws nothing.
  Bitmap32 b(3, 3);
  Canvas c(b);
  c.FillRect(Rect(0, 0, 3, 3), 0x1FFFFFFFu);
  c.SetPixel(1, 1, 0x1FFFFFFFu);
  EXPECT_EQ(Count(b, 0), 9);
}

TEST(CanvasTest, OriginAndClipWithSaveRestore) {
  Bitmap32 b(20, 20);
  Canvas c(b);
  c.brush.Color = clWhite;
  {
    CanvasStateSaver saver(c);
    c.MoveOrigin(5, 5);
    c.IntersectClipRect(Rect(0, 0, 10, 10));  // device 5..15
    c.ExcludeClipRect(Rect(2, 2, 4, 4));      // device 7..9
    c.pen.Color = clRed;
    EXPECT_EQ(c.ClipBounds(), Rect(0, 0, 10, 10));
    c.FillRect(Rect(-5, -5, 30, 30));
    c.Save();
    c.MoveOrigin(100, 100);  // a nested save the guard also unwinds
  }
  EXPECT_EQ(c.SaveDepth(), 0u);
  EXPECT_EQ(c.Origin(), TPoint{});
  EXPECT_FALSE(c.HasClip());
  EXPECT_EQ(c.pen.Color, clBlack);
  EXPECT_EQ(Count(b, kWhite), 100 - 4);
  EXPECT_EQ(b.PixelAt(5, 5), kWhite);
  EXPECT_EQ(b.PixelAt(7, 7), 0u);
  EXPECT_EQ(b.PixelAt(15, 15), 0u);
  // The guard restores on an exception too.
  try {
    CanvasStateSaver saver(c);
    c.SetOrigin({3, 3});
    c.ExcludeClipRect(Rect(0, 0, 1, 1));
    throw std::runtime_error("paint failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(c.Origin(), TPoint{});
  EXPECT_FALSE(c.HasClip());
  c.Restore();  // nothing saved: no effect
  EXPECT_EQ(c.SaveDepth(), 0u);
}

TEST(CanvasTest, ClipIsKeptInDeviceCoordinates) {
  Bitmap32 b(10, 10);
  Canvas c(b);
  c.IntersectClipRect(Rect(0, 0, 2, 2));
  c.MoveOrigin(1, 0);  // moving the origin does not move the clip
  c.FillRect(Rect(-1, 0, 5, 5), clWhite);
  EXPECT_EQ(Count(b, kWhite), 4);
  // The bitmap's own clip applies as well.
  c.RemoveClip();
  b.SelectClip(Region(Rect(8, 8, 10, 10)));
  c.FillRect(Rect(0, 0, 10, 10), clRed);
  EXPECT_EQ(Count(b, kRed), 4);
  b.RemoveClip();
}

TEST(CanvasTest, LineToExcludesTheEndPoint) {
  struct Case {
    TPoint a, b;
    int pixels;
  };
  for (const Case& k :
       {Case{{1, 1}, {8, 1}, 7}, Case{{8, 1}, {1, 1}, 7}, Case{{2, 0}, {2, 9}, 9},
        Case{{0, 0}, {9, 9}, 9}, Case{{9, 0}, {0, 4}, 9}, Case{{3, 3}, {3, 3}, 0}}) {
    Bitmap32 b(12, 12);
    Canvas c(b);
    c.pen.Color = clWhite;
    c.MoveTo(k.a.X, k.a.Y);
    c.LineTo(k.b.X, k.b.Y);
    EXPECT_EQ(Count(b, kWhite), k.pixels);
    EXPECT_EQ(b.PixelAt(k.b.X, k.b.Y), 0u) << "end point drawn";
    if (k.pixels) {
      EXPECT_EQ(b.PixelAt(k.a.X, k.a.Y), kWhite) << "start point missing";
    }
    EXPECT_EQ(c.PenPos(), k.b);
  }
  // A polyline's segments join without gaps; only its last point is left out.
  Bitmap32 b(12, 12);
  Canvas c(b);
  c.pen.Color = clWhite;
  const std::vector<TPoint> ring{{1, 1}, {6, 1}, {6, 6}, {1, 6}, {1, 1}};
  c.Polyline(ring);
  EXPECT_EQ(Count(b, kWhite), 20);
  // A clear pen draws nothing but still moves.
  c.pen.Style = PenStyle::Clear;
  c.LineTo(11, 11);
  EXPECT_EQ(Count(b, kWhite), 20);
  EXPECT_EQ(c.PenPos(), (TPoint{11, 11}));
}

TEST(CanvasTest, RectangleFrameAnd3DFrame) {
  Bitmap32 b(10, 10);
  Canvas c(b);
  c.pen.Color = clRed;
  c.brush.Color = clWhite;
  c.Rectangle(1, 1, 6, 5);
  EXPECT_EQ(Count(b, kRed), 14);
  EXPECT_EQ(Count(b, kWhite), 6);
  EXPECT_EQ(b.PixelAt(6, 4), 0u);
  b.Fill(0);
  c.FrameRect(Rect(0, 0, 4, 4), clRed);
  EXPECT_EQ(Count(b, kRed), 12);
  b.Fill(0);
  TRect r = Rect(0, 0, 6, 5);
  c.Frame3D(r, clWhite, clRed, 1);
  EXPECT_EQ(r, Rect(1, 1, 5, 4));
  EXPECT_EQ(b.PixelAt(0, 0), kWhite);
  EXPECT_EQ(b.PixelAt(0, 3), kWhite);
  EXPECT_EQ(b.PixelAt(5, 0), kRed);  // top-right corner belongs to the shadow
  EXPECT_EQ(b.PixelAt(0, 4), kRed);  // and so does bottom-left
  EXPECT_EQ(Count(b, kWhite) + Count(b, kRed), 18);
}

TEST(CanvasTest, FocusRectIsDottedAndUndoesItself) {
  Bitmap32 b(10, 8);
  b.Fill(kWhite);
  const Bitmap32 before = b;
  Canvas c(b);
  c.DrawFocusRect(Rect(1, 1, 9, 7));
  EXPECT_EQ(80 - Count(b, kWhite), 12);  // half of the 24 border pixels
  EXPECT_NE(b.PixelAt(1, 1), kWhite);
  EXPECT_EQ(b.PixelAt(2, 1), kWhite);
  EXPECT_EQ(b.PixelAt(4, 4), kWhite);
  c.DrawFocusRect(Rect(1, 1, 9, 7));
  EXPECT_EQ(b, before);
}

TEST(CanvasTest, ShapesFillInsideAndOutlineWithPen) {
  Bitmap32 b(30, 30);
  Canvas c(b);
  c.pen.Color = clRed;
  c.brush.Color = clWhite;
  c.Ellipse(0, 0, 20, 20);
  EXPECT_EQ(Count(b, kWhite) + Count(b, kRed), Region::Ellipse(0, 0, 20, 20).Area());
  EXPECT_EQ(b.PixelAt(10, 10), kWhite);
  EXPECT_EQ(b.PixelAt(10, 0), kRed);
  EXPECT_EQ(b.PixelAt(0, 0), 0u);
  b.Fill(0);
  c.pen.Style = PenStyle::Clear;
  const TPoint tri[] = {{0, 0}, {10, 0}, {0, 10}};
  c.Polygon(tri, 3);
  EXPECT_EQ(Count(b, kWhite),
            Region::Polygon(tri, 3, PolyFillMode::Alternate, PixelSample::Corner).Area());
  // A small filled triangle with an outline in the same colour is solid (the drop-down arrow).
  b.Fill(0);
  c.pen.Style = PenStyle::Solid;
  c.pen.Color = clWhite;
  const TPoint arrow[] = {{4, 0}, {8, 0}, {6, 2}};
  c.Polygon(arrow, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(b.PixelAt(x, y) == kWhite, x >= 4 + y && x <= 8 - y) << x << "," << y;
  c.pen.Color = clRed;
  b.Fill(0);
  c.pen.Style = PenStyle::Solid;
  c.brush.Style = BrushStyle::Clear;
  c.RoundRect(Rect(0, 0, 20, 10), 6, 6);
  EXPECT_EQ(b.PixelAt(10, 5), 0u);
  EXPECT_EQ(b.PixelAt(10, 0), kRed);
  EXPECT_EQ(b.PixelAt(0, 0), 0u);
  // A wide pen covers both sides of the line.
  b.Fill(0);
  c.pen.Width = 3;
  c.MoveTo(5, 10);
  c.LineTo(25, 10);
  EXPECT_EQ(b.PixelAt(15, 9), kRed);
  EXPECT_EQ(b.PixelAt(15, 10), kRed);
  EXPECT_EQ(b.PixelAt(15, 11), kRed);
  EXPECT_EQ(b.PixelAt(15, 13), 0u);
}

TEST(CanvasTest, BitmapDrawsOpaqueTransparentAndStretched) {
  Bitmap32 src(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      src.SetPixelAt(x, y, (x + y) % 2 ? ColorToPixel(clOlive) : kRed);
  Bitmap32 b(10, 10);
  b.Fill(kWhite);
  Canvas c(b);
  c.SetOrigin({1, 1});
  c.DrawTransparent(0, 0, src, clOlive);
  EXPECT_EQ(Count(b, kRed), 8);
  EXPECT_EQ(Count(b, kWhite), 92);
  EXPECT_EQ(b.PixelAt(1, 1), kRed);
  EXPECT_EQ(b.PixelAt(2, 1), kWhite);
  c.Draw(0, 0, src);
  EXPECT_EQ(b.PixelAt(2, 1), ColorToPixel(clOlive));
  b.Fill(0);
  c.SetOrigin({});
  c.StretchDraw(Rect(0, 0, 8, 8), src);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(b.PixelAt(x, y), src.PixelAt(x / 2, y / 2));
  b.Fill(kWhite);
  c.StretchDrawTransparent(Rect(0, 0, 8, 8), src, clOlive);
  EXPECT_EQ(Count(b, kRed), 32);
}

TEST(CanvasTest, AlphaDrawBlendsStraightAlpha) {
  Bitmap32 rgba(2, 1);
  rgba.SetPixelAt(0, 0, 0x80FF0000);  // half red
  rgba.SetPixelAt(1, 0, 0x00FF0000);  // fully transparent
  Bitmap32 b(4, 2);
  b.Fill(0xFF0000FF);  // opaque blue
  Canvas c(b);
  c.DrawAlpha(0, 0, rgba);
  const Pixel32 p = b.PixelAt(0, 0);
  EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 128, 1);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 127, 1);
  EXPECT_EQ(p >> 24, 0xFFu);
  EXPECT_EQ(b.PixelAt(1, 0), 0xFF0000FFu);
  // Scaled: each source pixel covers a 2 x 2 block.
  b.Fill(0xFF000000);
  rgba.SetPixelAt(0, 0, 0xFFFFFFFF);
  c.DrawAlpha(Rect(0, 0, 4, 2), rgba);
  EXPECT_EQ(Count(b, 0xFFFFFFFF), 4);
  EXPECT_EQ(b.PixelAt(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(b.PixelAt(2, 0), 0xFF000000u);
  // Scaled down: four frames side by side, one shown.
  Bitmap32 strip(8, 1);
  for (int x = 0; x < 8; ++x)
    strip.SetPixelAt(x, 0, x < 2 ? 0xFF00FF00 : 0xFF0000FF);
  Bitmap32 one(1, 1);
  Canvas oc(one);
  oc.DrawAlpha(Rect(0, 0, 4, 1), strip);
  EXPECT_EQ(one.PixelAt(0, 0), 0xFF00FF00u);
}

}  // namespace
}  // namespace tarn

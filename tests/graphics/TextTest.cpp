// Protects text drawing: fonts must resolve to installed faces that draw Chinese, and text must
// land legibly inside its box whichever font is installed (so no exact glyph pixels here).
#include <gtest/gtest.h>

#include "base/Cp936.h"
#include "graphics/Canvas.h"
#include "graphics/FontEngine.h"

namespace tarn {
namespace {

std::string Gbk(const char* utf8) {
  return Utf8ToCp936(utf8);
}

// The bounding box of pixels differing from the background.
TRect Ink(const Bitmap32& b, Pixel32 background, int* count = nullptr) {
  TRect r{b.Width(), b.Height(), 0, 0};
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.PixelAt(x, y) != background) {
        ++n;
        r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
             std::max(r.Bottom, y + 1)};
      }
  if (count) *count = n;
  return n ? r : TRect{};
}

Font Song12Bold() {
  Font f;
  f.Name = Gbk("宋体");
  f.Height = 12;
  f.Style = fsBold;
  f.Color = clBlack;
  return f;
}

TEST(TextTest, ChineseFamiliesResolveToFacesThatDrawChinese) {
  auto lock = FontEngine::Instance().Lock();
  for (const char* name : {"宋体", "Tahoma", "MS Sans Serif"}) {
    Font f;
    f.Name = Gbk(name);
    f.Height = 12;
    FontInstance& fi = FontEngine::Instance().Get(f);
    const Glyph& g = fi.GetGlyph(U'塔');
    int ink = 0;
    for (uint8_t v : g.Coverage)
      ink += v > 127;
    EXPECT_GT(ink, 20) << name << " draws 塔 with " << fi.FamilyFor(U'塔');
    EXPECT_GE(g.Advance, 10) << name;
    EXPECT_LE(g.Advance, 14) << name;
    EXPECT_GE(fi.Metrics().Height, 12);
    EXPECT_LE(fi.Metrics().Height, 20);
  }
}

TEST(TextTest, TextOutPutsInkInsideItsExtent) {
  Bitmap32 b(200, 40);
  b.Fill(0xFFFFFFFF);
  Canvas c(b);
  c.font = Song12Bold();
  c.brush.Style = BrushStyle::Clear;
  const std::string text = Gbk("塔恩播放器 安装向导");
  const TSize size = c.TextExtent(text);
  EXPECT_GE(size.cx, 9 * 11);  // nine Chinese characters and a space
  EXPECT_LE(size.cx, 9 * 14 + 8);
  c.TextOut(10, 5, text);
  int count = 0;
  const TRect ink = Ink(b, 0xFFFFFFFF, &count);
  EXPECT_TRUE(Bounds(10, 5, size.cx, size.cy).Inflate(1, 0).Contains(ink))
      << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
  EXPECT_GT(ink.Width(), size.cx * 3 / 4);
  EXPECT_GT(ink.Height(), 8);
  EXPECT_GT(count, 200);  // strokes, not specks
  // Each character has its own ink: the gap (the space) separates two groups.
  // Repeated text costs no new glyphs and draws the same pixels.
  Bitmap32 again(200, 40);
  again.Fill(0xFFFFFFFF);
  Canvas c2(again);
  c2.font = c.font;
  c2.brush.Style = BrushStyle::Clear;
  c2.TextOut(10, 5, text);
  EXPECT_EQ(again, b);
}

TEST(TextTest, OpaqueBackgroundFillsTheExtentAndClipApplies) {
  Bitmap32 b(100, 30);
  Canvas c(b);
  c.font.Height = 11;
  c.font.Color = clBlack;
  c.brush.Color = clWhite;
  const TSize s = c.TextExtent("Hello");
  c.TextOut(2, 3, "Hello");
  const TRect box = Bounds(2, 3, s.cx, s.cy);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x)
      if (!box.Contains(TPoint{x, y})) {
        ASSERT_EQ(b.PixelAt(x, y), 0u);
      }
  EXPECT_EQ(b.PixelAt(box.Left, box.Top), 0xFFFFFFFFu);
  b.Fill(0);
  c.IntersectClipRect(Rect(0, 0, 10, 30));
  c.TextOut(2, 3, "Hello");
  EXPECT_LE(Ink(b, 0).Right, 10);
}

TEST(TextTest, DrawTextAlignsWrapsAndMeasures) {
  Bitmap32 b(120, 80);
  Canvas c(b);
  c.font.Name = Gbk("宋体");
  c.font.Height = 12;
  c.brush.Style = BrushStyle::Clear;
  const int line = c.TextHeight("Xy");
  // Calculate-rectangle: single line.
  TRect r = Rect(0, 0, 120, 0);
  EXPECT_EQ(c.DrawText("abc", r, dtCalcRect | dtSingleLine), line);
  EXPECT_EQ(r.Right, c.TextWidth("abc"));
  // Word wrap of Chinese text breaks between characters, never past the width.
  const std::string long_text = Gbk("请仔细阅读下面的许可协议，接受后才能继续安装。");
  r = Rect(0, 0, 60, 0);
  const int h = c.DrawText(long_text, r, dtCalcRect | dtWordBreak);
  EXPECT_GE(h, 3 * line);
  EXPECT_LE(r.Right, 60);
  // Latin text wraps at spaces.
  r = Rect(0, 0, c.TextWidth("word word") + 1, 0);
  EXPECT_EQ(c.DrawText("word word word", r, dtCalcRect | dtWordBreak), 2 * line);
  EXPECT_EQ(c.DrawText("one\r\ntwo\nthree", r, dtCalcRect), 3 * line);
  EXPECT_EQ(c.DrawText("one\r\ntwo", r, dtCalcRect | dtSingleLine), line);
  // Right and centre alignment, vertical centring.
  b.Fill(0xFFFFFFFF);
  r = Rect(0, 0, 120, 40);
  c.DrawText("Ok", r, dtRight | dtSingleLine | dtVCenter);
  const TRect ink = Ink(b, 0xFFFFFFFF);
  EXPECT_GE(ink.Left, 120 - c.TextWidth("Ok") - 1);
  EXPECT_LE(ink.Right, 120);
  EXPECT_GE(ink.Top, (40 - line) / 2);
  EXPECT_LE(ink.Bottom, (40 + line) / 2 + 1);
}

TEST(TextTest, PrefixEllipsisAndTabs) {
  Bitmap32 b(200, 30);
  Canvas c(b);
  c.font.Height = 12;
  c.font.Color = clBlack;
  c.brush.Style = BrushStyle::Clear;
  TRect r = Rect(0, 0, 200, 30);
  // "&&" is one ampersand; "&O" is "O" underlined.
  EXPECT_EQ(c.DrawText("a&&b", r, dtCalcRect | dtSingleLine), c.TextHeight("a"));
  EXPECT_EQ(r.Right, c.TextWidth("a&b"));
  r = Rect(0, 0, 200, 30);
  c.DrawText("&Options", r, dtCalcRect | dtSingleLine);
  EXPECT_EQ(r.Right, c.TextWidth("Options"));
  r = Rect(0, 0, 200, 30);
  EXPECT_EQ(c.DrawText("&Options", r, dtCalcRect | dtSingleLine | dtNoPrefix), c.TextHeight("a"));
  EXPECT_EQ(r.Right, c.TextWidth("&Options"));
  // The underline: a row of ink below the baseline under the O, absent with hidden prefix.
  auto underline_pixels = [&](DrawTextFlags extra) {
    b.Fill(0xFFFFFFFF);
    TRect rr = Rect(0, 0, 200, 30);
    c.DrawText("&Options", rr, dtSingleLine | extra);
    const int ow = c.TextWidth("O");
    int best = 0;
    for (int y = 0; y < 30; ++y) {
      int n = 0;
      for (int x = 0; x < ow; ++x)
        n += b.PixelAt(x, y) != 0xFFFFFFFF;
      if (n == ow) ++best;
    }
    return best;
  };
  EXPECT_GE(underline_pixels(0), 1);
  EXPECT_EQ(underline_pixels(dtHidePrefix), 0);
  // End ellipsis keeps the line inside the rectangle and ends in "...".
  r = Rect(0, 0, 50, 30);
  c.DrawText("a rather long caption text", r, dtCalcRect | dtSingleLine | dtEndEllipsis);
  EXPECT_LE(r.Width(), 50);
  EXPECT_GT(r.Width(), 50 - c.TextWidth("W") - c.TextWidth("..."));
  // Tabs expand to stops of eight average widths.
  r = Rect(0, 0, 200, 30);
  c.DrawText("a\tb", r, dtCalcRect | dtSingleLine | dtExpandTabs);
  const int tab_width = r.Width();
  EXPECT_GT(tab_width, c.TextWidth("a b"));
  r = Rect(0, 0, 200, 30);
  c.DrawText("ab\tb", r, dtCalcRect | dtSingleLine | dtExpandTabs);
  EXPECT_EQ(r.Width(), tab_width);
}

}  // namespace
}  // namespace tarn

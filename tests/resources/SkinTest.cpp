// The wizard's skin as the program loads it from its resources: each panel picture and button
// strip must have exactly the size its control is laid out with (a strip is cut into four frames
// by width), the four states must look different, the title bar must carry its white title
// legibly, and the slideshow must get three baseline JPEGs and one progressive one.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/Cp936.h"
#include "framework/Resources.h"
#include "framework/pictures/Bitmap.h"
#include "framework/pictures/JpegImage.h"
#include "framework/pictures/PngImage.h"
#include "graphics/Canvas.h"
#include "graphics/PngCodec.h"

namespace tarn::testing {
namespace {

std::vector<uint8_t> SourceFile(const std::string& name) {
  std::ifstream in(std::string(TARN_RESOURCES_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Relative luminance and contrast ratio, as legibility guidelines define them.
double Luminance(Pixel32 p) {
  auto channel = [](uint32_t v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(p >> 16 & 0xFF) + 0.7152 * channel(p >> 8 & 0xFF) +
         0.0722 * channel(p & 0xFF);
}
double Contrast(Pixel32 a, Pixel32 b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(SkinTest, PanelPicturesHaveTheirPanelsSizes) {
  const struct {
    int id, width, height;
  } kBitmaps[] = {{1, 1, 29},    {2, 5, 29}, {3, 5, 29},  {6, 1, 1},  {7, 556, 328},
                  {8, 556, 329}, {9, 1, 31}, {10, 5, 31}, {11, 5, 31}};
  for (const auto& b : kBitmaps) {
    TBitmap bitmap;
    bitmap.LoadFromResourceID(b.id);
    EXPECT_EQ(bitmap.Width(), b.width) << "bitmap " << b.id;
    EXPECT_EQ(bitmap.Height(), b.height) << "bitmap " << b.id;
  }
}

TEST(SkinTest, StripsAreFourDistinctFramesOfTheirButtons) {
  const struct {
    int id, width, height;
  } kStrips[] = {{4, 30, 19},  {5, 34, 19},  {12, 69, 22}, {13, 60, 21},
                 {14, 60, 21}, {15, 60, 21}, {16, 60, 21}, {17, 60, 21}};
  for (const auto& s : kStrips) {
    TPngImage png;
    png.LoadFromResourceID(s.id);
    ASSERT_EQ(png.Width(), 4 * s.width) << "strip " << s.id;
    ASSERT_EQ(png.Height(), s.height) << "strip " << s.id;
    const Bitmap32& strip = png.Pixels();
    // Every state differs from every other somewhere in its frame.
    for (int a = 0; a < 4; ++a) {
      for (int b = a + 1; b < 4; ++b) {
        int differing = 0;
        for (int y = 0; y < s.height; ++y)
          for (int x = 0; x < s.width; ++x)
            differing += strip.PixelAt(a * s.width + x, y) != strip.PixelAt(b * s.width + x, y);
        EXPECT_GT(differing, s.width) << "strip " << s.id << ": frames " << a << " and " << b;
      }
    }
    // The rounded corners are see-through; the buttons of the page and the bar are solid inside,
    // those of the title bar glass with a solid glyph.
    EXPECT_EQ(strip.PixelAt(s.width - 1, s.height - 1) >> 24, 0u) << "strip " << s.id;
    int solid = 0;
    for (int x = 0; x < s.width; ++x)
      solid += strip.PixelAt(x, s.height * 2 / 3) >> 24 == 255;
    EXPECT_GE(solid, s.id >= 12 ? s.width - 4 : 2) << "strip " << s.id;
  }
}

TEST(SkinTest, LogoIsAFourFrameStripOfSixteenPixels) {
  const Bitmap32 logo = DecodePng(SourceFile("skin/logo.png"));
  EXPECT_EQ(logo.Width(), 64);
  EXPECT_EQ(logo.Height(), 16);
  EXPECT_EQ(logo.PixelAt(8, 8) >> 24, 255u);        // the emblem fills its frame's middle
  EXPECT_EQ(logo.PixelAt(0, 0) >> 24 < 255, true);  // and has rounded corners
}

TEST(SkinTest, TheWhiteTitleIsLegibleOnTheTitleBarAndItsButtons) {
  TBitmap title;
  title.LoadFromResourceID(1);
  const Pixel32 text = ColorToPixel(0x00FFFEFF);
  // The title's 12-pixel line sits on rows 9 to 21.
  for (int y = 9; y <= 21; ++y)
    EXPECT_GE(Contrast(title.Pixels().PixelAt(0, y), text), 4.5) << "row " << y;
  // The window frame is one colour: the title bar's top row, its ends' outer columns, the side
  // borders and the bottom bar's last row.
  TBitmap border, left, right, bottom;
  border.LoadFromResourceID(6);
  left.LoadFromResourceID(2);
  right.LoadFromResourceID(3);
  bottom.LoadFromResourceID(9);
  const Pixel32 frame = border.Pixels().PixelAt(0, 0);
  EXPECT_EQ(title.Pixels().PixelAt(0, 0), frame);
  EXPECT_EQ(left.Pixels().PixelAt(0, 15), frame);
  EXPECT_EQ(right.Pixels().PixelAt(4, 15), frame);
  EXPECT_EQ(bottom.Pixels().PixelAt(0, 30), frame);
}

TEST(SkinTest, PagePicturesRepeatSeamlesslyAtTheBottomOfTheirPanels) {
  // The 330-pixel pages tile their pictures, so the first rows come again at the bottom: they
  // must match the picture's last rows closely, or a seam shows above the button bar.
  for (int id : {7, 8}) {
    TBitmap page;
    page.LoadFromResourceID(id);
    const Bitmap32& p = page.Pixels();
    const int last = p.Height() - 1;
    for (int x = 0; x < p.Width(); x += 5) {
      const Pixel32 top = p.PixelAt(x, 0), bottom = p.PixelAt(x, last);
      EXPECT_LT(Contrast(top, bottom), 1.25) << "bitmap " << id << " column " << x;
    }
  }
}

// The frame type of a JPEG: 0xC0 baseline, 0xC2 progressive.
int FrameMarker(std::span<const uint8_t> jpeg) {
  std::size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
    const uint8_t marker = jpeg[at + 1];
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return marker;
    at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
  }
  return -1;
}

TEST(SkinTest, SlideshowHasThreeBaselineJpegsAndOneProgressive) {
  const int kExpected[] = {0xC0, 0xC0, 0xC0, 0xC2};
  for (int i = 0; i < 4; ++i) {
    const std::string name = "IPIC" + std::to_string(i + 1);
    const std::span<const uint8_t> data = LoadResource("JPGFILE", name);
    EXPECT_EQ(FrameMarker(data), kExpected[i]) << name;
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(data);
    EXPECT_EQ(jpeg.Width(), 503) << name;
    EXPECT_EQ(jpeg.Height(), 186) << name;
  }
}

TEST(SkinTest, LicenceIsAboutAHundredLinesThatFitTheMemo) {
  const std::vector<uint8_t> bytes = SourceFile("licence.txt");
  const std::string text(bytes.begin(), bytes.end());
  const std::string gbk = Utf8ToCp936(text);  // every character exists in code page 936
  std::istringstream lines(gbk);
  Bitmap32 probe(1, 1);
  Canvas canvas(probe);
  canvas.font.Name = Utf8ToCp936("宋体");
  canvas.font.Height = 12;
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    // The memo is 351 pixels wide; its border, margins and scroll bar leave about 325.
    EXPECT_LE(canvas.TextWidth(line), 325) << Cp936ToUtf8(line);
  }
  EXPECT_GE(count, 90);
  EXPECT_LE(count, 120);
}

}  // namespace
}  // namespace tarn::testing

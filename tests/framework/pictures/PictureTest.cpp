// Pictures: the wizard's skin strips (PNG with alpha), its slideshow
// pictures (baseline and progressive JPEG) and its panel backgrounds (BMP) all pass through the
// picture holder, which must recognise a file by its content, copy on assignment and tell its
// owner of each change exactly once, since owners repaint on every change event.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/Exception.h"
#include "base/MemoryStream.h"
#include "framework/TFont.h"
#include "framework/pictures/Bitmap.h"
#include "framework/pictures/JpegImage.h"
#include "framework/pictures/Picture.h"
#include "framework/pictures/PngImage.h"
#include "graphics/Canvas.h"
#include "graphics/ImageCodec.h"
#include "graphics/PngCodec.h"
#include "tests/support/TempDir.h"

namespace tarn::testing {
namespace {

std::string Res(const std::string& name) {
  return std::string(TARN_TEST_RESOURCES) + "/pictures/" + name;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr Pixel32 Px(int r, int g, int b, int a = 255) {
  return static_cast<Pixel32>(a) << 24 | static_cast<Pixel32>(r) << 16 |
         static_cast<Pixel32>(g) << 8 | static_cast<Pixel32>(b);
}

bool Near(Pixel32 p, int r, int g, int b, int tolerance) {
  auto close = [tolerance](int got, int want) { return std::abs(got - want) <= tolerance; };
  return close((p >> 16) & 0xFF, r) && close((p >> 8) & 0xFF, g) && close(p & 0xFF, b);
}

TEST(PictureTest, PngWithAlphaLoadsThroughTheHolderAndBlendsWhenDrawn) {
  TPicture picture;
  picture.LoadFromFile(Res("alpha.png"));
  auto* png = dynamic_cast<TPngImage*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_EQ(picture.Height(), 2);
  EXPECT_EQ(png->Pixels().PixelAt(1, 0), Px(0, 255, 0, 128));
  EXPECT_EQ(png->Pixels().PixelAt(2, 1), Px(0, 255, 255, 32));

  Bitmap32 target(4, 2);
  target.Fill(Px(255, 255, 255));
  Canvas canvas(target);
  png->Draw(canvas, Rect(0, 0, 4, 2));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      const Pixel32 s = png->Pixels().PixelAt(x, y);
      const int a = static_cast<int>(s >> 24);
      auto blend = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
      EXPECT_TRUE(Near(target.PixelAt(x, y), blend((s >> 16) & 0xFF), blend((s >> 8) & 0xFF),
                       blend(s & 0xFF), 1))
          << x << "," << y;
    }
  }
}

TEST(PictureTest, BaselineAndProgressiveJpegLoadByContentWhateverTheFileIsCalled) {
  testing::TempDir dir;
  for (const char* name : {"baseline.jpg", "progressive.jpg"}) {
    // The name says PNG; the bytes say JPEG, and the bytes win.
    const std::string misnamed = dir.File(std::string(name) + ".png");
    std::filesystem::copy_file(Res(name), misnamed);
    TPicture picture;
    picture.LoadFromFile(misnamed);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr) << name;
    ASSERT_EQ(picture.Width(), 32);
    ASSERT_EQ(picture.Height(), 16);
    const Bitmap32& px = picture.Graphic()->Pixels();
    EXPECT_TRUE(Near(px.PixelAt(3, 8), 220, 30, 30, 12)) << name;
    EXPECT_TRUE(Near(px.PixelAt(28, 8), 30, 30, 220, 12)) << name;
    EXPECT_EQ(px.PixelAt(3, 8) >> 24, 0xFFu);
    // Saving writes the file as it was loaded, not a second compression of it.
    EXPECT_EQ(picture.SaveToBytes(), FileBytes(Res(name)));
  }
}

TEST(PictureTest, BmpLoadsAsABitmapWithExactPixels) {
  TPicture picture;
  TMemoryStream stream;
  stream.LoadFromFile(Res("stripes.bmp"));
  stream.SetPosition(0);
  picture.LoadFromStream(stream);
  auto* bitmap = dynamic_cast<TBitmap*>(picture.Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 6);
  EXPECT_EQ(bitmap->Height(), 4);
  EXPECT_EQ(bitmap->Pixels().PixelAt(0, 0), Px(255, 0, 0));
  EXPECT_EQ(bitmap->Pixels().PixelAt(5, 2), Px(255, 0, 255));
  EXPECT_EQ(bitmap->Pixels().PixelAt(4, 3), Px(255, 255, 255));
  // Round trip through its own format.
  TBitmap copy;
  copy.LoadFromBytes(bitmap->SaveToBytes());
  EXPECT_EQ(copy.Pixels(), bitmap->Pixels());
}

TEST(PictureTest, ChangeEventsFireOncePerChange) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &picture);
    ++changes;
  };
  picture.LoadFromFile(Res("alpha.png"));
  EXPECT_EQ(changes, 1);
  TGraphic* held = picture.Graphic();
  picture.SetGraphic(held);  // the same graphic: nothing changes
  EXPECT_EQ(changes, 1);
  static_cast<TPngImage*>(held)->Image().SetPixelAt(0, 0, Px(1, 2, 3));
  static_cast<TPngImage*>(held)->Modified();  // a change of the graphic itself
  EXPECT_EQ(changes, 2);

  TPicture other;
  other.LoadFromFile(Res("baseline.jpg"));
  picture.Assign(other);
  EXPECT_EQ(changes, 3);
  // A failed load changes nothing and keeps the picture.
  const std::vector<uint8_t> garbage = {'n', 'o', 't', ' ', 'a', 'n', 'y'};
  EXPECT_THROW(picture.LoadFromBytes(garbage), EInvalidGraphic);
  std::vector<uint8_t> truncated = FileBytes(Res("alpha.png"));
  truncated.resize(40);
  EXPECT_THROW(picture.LoadFromBytes(truncated), EInvalidGraphic);
  EXPECT_EQ(changes, 3);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  EXPECT_THROW(picture.LoadFromFile(Res("no-such.png")), EFOpenError);
  // Asking for a bitmap replaces the JPEG: one change; sizing it: another.
  picture.Bitmap().SetSize(3, 3);
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(picture.Width(), 3);
  picture.Clear();
  EXPECT_EQ(changes, 6);
  EXPECT_TRUE(picture.Empty());
}

TEST(PictureTest, AssigningCopiesAndConvertsBetweenGraphicClasses) {
  TPicture source;
  source.LoadFromFile(Res("alpha.png"));
  TPicture copy;
  copy.Assign(source);
  ASSERT_NE(copy.Graphic(), source.Graphic());
  static_cast<TPngImage*>(copy.Graphic())->Image().SetPixelAt(0, 0, Px(9, 9, 9));
  EXPECT_EQ(source.Graphic()->Pixels().PixelAt(0, 0), Px(255, 0, 0));

  // Any graphic becomes a bitmap or a PNG with the same pixels, and a JPEG by compressing.
  TBitmap bitmap;
  bitmap.Assign(*source.Graphic());
  EXPECT_EQ(bitmap.Pixels(), source.Graphic()->Pixels());
  TPngImage png;
  png.Assign(bitmap);
  EXPECT_EQ(DecodePng(png.SaveToBytes()), bitmap.Pixels());
  TJPEGImage jpeg;
  TPicture photo;
  photo.LoadFromFile(Res("baseline.jpg"));
  TBitmap plain;
  plain.Assign(*photo.Graphic());
  jpeg.Assign(plain);
  EXPECT_EQ(DetectImageFormat(jpeg.SaveToBytes()), ImageFormat::Jpeg);
  EXPECT_TRUE(Near(jpeg.Pixels().PixelAt(2, 2), 220, 30, 30, 16));
  // A font is no picture: the error names both classes.
  TFont font;
  try {
    copy.Assign(font);
    FAIL() << "assigned a font to a picture";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TFont to a TPicture");
  }
}

TEST(PictureTest, TransparentBitmapLeavesItsColourOut) {
  TBitmap bitmap(2, 2);
  bitmap.Image().Fill(Px(0, 255, 0));
  bitmap.Image().SetPixelAt(1, 0, Px(255, 0, 255));
  bitmap.Modified();
  bitmap.SetTransparentColor(0xFF00FF);
  bitmap.SetTransparent(true);
  Bitmap32 target(2, 2);
  target.Fill(Px(0, 0, 255));
  Canvas canvas(target);
  bitmap.Draw(canvas, Rect(0, 0, 2, 2));
  EXPECT_EQ(target.PixelAt(1, 0), Px(0, 0, 255));
  EXPECT_EQ(target.PixelAt(0, 0), Px(0, 255, 0));
  // The default transparent colour is the bottom-left pixel's.
  bitmap.SetTransparentColor(clDefault);
  EXPECT_EQ(bitmap.TransparentColor(), RGBColor(0, 255, 0));
}

}  // namespace
}  // namespace tarn::testing

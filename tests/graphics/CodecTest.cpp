// Protects the image codecs: skin strips, slideshow pictures and panel bitmaps must round-trip
// exactly (or, for JPEG, closely), and a damaged file must be refused with a message, not crash.
#include <gtest/gtest.h>
#include <png.h>

#include <random>

#include "graphics/BmpCodec.h"
#include "graphics/JpegCodec.h"
#include "graphics/PngCodec.h"

namespace tarn {
namespace {

Bitmap32 Pattern(int w, int h, bool alpha) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Pixel32 a = alpha ? static_cast<Pixel32>((x * 37 + y * 11) & 0xFF) : 0xFF;
      b.SetPixelAt(x, y,
                   a << 24 | static_cast<Pixel32>(x * 8 & 0xFF) << 16 |
                       static_cast<Pixel32>(y * 8 & 0xFF) << 8 | ((x ^ y) & 0xFF));
    }
  return b;
}

// A smooth picture, as photos are, so that JPEG errors stay small.
Bitmap32 Smooth(int w, int h) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixelAt(x, y,
                   0xFF000000u | static_cast<Pixel32>(x * 255 / w) << 16 |
                       static_cast<Pixel32>(y * 255 / h) << 8 | 128);
  return b;
}

int MaxChannelError(const Bitmap32& a, const Bitmap32& b) {
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      for (int s = 0; s < 24; s += 8)
        worst = std::max(worst, std::abs(static_cast<int>((a.PixelAt(x, y) >> s) & 0xFF) -
                                         static_cast<int>((b.PixelAt(x, y) >> s) & 0xFF)));
  return worst;
}

template <class Decode>
void ExpectCleanRejections(const std::vector<uint8_t>& good, Decode decode) {
  // Every truncation, and a spread of single-byte corruptions, either decodes or raises
  // EInvalidGraphic with a message (the sanitizer builds catch anything worse).
  for (std::size_t len = 0; len < good.size(); len += std::max<std::size_t>(1, good.size() / 300)) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(len));
    try {
      decode(cut);
    } catch (const EInvalidGraphic& e) {
      EXPECT_FALSE(e.Message().empty());
    }
  }
  std::mt19937 rng(7);
  for (int i = 0; i < 300; ++i) {
    std::vector<uint8_t> bad = good;
    bad[rng() % bad.size()] ^= static_cast<uint8_t>(1 + rng() % 255);
    try {
      decode(bad);
    } catch (const EInvalidGraphic& e) {
      EXPECT_FALSE(e.Message().empty());
    }
  }
}

TEST(CodecTest, PngRoundTripsRgbaExactly) {
  const Bitmap32 img = Pattern(37, 21, true);
  const auto bytes = EncodePng(img);
  EXPECT_EQ(DetectImageFormat(bytes), ImageFormat::Png);
  EXPECT_EQ(DecodePng(bytes), img);
  EXPECT_EQ(DecodeImage(bytes), img);
  // Written opaque: RGB kept, alpha 255.
  Bitmap32 opaque = img;
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x)
      opaque.SetPixelAt(x, y, img.PixelAt(x, y) | 0xFF000000);
  EXPECT_EQ(DecodePng(EncodePng(img, PngAlpha::Opaque)), opaque);
}

TEST(CodecTest, PngOtherColourTypesBecomeRgba) {
  // A grey-and-alpha PNG written with libpng directly.
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 3;
  image.height = 2;
  image.format = PNG_FORMAT_GA;
  const uint8_t ga[] = {0, 255, 128, 255, 255, 0, 10, 20, 30, 40, 50, 60};
  png_alloc_size_t size = 0;
  ASSERT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, ga, 0, nullptr));
  std::vector<uint8_t> bytes(size);
  ASSERT_TRUE(png_image_write_to_memory(&image, bytes.data(), &size, 0, ga, 0, nullptr));
  const Bitmap32 b = DecodePng(bytes);
  ASSERT_EQ(b.Width(), 3);
  EXPECT_EQ(b.PixelAt(0, 0), 0xFF000000u);
  EXPECT_EQ(b.PixelAt(1, 0), 0xFF808080u);
  EXPECT_EQ(b.PixelAt(2, 0) >> 24, 0u);
  EXPECT_EQ(b.PixelAt(0, 1), 0x140A0A0Au);
}

TEST(CodecTest, JpegBaselineAndProgressiveRoundTrip) {
  const Bitmap32 img = Smooth(64, 48);
  for (JpegMode mode : {JpegMode::Baseline, JpegMode::Progressive}) {
    const auto bytes = EncodeJpeg(img, 95, mode);
    EXPECT_EQ(DetectImageFormat(bytes), ImageFormat::Jpeg);
    // The frame marker says which: SOF0 baseline, SOF2 progressive.
    bool sof0 = false, sof2 = false;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
      if (bytes[i] == 0xFF) sof0 |= bytes[i + 1] == 0xC0, sof2 |= bytes[i + 1] == 0xC2;
    EXPECT_EQ(sof2, mode == JpegMode::Progressive);
    EXPECT_EQ(sof0, mode == JpegMode::Baseline);
    const Bitmap32 back = DecodeJpeg(bytes);
    ASSERT_EQ(back.Width(), 64);
    ASSERT_EQ(back.Height(), 48);
    EXPECT_LE(MaxChannelError(back, img), 12);
    EXPECT_EQ(back.PixelAt(5, 5) >> 24, 0xFFu);
    // Orientation: the top-left is dark red-less, the bottom-right bright.
    EXPECT_LT((back.PixelAt(0, 0) >> 16) & 0xFF, 20u);
    EXPECT_GT((back.PixelAt(63, 47) >> 16) & 0xFF, 230u);
  }
}

TEST(CodecTest, BmpRoundTripsIn24And32Bits) {
  const Bitmap32 opaque = Pattern(13, 7, false);  // odd width: row padding
  for (bool header : {true, false}) {
    const auto b24 = EncodeBmp(opaque, 24, header);
    EXPECT_EQ(DetectImageFormat(b24), ImageFormat::Bmp);
    EXPECT_EQ(DecodeBmp(b24), opaque);
    const Bitmap32 alpha = Pattern(13, 7, true);
    EXPECT_EQ(DecodeBmp(EncodeBmp(alpha, 32, header)), alpha);
  }
  // A 32-bit file whose fourth bytes are all zero is opaque.
  Bitmap32 zero = opaque;
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x)
      zero.SetPixelAt(x, y, opaque.PixelAt(x, y) & 0x00FFFFFF);
  EXPECT_EQ(DecodeBmp(EncodeBmp(zero, 32)), opaque);
  EXPECT_THROW(EncodeBmp(opaque, 8), EInvalidGraphic);
}

TEST(CodecTest, BmpPalettedAndTopDown) {
  // A 3 x 2 top-down 4-bit bitmap with a two-colour palette, built by hand.
  std::vector<uint8_t> d = {40, 0, 0, 0, 3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0,
                            4,  0, 0, 0, 0, 0, 0, 0, 0,    0,    0,    0,    0, 0,
                            0,  0, 0, 0, 2, 0, 0, 0, 0,    0,    0,    0};
  const uint8_t palette[] = {0, 0, 255, 0, 255, 0, 0, 0};  // red, blue (B, G, R, 0)
  d.insert(d.end(), palette, palette + 8);
  const uint8_t rows[] = {0x01, 0x00, 0, 0, 0x10, 0x10, 0, 0};
  d.insert(d.end(), rows, rows + 8);
  const Bitmap32 b = DecodeBmp(d);
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.PixelAt(0, 0), 0xFFFF0000u);
  EXPECT_EQ(b.PixelAt(1, 0), 0xFF0000FFu);
  EXPECT_EQ(b.PixelAt(2, 0), 0xFFFF0000u);
  EXPECT_EQ(b.PixelAt(0, 1), 0xFF0000FFu);
  EXPECT_EQ(b.PixelAt(2, 1), 0xFF0000FFu);
  d[d.size() - 8] = 0x21;  // index 2: outside the two-colour palette
  EXPECT_THROW(DecodeBmp(d), EInvalidGraphic);
}

TEST(CodecTest, CorruptAndTruncatedInputsAreRejectedCleanly) {
  const Bitmap32 img = Pattern(24, 16, true);
  ExpectCleanRejections(EncodePng(img), [](const std::vector<uint8_t>& d) { DecodePng(d); });
  ExpectCleanRejections(EncodeJpeg(Smooth(24, 16), 80, JpegMode::Progressive),
                        [](const std::vector<uint8_t>& d) { DecodeJpeg(d); });
  ExpectCleanRejections(EncodeBmp(img, 32), [](const std::vector<uint8_t>& d) { DecodeBmp(d); });
  // Truncated files are errors, not half pictures.
  const auto png = EncodePng(img);
  EXPECT_THROW(DecodePng({png.data(), png.size() - 20}), EInvalidGraphic);
  const auto jpg = EncodeJpeg(Smooth(24, 16));
  EXPECT_THROW(DecodeJpeg({jpg.data(), jpg.size() / 2}), EInvalidGraphic);
  const auto bmp = EncodeBmp(img);
  EXPECT_THROW(DecodeBmp({bmp.data(), bmp.size() - 1}), EInvalidGraphic);
  EXPECT_THROW(DecodeImage(std::vector<uint8_t>{1, 2, 3}), EInvalidGraphic);
  EXPECT_THROW(DecodeJpeg({}), EInvalidGraphic);
  // A header that claims a huge picture is refused before allocating it.
  std::vector<uint8_t> huge = EncodeBmp(Pattern(2, 2, false));
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;
  try {
    DecodeBmp(huge);
    FAIL() << "accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find("too large"), std::string::npos) << e.Message();
  }
}

}  // namespace
}  // namespace tarn

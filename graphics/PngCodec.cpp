// PNG through libpng's simplified interface: it converts every colour type to 8-bit BGRA and
// reports failures as a message instead of jumping out of our frames.
#include "graphics/PngCodec.h"

#include <png.h>

#include <cstring>
#include <string>

namespace tarn {

namespace {

// Frees the image's read state on every path.
struct PngImage {
  png_image image;
  PngImage() {
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
  }
  ~PngImage() { png_image_free(&image); }
  std::string Message() const { return image.message[0] ? image.message : "unknown error"; }
};

}  // namespace

Bitmap32 DecodePng(std::span<const uint8_t> data) {
  PngImage png;
  if (!png_image_begin_read_from_memory(&png.image, data.data(), data.size()))
    throw EInvalidGraphic("Invalid PNG image: " + png.Message());
  CheckImageSize(png.image.width, png.image.height, "PNG");
  png.image.format = PNG_FORMAT_BGRA;
  Bitmap32 out(static_cast<int>(png.image.width), static_cast<int>(png.image.height));
  // A negative stride stores the rows bottom-up, as the bitmap keeps them.
  const auto stride = -static_cast<png_int_32>(png.image.width * 4);
  if (!png_image_finish_read(&png.image, nullptr, out.Bits(), stride, nullptr))
    throw EInvalidGraphic("Invalid PNG image: " + png.Message());
  return out;
}

std::vector<uint8_t> EncodePng(const Bitmap32& image, PngAlpha alpha) {
  if (image.Empty()) throw EInvalidGraphic("Cannot write an empty image as PNG");
  PngImage png;
  png.image.width = static_cast<png_uint_32>(image.Width());
  png.image.height = static_cast<png_uint_32>(image.Height());
  std::vector<uint8_t> rgb;
  const void* pixels = image.Bits();
  png_int_32 stride = -static_cast<png_int_32>(image.Width() * 4);
  if (alpha == PngAlpha::Keep) {
    png.image.format = PNG_FORMAT_BGRA;
  } else {
    png.image.format = PNG_FORMAT_BGR;
    rgb.resize(static_cast<std::size_t>(image.Width()) * image.Height() * 3);
    const Pixel32* in = image.Bits();
    for (std::size_t i = 0, n = static_cast<std::size_t>(image.Width()) * image.Height(); i < n;
         ++i) {
      std::memcpy(&rgb[i * 3], &in[i], 3);  // B, G, R in memory
    }
    pixels = rgb.data();
    stride = -static_cast<png_int_32>(image.Width() * 3);
  }
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png.image, nullptr, &size, 0, pixels, stride, nullptr))
    throw EInvalidGraphic("Cannot write PNG image: " + png.Message());
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&png.image, out.data(), &size, 0, pixels, stride, nullptr))
    throw EInvalidGraphic("Cannot write PNG image: " + png.Message());
  out.resize(size);
  return out;
}

}  // namespace tarn

// Feeds arbitrary bytes to the PNG, JPEG and BMP readers: each must either decode or raise
// EInvalidGraphic; a decoded picture must survive a PNG round trip unchanged.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "graphics/BmpCodec.h"
#include "graphics/ImageCodec.h"
#include "graphics/JpegCodec.h"
#include "graphics/PngCodec.h"

namespace {

template <class Decode>
void Try(Decode decode) {
  try {
    const tarn::Bitmap32 image = decode();
    if (!image.Empty() && static_cast<long long>(image.Width()) * image.Height() <= 1 << 20) {
      if (!(tarn::DecodePng(tarn::EncodePng(image)) == image)) std::abort();
    }
  } catch (const tarn::EInvalidGraphic&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  // The reader the signature selects, then the one that takes no signature (a bare bitmap).
  Try([&] { return tarn::DecodeImage(bytes); });
  if (tarn::DetectImageFormat(bytes) != tarn::ImageFormat::Bmp)
    Try([&] { return tarn::DecodeBmp(bytes); });
  return 0;
}

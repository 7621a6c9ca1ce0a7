#include "graphics/ImageCodec.h"

#include <string>

#include "base/Stream.h"
#include "graphics/BmpCodec.h"
#include "graphics/JpegCodec.h"
#include "graphics/PngCodec.h"

namespace tarn {

void CheckImageSize(long long width, long long height, const char* format) {
  if (width <= 0 || height <= 0)
    throw EInvalidGraphic(std::string(format) + " image has no pixels (" + std::to_string(width) +
                          " x " + std::to_string(height) + ")");
  if (width > kMaxImageDimension || height > kMaxImageDimension || width * height > kMaxImagePixels)
    throw EInvalidGraphic(std::string(format) + " image is too large (" + std::to_string(width) +
                          " x " + std::to_string(height) + ")");
}

ImageFormat DetectImageFormat(std::span<const uint8_t> d) {
  if (d.size() >= 8 && d[0] == 0x89 && d[1] == 'P' && d[2] == 'N' && d[3] == 'G')
    return ImageFormat::Png;
  if (d.size() >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return ImageFormat::Jpeg;
  if (d.size() >= 2 && d[0] == 'B' && d[1] == 'M') return ImageFormat::Bmp;
  // A bare device-independent bitmap starts with its header size.
  if (d.size() >= 4 && d[1] == 0 && d[2] == 0 && d[3] == 0 &&
      (d[0] == 12 || d[0] == 40 || d[0] == 52 || d[0] == 56 || d[0] == 108 || d[0] == 124))
    return ImageFormat::Bmp;
  return ImageFormat::Unknown;
}

Bitmap32 DecodeImage(std::span<const uint8_t> data) {
  switch (DetectImageFormat(data)) {
    case ImageFormat::Png:
      return DecodePng(data);
    case ImageFormat::Jpeg:
      return DecodeJpeg(data);
    case ImageFormat::Bmp:
      return DecodeBmp(data);
    case ImageFormat::Unknown:
      break;
  }
  throw EInvalidGraphic("Unknown picture format");
}

std::vector<uint8_t> ReadRemaining(TStream& stream) {
  const int64_t left = stream.Size() - stream.Position();
  std::vector<uint8_t> out(static_cast<std::size_t>(left > 0 ? left : 0));
  if (!out.empty()) stream.ReadBuffer(out.data(), out.size());
  return out;
}

}  // namespace tarn

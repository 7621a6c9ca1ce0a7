// Image files to and from 32-bit bitmaps: the common error, format detection and size limits.
// Decoded images have the fourth byte as alpha (straight, not premultiplied): 255 for formats
// and pixels without transparency. A truncated or corrupt file raises EInvalidGraphic with a
// message saying what is wrong; it never crashes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/Exception.h"
#include "graphics/Bitmap32.h"

namespace tarn {

class TStream;

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

enum class ImageFormat { Unknown, Png, Jpeg, Bmp };

// Images larger than this are refused before any pixel memory is taken.
constexpr int kMaxImageDimension = 16384;
constexpr long long kMaxImagePixels = 64LL * 1024 * 1024;
// Raises EInvalidGraphic unless width x height is a size the decoders accept.
void CheckImageSize(long long width, long long height, const char* format);

ImageFormat DetectImageFormat(std::span<const uint8_t> data);
// Decodes PNG, JPEG or BMP, as the data's signature says.
Bitmap32 DecodeImage(std::span<const uint8_t> data);
// The stream's bytes from its position to its end.
std::vector<uint8_t> ReadRemaining(TStream& stream);

}  // namespace tarn

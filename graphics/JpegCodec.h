// JPEG through libjpeg-turbo: baseline and progressive, read and written. Decoded pixels are
// opaque (fourth byte 255); grey and CMYK files become RGB.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "graphics/ImageCodec.h"

namespace tarn {

enum class JpegMode { Baseline, Progressive };

Bitmap32 DecodeJpeg(std::span<const uint8_t> data);
// quality 1..100; the fourth byte is ignored.
std::vector<uint8_t> EncodeJpeg(const Bitmap32& image, int quality = 90,
                                JpegMode mode = JpegMode::Baseline);

}  // namespace tarn

// PNG through libpng: every colour type and bit depth is read as 8-bit RGBA.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "graphics/ImageCodec.h"

namespace tarn {

enum class PngAlpha { Keep, Opaque };  // write the fourth byte as alpha, or write RGB only

Bitmap32 DecodePng(std::span<const uint8_t> data);
std::vector<uint8_t> EncodePng(const Bitmap32& image, PngAlpha alpha = PngAlpha::Keep);

}  // namespace tarn

// Windows bitmaps: a .bmp file (with its 14-byte file header) or a bare device-independent
// bitmap as bitmap resources hold it. Read: 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed
// or with bit-field masks, bottom-up or top-down. Written: 24 or 32 bits, bottom-up.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "graphics/ImageCodec.h"

namespace tarn {

// A 32-bit bitmap whose fourth bytes are all zero (writers often leave them so) is read as
// opaque; otherwise the fourth byte is kept as alpha. Other depths are read as opaque.
Bitmap32 DecodeBmp(std::span<const uint8_t> data);
// bitsPerPixel 24 or 32; with a file header unless `withFileHeader` is false (resource form).
std::vector<uint8_t> EncodeBmp(const Bitmap32& image, int bitsPerPixel = 24,
                               bool withFileHeader = true);

}  // namespace tarn

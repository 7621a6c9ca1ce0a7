// Windows bitmap files and bare device-independent bitmaps. Every field read from the file is
// checked against the data's size before it is used.
#include "graphics/BmpCodec.h"

#include <bit>
#include <cstring>
#include <string>

namespace tarn {

namespace {

// File and header layout.
constexpr std::size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

[[noreturn]] void Fail(const std::string& what) {
  throw EInvalidGraphic("Invalid bitmap: " + what);
}

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> d) : d_(d) {}
  void Need(std::size_t offset, std::size_t count) const {
    if (offset > d_.size() || count > d_.size() - offset) Fail("the data is truncated");
  }
  uint16_t U16(std::size_t at) const {
    Need(at, 2);
    return static_cast<uint16_t>(d_[at] | d_[at + 1] << 8);
  }
  uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return static_cast<uint32_t>(d_[at]) | static_cast<uint32_t>(d_[at + 1]) << 8 |
           static_cast<uint32_t>(d_[at + 2]) << 16 | static_cast<uint32_t>(d_[at + 3]) << 24;
  }
  int32_t I32(std::size_t at) const { return static_cast<int32_t>(U32(at)); }
  const uint8_t* At(std::size_t at) const { return d_.data() + at; }
  std::size_t Size() const { return d_.size(); }

 private:
  std::span<const uint8_t> d_;
};

// A channel described by a bit mask, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (m) {
      shift = std::countr_zero(m);
      bits = std::popcount(m >> shift);
      if (bits > 8) {  // keep the top 8 bits
        shift += bits - 8;
        bits = 8;
      }
    }
  }
  uint32_t Get(uint32_t v) const {
    if (!mask) return 0;
    const uint32_t max = (1u << bits) - 1;
    const uint32_t x = (v >> shift) & max;
    return (x * 255 + max / 2) / max;
  }
};

void Put16(std::vector<uint8_t>& o, uint16_t v) {
  o.push_back(static_cast<uint8_t>(v));
  o.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& o, uint32_t v) {
  Put16(o, static_cast<uint16_t>(v));
  Put16(o, static_cast<uint16_t>(v >> 16));
}

}  // namespace

Bitmap32 DecodeBmp(std::span<const uint8_t> data) {
  const Reader r(data);
  std::size_t dib = 0;
  std::size_t pixel_offset = 0;  // 0: right after the header, masks and palette
  if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
    dib = kFileHeaderSize;
    pixel_offset = r.U32(10);
  }
  const uint32_t header = r.U32(dib);
  if (header != kCoreHeaderSize && (header < kInfoHeaderSize || header > 1024))
    Fail("unknown header size " + std::to_string(header));
  r.Need(dib, header);
  long long width, height;
  int bpp;
  uint32_t compression = kBiRgb, colors_used = 0;
  if (header == kCoreHeaderSize) {
    width = r.U16(dib + 4);
    height = static_cast<int16_t>(r.U16(dib + 6));
    bpp = r.U16(dib + 10);
  } else {
    width = r.I32(dib + 4);
    height = r.I32(dib + 8);
    bpp = r.U16(dib + 14);
    compression = r.U32(dib + 16);
    colors_used = r.U32(dib + 32);
  }
  const bool top_down = height < 0;
  if (top_down) height = -height;
  CheckImageSize(width, height, "Bitmap");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    Fail("unsupported depth of " + std::to_string(bpp) + " bits");
  if (compression != kBiRgb && compression != kBiBitfields && compression != kBiAlphaBitfields)
    Fail("unsupported compression " + std::to_string(compression));
  if (compression != kBiRgb && bpp != 16 && bpp != 32) Fail("bit fields need 16 or 32 bits");

  // Masks: in the header (V2 and later) or right after a 40-byte header.
  uint32_t masks[4] = {0, 0, 0, 0};
  std::size_t after_header = dib + header;
  if (compression != kBiRgb) {
    const int count = compression == kBiAlphaBitfields ? 4 : 3;
    std::size_t at = dib + kInfoHeaderSize;
    if (header == kInfoHeaderSize) after_header += static_cast<std::size_t>(count) * 4;
    for (int i = 0; i < count; ++i)
      masks[i] = r.U32(at + static_cast<std::size_t>(i) * 4);
    if (header >= 56 && compression == kBiBitfields) masks[3] = r.U32(dib + 52);
  } else if (bpp == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  } else if (bpp == 32) {
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF, masks[3] = 0xFF000000;
  }

  // Palette.
  std::vector<Pixel32> palette;
  if (bpp <= 8) {
    const std::size_t entry = header == kCoreHeaderSize ? 3 : 4;
    std::size_t n = colors_used ? colors_used : (1u << bpp);
    if (n > 256) Fail("palette of " + std::to_string(n) + " colours");
    r.Need(after_header, n * entry);
    for (std::size_t i = 0; i < n; ++i) {
      const uint8_t* p = r.At(after_header + i * entry);
      palette.push_back(0xFF000000u | static_cast<Pixel32>(p[2]) << 16 |
                        static_cast<Pixel32>(p[1]) << 8 | p[0]);
    }
    after_header += n * entry;
  }
  if (pixel_offset == 0) pixel_offset = after_header;

  const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  r.Need(pixel_offset, stride * static_cast<std::size_t>(height));
  Bitmap32 out(static_cast<int>(width), static_cast<int>(height));
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  bool any_alpha = false;
  for (long long row = 0; row < height; ++row) {
    const uint8_t* in = r.At(pixel_offset + static_cast<std::size_t>(row) * stride);
    const int y = static_cast<int>(top_down ? row : height - 1 - row);
    Pixel32* o = out.ScanLine(y);
    for (long long x = 0; x < width; ++x) {
      Pixel32 p = 0;
      switch (bpp) {
        case 1:
        case 4:
        case 8: {
          const std::size_t bit = static_cast<std::size_t>(x) * bpp;
          const unsigned index = (in[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
          if (index >= palette.size()) Fail("colour index outside the palette");
          p = palette[index];
          break;
        }
        case 24:
          p = 0xFF000000u | static_cast<Pixel32>(in[x * 3 + 2]) << 16 |
              static_cast<Pixel32>(in[x * 3 + 1]) << 8 | in[x * 3];
          break;
        default: {
          const uint32_t v = bpp == 16 ? static_cast<uint32_t>(in[x * 2] | in[x * 2 + 1] << 8)
                                       : static_cast<uint32_t>(in[x * 4]) |
                                             static_cast<uint32_t>(in[x * 4 + 1]) << 8 |
                                             static_cast<uint32_t>(in[x * 4 + 2]) << 16 |
                                             static_cast<uint32_t>(in[x * 4 + 3]) << 24;
          const uint32_t a = alpha.mask ? alpha.Get(v) : 255;
          any_alpha |= a != 0;
          p = a << 24 | red.Get(v) << 16 | green.Get(v) << 8 | blue.Get(v);
          break;
        }
      }
      o[x] = p;
    }
  }
  // An all-zero fourth byte means "unused", not "transparent".
  if ((bpp == 16 || bpp == 32) && alpha.mask && !any_alpha)
    for (Pixel32 *p = out.Bits(), *end = p + static_cast<std::size_t>(width) * height; p != end;
         ++p)
      *p |= 0xFF000000u;
  return out;
}

std::vector<uint8_t> EncodeBmp(const Bitmap32& image, int bitsPerPixel, bool withFileHeader) {
  if (bitsPerPixel != 24 && bitsPerPixel != 32)
    throw EInvalidGraphic("Bitmaps are written with 24 or 32 bits per pixel");
  if (image.Empty()) throw EInvalidGraphic("Cannot write an empty bitmap");
  const std::size_t w = static_cast<std::size_t>(image.Width());
  const std::size_t h = static_cast<std::size_t>(image.Height());
  const std::size_t stride = ((w * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) * 4;
  const std::size_t pixels = stride * h;
  const std::size_t offset = (withFileHeader ? kFileHeaderSize : 0) + kInfoHeaderSize;
  std::vector<uint8_t> o;
  o.reserve(offset + pixels);
  if (withFileHeader) {
    o.push_back('B');
    o.push_back('M');
    Put32(o, static_cast<uint32_t>(offset + pixels));
    Put32(o, 0);
    Put32(o, static_cast<uint32_t>(offset));
  }
  Put32(o, kInfoHeaderSize);
  Put32(o, static_cast<uint32_t>(w));
  Put32(o, static_cast<uint32_t>(h));  // positive: bottom-up
  Put16(o, 1);
  Put16(o, static_cast<uint16_t>(bitsPerPixel));
  Put32(o, kBiRgb);
  Put32(o, static_cast<uint32_t>(pixels));
  Put32(o, 3780);  // 96 pixels per inch
  Put32(o, 3780);
  Put32(o, 0);
  Put32(o, 0);
  // Rows bottom-up, as the bitmap holds them.
  for (std::size_t y = 0; y < h; ++y) {
    const Pixel32* in = image.Bits() + y * w;
    const std::size_t start = o.size();
    for (std::size_t x = 0; x < w; ++x) {
      o.push_back(static_cast<uint8_t>(in[x]));
      o.push_back(static_cast<uint8_t>(in[x] >> 8));
      o.push_back(static_cast<uint8_t>(in[x] >> 16));
      if (bitsPerPixel == 32) o.push_back(static_cast<uint8_t>(in[x] >> 24));
    }
    o.resize(start + stride, 0);
  }
  return o;
}

}  // namespace tarn

#include "tools/payload/SupportFiles.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

#include "tools/payload/Bytes.h"
#include "tools/payload/Random.h"

namespace tarn::payload {
namespace {

constexpr int kIconSizes[] = {16, 24, 32, 48, 64};

// One icon image: header, colour pixels bottom row first, then the 1-bit transparency mask.
void IconImage(Random& r, Bytes& out, int s, uint32_t colour) {
  out.U32(40), out.U32(static_cast<uint32_t>(s)), out.U32(static_cast<uint32_t>(2 * s)), out.U16(1),
      out.U16(32);
  out.U32(0), out.U32(static_cast<uint32_t>(s * s * 4)), out.Fill(16);
  const int radius = s / 5, margin = s / 16;
  auto inside = [&](int x, int y) {
    const int cx = std::clamp(x, margin + radius, s - 1 - margin - radius);
    const int cy = std::clamp(y, margin + radius, s - 1 - margin - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
  auto play = [&](int x, int y) {  // a triangle pointing right, in the middle
    const int left = s * 3 / 8, top = s / 4, bottom = s * 3 / 4, right = s * 3 / 4;
    if (x < left || y < top || y > bottom) return false;
    const int half = (bottom - top) / 2, mid = top + half;
    return (x - left) * half <= (right - left) * (half - std::abs(y - mid));
  };
  for (int row = s - 1; row >= 0; --row) {
    for (int x = 0; x < s; ++x) {
      if (!inside(x, row)) {
        out.U32(0);
        continue;
      }
      if (play(x, row)) {
        out.U32(0xFFFFFFFF);
        continue;
      }
      // Darker towards the bottom right, a gloss on the upper half, a little grain.
      const int shade =
          48 * (row + x) / (2 * s) - (row < s / 2 ? 24 : 0) + static_cast<int>(r.Below(14));
      uint32_t pixel = 0xFF000000;
      for (int c = 0; c < 3; ++c)
        pixel |= static_cast<uint32_t>(
                     std::clamp(static_cast<int>(colour >> (8 * c) & 0xFF) - shade, 0, 255))
                 << (8 * c);
      out.U32(pixel);
    }
  }
  const int mask_row = (s + 31) / 32 * 4;
  for (int row = s - 1; row >= 0; --row) {
    for (int byte = 0; byte < mask_row; ++byte) {
      uint32_t bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int x = byte * 8 + bit;
        if (x >= s || !inside(x, row)) bits |= 0x80u >> bit;
      }
      out.U8(bits);
    }
  }
}

}  // namespace

std::vector<uint8_t> IconFile(const std::string& name) {
  Random r(Random::SeedOf(name));
  const uint32_t colour = 0x204060u + (r.Below(0x9F) << 16) + (r.Below(0x9F) << 8) + r.Below(0x9F);
  Bytes out;
  out.U16(0), out.U16(1), out.U16(static_cast<uint32_t>(std::size(kIconSizes)));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(std::size(kIconSizes));
  for (int s : kIconSizes) {
    const uint32_t bytes = 40 + static_cast<uint32_t>(s * s * 4 + (s + 31) / 32 * 4 * s);
    out.U8(static_cast<uint32_t>(s)), out.U8(static_cast<uint32_t>(s)), out.U8(0), out.U8(0),
        out.U16(1), out.U16(32), out.U32(bytes), out.U32(offset);
    offset += bytes;
  }
  for (int s : kIconSizes)
    IconImage(r, out, s, colour);
  if (out.Size() != kIconSize) throw std::logic_error("icon size changed: update kIconSize");
  return std::move(out.Data());
}

std::vector<uint8_t> SkinFile(std::size_t size) {
  Random r(Random::SeedOf("default.skn"));
  Bytes out;
  out.Ascii("TSKN", false), out.U16(2), out.U16(10);
  static const char* kParts[] = {"main",     "title", "play",       "pause", "stop",
                                 "prev",     "next",  "volume",     "seek",  "playlist",
                                 "minimize", "close", "fullscreen", "eq"};
  out.Ascii(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<skin name=\"default\" version=\"2.0\">\r\n",
      false);
  for (const char* part : kParts) {
    for (const char* state : {"normal", "hover", "down", "disabled"}) {
      out.Ascii("  <image id=\"", false), out.Ascii(part, false), out.Ascii("_", false),
          out.Ascii(state, false);
      out.Ascii("\" file=\"images/", false), out.Ascii(part, false),
          out.Ascii(".png\" frame=\"", false);
      out.Ascii(std::to_string(r.Below(4)), false);
      out.Ascii("\" left=\"" + std::to_string(r.Below(600)) + "\" top=\"" +
                    std::to_string(r.Below(400)) + "\" width=\"" +
                    std::to_string(16 + r.Below(80)) + "\" height=\"" +
                    std::to_string(16 + r.Below(40)) + "\"/>\r\n",
                false);
    }
  }
  // The windows of the skin: their areas, colours and fonts.
  for (const char* window : {"main", "playlist", "equalizer", "options", "about", "mini"}) {
    out.Ascii("  <window id=\"" + std::string(window) + "\" width=\"" +
                  std::to_string(200 + r.Below(500)) + "\" height=\"" +
                  std::to_string(100 + r.Below(400)) + "\">\r\n",
              false);
    for (uint32_t i = 0, n = 14 + r.Below(30); i < n; ++i) {
      out.Ascii(
          "    <area id=\"" + std::string(kParts[r.Below(std::size(kParts))]) + std::to_string(i) +
              "\" image=\"" + kParts[r.Below(std::size(kParts))] + "_normal\" left=\"" +
              std::to_string(r.Below(600)) + "\" top=\"" + std::to_string(r.Below(400)) +
              "\" anchor=\"" + (r.Chance(50) ? "left,top" : "right,bottom") + "\" color=\"#" +
              std::to_string(100000 + r.Below(899999)) + "\" font=\"" +
              (r.Chance(50) ? "Tahoma" : "SimSun") + "\" size=\"" + std::to_string(9 + r.Below(4)) +
              "\" hint=\"" + kParts[r.Below(std::size(kParts))] + "\"/>\r\n",
          false);
    }
    out.Ascii("  </window>\r\n", false);
  }
  out.Ascii("</skin>\r\n", false);
  // The pictures: soft gradients with grain, each packed as its own stream.
  while (out.Size() < size) {
    const int w = 64 + static_cast<int>(r.Below(192)), h = 16 + static_cast<int>(r.Below(64));
    std::vector<uint8_t> pixels;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < 4; ++c)
          pixels.push_back(
              static_cast<uint8_t>(c == 3 ? 255 : 60 + y * 120 / h + x * 40 / w + r.Below(24)));
    uLongf packed_size = compressBound(static_cast<uLong>(pixels.size()));
    std::vector<uint8_t> packed(packed_size);
    compress2(packed.data(), &packed_size, pixels.data(), static_cast<uLong>(pixels.size()), 6);
    out.U32(static_cast<uint32_t>(w)), out.U32(static_cast<uint32_t>(h)),
        out.U32(static_cast<uint32_t>(packed_size));
    out.Data().insert(out.Data().end(), packed.begin(),
                      packed.begin() + static_cast<std::ptrdiff_t>(packed_size));
  }
  out.Resize(size);
  return std::move(out.Data());
}

}  // namespace tarn::payload

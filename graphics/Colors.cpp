#include "graphics/Colors.h"

#include <array>

namespace tarn {

namespace {

// The classic scheme's values, by index.
constexpr std::array<TColor, kSystemColorCount> kClassic = {
    RGBColor(212, 208, 200),  // scroll bar
    RGBColor(58, 110, 165),   // desktop background
    RGBColor(10, 36, 106),    // active caption
    RGBColor(128, 128, 128),  // inactive caption
    RGBColor(212, 208, 200),  // menu
    RGBColor(255, 255, 255),  // window
    RGBColor(0, 0, 0),        // window frame
    RGBColor(0, 0, 0),        // menu text
    RGBColor(0, 0, 0),        // window text
    RGBColor(255, 255, 255),  // caption text
    RGBColor(212, 208, 200),  // active border
    RGBColor(212, 208, 200),  // inactive border
    RGBColor(128, 128, 128),  // application workspace
    RGBColor(10, 36, 106),    // highlight
    RGBColor(255, 255, 255),  // highlight text
    RGBColor(212, 208, 200),  // button face
    RGBColor(128, 128, 128),  // button shadow
    RGBColor(128, 128, 128),  // grey text
    RGBColor(0, 0, 0),        // button text
    RGBColor(212, 208, 200),  // inactive caption text
    RGBColor(255, 255, 255),  // button highlight
    RGBColor(64, 64, 64),     // 3-D dark shadow
    RGBColor(212, 208, 200),  // 3-D light
    RGBColor(0, 0, 0),        // tooltip text
    RGBColor(255, 255, 225),  // tooltip background
    RGBColor(181, 181, 181),  // (unused index 25)
    RGBColor(0, 0, 128),      // hot-tracked item
    RGBColor(166, 202, 240),  // active caption gradient
    RGBColor(192, 192, 192),  // inactive caption gradient
    RGBColor(10, 36, 106),    // menu highlight
    RGBColor(212, 208, 200),  // menu bar
};

}  // namespace

TColor SysColorValue(int index) {
  return index >= 0 && index < kSystemColorCount ? kClassic[static_cast<std::size_t>(index)] : 0;
}

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return SysColorValue(static_cast<int>(color & 0xFF));
  if (color == clNone || color == clDefault) return 0;
  return color & 0x00FFFFFF;
}

Pixel32 ColorToPixel(TColor color) {
  const TColor c = ColorToRGB(color);
  return 0xFF000000u | static_cast<Pixel32>(RedOf(c)) << 16 |
         static_cast<Pixel32>(GreenOf(c)) << 8 | BlueOf(c);
}

}  // namespace tarn

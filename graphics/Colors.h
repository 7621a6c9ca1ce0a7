// Colour values: 0x00BBGGRR is an RGB colour (red in the low byte); a value whose top byte is
// 0xFF names a system colour by its index in the low byte, resolved only when drawn, from the
// classic table; clNone (0x1FFFFFFF) means no colour.
#pragma once

#include <cstdint>

#include "graphics/Bitmap32.h"

namespace tarn {

using TColor = uint32_t;

constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r) | static_cast<TColor>(g) << 8 | static_cast<TColor>(b) << 16;
}
constexpr uint8_t RedOf(TColor c) {
  return static_cast<uint8_t>(c);
}
constexpr uint8_t GreenOf(TColor c) {
  return static_cast<uint8_t>(c >> 8);
}
constexpr uint8_t BlueOf(TColor c) {
  return static_cast<uint8_t>(c >> 16);
}

constexpr int kSystemColorCount = 31;

constexpr TColor SystemColor(uint8_t index) {
  return 0xFF000000u | index;
}
constexpr bool IsSystemColor(TColor c) {
  return (c >> 24) == 0xFF;
}

// Plain colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours by index (window 5, button face 15, button shadow 16, button text 18,
// button highlight 20, 3-D dark shadow 21, 3-D light 22, ...).
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

// The classic value of a system colour index (black for indices the table does not have).
TColor SysColorValue(int index);

// A colour resolved to 0x00BBGGRR: system colours through the classic table, plain colours
// with their top byte cleared. clNone and clDefault have no RGB value and give black; callers
// that treat them specially test for them first.
TColor ColorToRGB(TColor color);

// The colour as an opaque pixel (fourth byte 0xFF).
Pixel32 ColorToPixel(TColor color);
// The pixel's colour as 0x00BBGGRR (fourth byte dropped).
constexpr TColor PixelToColor(Pixel32 p) {
  return RGBColor(static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                  static_cast<uint8_t>(p));
}

}  // namespace tarn

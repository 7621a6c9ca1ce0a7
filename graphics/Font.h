// A font as the canvas draws with it: family, pixel height, style and colour.
#pragma once

#include <cstdint>
#include <string>

#include "graphics/Colors.h"

namespace tarn {

enum FontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using FontStyles = uint8_t;  // FontStyle bits

struct Font {
  std::string Name = "MS Sans Serif";  // family name, CP936 bytes (宋体, Tahoma, ...)
  int Height = 11;                     // character height in pixels (the em, without leading)
  FontStyles Style = 0;
  TColor Color = clWindowText;

  bool Bold() const { return Style & fsBold; }
  bool Italic() const { return Style & fsItalic; }
  bool Underline() const { return Style & fsUnderline; }
  bool StrikeOut() const { return Style & fsStrikeOut; }
  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace tarn

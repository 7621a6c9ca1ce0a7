// Code page 936 (GBK) is the program's 8-bit text; Unicode appears only at the edges (fonts,
// host file names, clipboard, window titles). These convert at those edges.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarn {

enum class Conversion {
  Throw,    // invalid input raises EConvertError
  Replace,  // invalid input becomes '?' (to CP936) or U+FFFD (to Unicode)
};

std::string Cp936ToUtf8(std::string_view text, Conversion mode = Conversion::Throw);
std::string Utf8ToCp936(std::string_view text, Conversion mode = Conversion::Throw);
std::u32string Cp936ToUtf32(std::string_view text, Conversion mode = Conversion::Replace);
std::string Utf32ToCp936(std::u32string_view text, Conversion mode = Conversion::Replace);

// The first byte of a double-byte CP936 character; the byte after it is a trail byte that may
// look like an ASCII letter or backslash and must not be treated as one.
constexpr bool IsLeadByte(uint8_t byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace tarn

// UTF-16 text, the form in which the registry keeps names and strings, and its conversions to
// the program's code page 936 and the host's UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "base/Cp936.h"

namespace tarn {

std::u16string Utf32ToUtf16(std::u32string_view text);
// Lone surrogates become U+FFFD.
std::u32string Utf16ToUtf32(std::u16string_view text);
std::u16string Cp936ToUtf16(std::string_view text, Conversion mode = Conversion::Replace);
std::string Utf16ToCp936(std::u16string_view text, Conversion mode = Conversion::Replace);
std::string Utf16ToUtf8(std::u16string_view text);
// Invalid UTF-8 bytes are taken as Latin-1 characters, so no input is lost.
std::u16string Utf8ToUtf16(std::string_view text);

// The upper-case form used to compare names without regard to case (ASCII, Latin-1, Greek and
// Cyrillic letters; other characters have no case that matters here).
char16_t FoldCase(char16_t c);
std::u16string FoldCase(std::u16string_view text);
// Case-insensitive three-way comparison in the registry's order (upper-case units, then length).
int CompareNoCase(std::u16string_view a, std::u16string_view b);

}  // namespace tarn

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

// The small letter of a capital (the simple Unicode mapping), any other unit unchanged.
char16_t LowerCase(char16_t c);
// Case-insensitive three-way comparison in the registry's order, the one Wine keeps keys and
// values in: units folded to lower case, then the shorter name first. Lower, not upper: the
// characters between the capitals and the small letters (such as '_') sort before letters.
int CompareNoCase(std::u16string_view a, std::u16string_view b);

}  // namespace tarn

// Small text helpers: the n-th occurrence of a substring and whether text is a number.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

// 1-based position (in 16-bit characters) of the n-th occurrence of sub in text, overlapping
// occurrences included; 0 when there is none, sub is empty or n < 1.
int NthPos(std::u16string_view sub, std::u16string_view text, int n);
// The same for code page 936 text, counted in characters as its 16-bit form counts them.
int NthPos(std::string_view sub, std::string_view text, int n);
// Whether the text converts to a number as the framework's conversion takes numbers: leading
// blanks, a sign, digits with an optional fraction and exponent, or "$" and hex digits.
bool IsNumeric(std::string_view text);

}  // namespace tarn

// Small string helpers over code-page-936 text. Anything that looks at single characters
// steps over double-byte characters whole, so a trail byte is never taken for '\\' or a letter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// Removes leading / trailing bytes <= ' ' (spaces and control characters).
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// ASCII letters only change; double-byte characters are kept as they are.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);

std::string IntToStr(int64_t value);
// Decimal with optional sign and surrounding blanks, or "$"/"0x" hexadecimal.
std::optional<int64_t> TryStrToInt(std::string_view text);
int64_t StrToIntDef(std::string_view text, int64_t fallback);

// Whether the byte at index starts a character (is not the trail byte of a double-byte one).
bool IsCharStart(std::string_view text, std::size_t index);
// The text cut to its first maxBytes bytes, regardless of character boundaries, as the
// fixed-capacity strings of stored formats are.
std::string CutBytes(std::string_view text, std::size_t maxBytes);

bool EndsWithBackslash(std::string_view path);
std::string IncludeTrailingBackslash(std::string_view path);
std::string ExcludeTrailingBackslash(std::string_view path);
// After the last '\\', '/' or ':' (a drive); the path itself when there is none.
std::string ExtractFileName(std::string_view path);
// Up to and including the last '\\', '/' or ':'.
std::string ExtractFilePath(std::string_view path);
// From the last '.' of the file name on, including the dot; empty when there is none.
std::string ExtractFileExt(std::string_view path);

}  // namespace tarn

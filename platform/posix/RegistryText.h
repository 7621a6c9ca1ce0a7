// The pieces of Wine's registry text format: escaped strings, value lines, key lines and time
// lines. Reading accepts what Wine writes and a little more (raw UTF-8, str: strings); writing
// produces what Wine itself writes, pure ASCII.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::regtext {

inline constexpr std::string_view kSignature = "WINE REGISTRY Version 2";

// The text between delimiters, escaped as Wine escapes it: '\\' and the delimiter (and '[' in
// key names) get a backslash, control characters a letter or octal escape, everything above
// 127 a \x escape of its UTF-16 unit.
std::string Escape(std::u16string_view text, char delimiter);

// Reads escaped text from line[pos] up to the unescaped delimiter; pos ends just past it.
// Nothing when the delimiter never comes.
std::optional<std::u16string> Unescape(std::string_view line, std::size_t& pos, char delimiter);

struct TValue {
  std::u16string Name;  // empty: the default value
  uint32_t Type = 0;
  std::string Data;  // as the registry keeps it: UTF-16LE with a terminating zero for strings
};

// One value from its logical line (continuation lines already joined). Nothing when the line
// is not a value this reader understands.
std::optional<TValue> ParseValue(std::string_view line);
// The value's line(s), as Wine writes them, without the final newline.
std::string FormatValue(const TValue& value);

// "[Path\\To\\Key]" and the seconds after it. Nothing when the line is not a key line.
std::optional<std::vector<std::u16string>> ParseKeyLine(std::string_view line);
std::string FormatKeyLine(const std::vector<std::u16string>& path, int64_t unixSeconds);
std::string FormatTimeLine(uint64_t fileTime);

// FILETIME (100 ns since 1601) of a Unix time given in 100 ns units.
constexpr uint64_t FileTimeFromUnix100ns(int64_t unix100ns) {
  return static_cast<uint64_t>(unix100ns) + 116444736000000000ull;
}

// UTF-16LE bytes of text, and back (an odd last byte is dropped).
std::string ToBytes(std::u16string_view text);
std::u16string FromBytes(std::string_view bytes);

}  // namespace tarn::regtext

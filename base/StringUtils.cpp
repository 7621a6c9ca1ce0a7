#include "base/StringUtils.h"

#include <charconv>

#include "base/Cp936.h"

namespace tarn {
namespace {

constexpr bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

template <typename Map>
std::string MapAscii(std::string_view text, Map map) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (IsLeadByte(c) && i + 1 < out.size()) {
      ++i;
    } else {
      out[i] = map(out[i]);
    }
  }
  return out;
}

// Index just past the last path separator that starts a character, or npos.
std::size_t LastSeparator(std::string_view path, bool withDrive) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < path.size()) {
      ++i;
    } else if (c == '\\' || c == '/' || (withDrive && c == ':')) {
      found = i;
    }
  }
  return found;
}

}  // namespace

std::string TrimLeft(std::string_view text) {
  std::size_t b = 0;
  while (b < text.size() && IsBlank(text[b]))
    ++b;
  return std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
  std::size_t e = text.size();
  while (e > 0 && IsBlank(text[e - 1]))
    --e;
  return std::string(text.substr(0, e));
}

std::string Trim(std::string_view text) {
  return TrimLeft(TrimRight(text));
}

std::string UpperCase(std::string_view text) {
  return MapAscii(text,
                  [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
}

std::string LowerCase(std::string_view text) {
  return MapAscii(text,
                  [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

std::string IntToStr(int64_t value) {
  return std::to_string(value);
}

std::optional<int64_t> TryStrToInt(std::string_view text) {
  const std::string trimmed = Trim(text);
  std::string_view s = trimmed;
  bool negative = false;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return std::nullopt;
  uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  if (negative) {
    if (magnitude > uint64_t{1} << 63) return std::nullopt;
    return static_cast<int64_t>(0 - magnitude);
  }
  if (magnitude > static_cast<uint64_t>(INT64_MAX)) return std::nullopt;
  return static_cast<int64_t>(magnitude);
}

int64_t StrToIntDef(std::string_view text, int64_t fallback) {
  return TryStrToInt(text).value_or(fallback);
}

bool IsCharStart(std::string_view text, std::size_t index) {
  std::size_t i = 0;
  while (i < index) {
    i += IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  return i == index;
}

std::string CutBytes(std::string_view text, std::size_t maxBytes) {
  return std::string(text.substr(0, maxBytes));
}

bool EndsWithBackslash(std::string_view path) {
  return !path.empty() && path.back() == '\\' && IsCharStart(path, path.size() - 1);
}

std::string IncludeTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (!EndsWithBackslash(path)) out += '\\';
  return out;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
  if (!EndsWithBackslash(path)) return std::string(path);
  return std::string(path.substr(0, path.size() - 1));
}

std::string ExtractFileName(std::string_view path) {
  const std::size_t sep = LastSeparator(path, true);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtractFilePath(std::string_view path) {
  const std::size_t sep = LastSeparator(path, true);
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string ExtractFileExt(std::string_view path) {
  const std::string name = ExtractFileName(path);
  std::size_t dot = std::string::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
      ++i;
    } else if (name[i] == '.') {
      dot = i;
    }
  }
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace tarn

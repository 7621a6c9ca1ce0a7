#include "platform/posix/RegistryText.h"

#include <cstdio>

#include "platform/posix/Utf16.h"

namespace tarn::regtext {
namespace {

constexpr bool IsHexDigit(char16_t c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

constexpr int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void SkipBlanks(std::string_view line, std::size_t& pos) {
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
    ++pos;
}

bool Consume(std::string_view line, std::size_t& pos, std::string_view word) {
  if (line.substr(pos, word.size()) != word) return false;
  pos += word.size();
  return true;
}

// Hex number up to the given length; nothing when there is no digit.
std::optional<uint32_t> ReadHex(std::string_view line, std::size_t& pos, std::size_t maxDigits) {
  uint32_t value = 0;
  std::size_t digits = 0;
  while (pos < line.size() && digits < maxDigits && HexValue(line[pos]) >= 0) {
    value = value * 16 + static_cast<uint32_t>(HexValue(line[pos]));
    ++pos;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

bool AtEnd(std::string_view line, std::size_t pos) {
  SkipBlanks(line, pos);
  return pos == line.size() || line[pos] == '\r';
}

std::optional<std::string> ParseHexList(std::string_view line, std::size_t pos) {
  std::string bytes;
  for (;;) {
    SkipBlanks(line, pos);
    if (AtEnd(line, pos)) return bytes;
    const auto byte = ReadHex(line, pos, 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<char>(*byte));
    SkipBlanks(line, pos);
    if (AtEnd(line, pos)) return bytes;
    if (line[pos] != ',') return std::nullopt;
    ++pos;
  }
}

// A UTF-8 sequence at line[pos] as one or two UTF-16 units; a stray byte as Latin-1.
void AppendRaw(std::string_view line, std::size_t& pos, std::u16string& out) {
  const auto b = static_cast<unsigned char>(line[pos]);
  const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  const std::u16string units = Utf8ToUtf16(line.substr(pos, length));
  // Utf8ToUtf16 turns an invalid sequence into one unit per byte: take only the first then.
  if (length > 1 && units.size() >= length) {
    out.push_back(units[0]);
    ++pos;
    return;
  }
  out += units;
  pos += length;
}

void AppendQuoted(std::string& out, std::u16string_view text) {
  out += '"';
  out += Escape(text, '"');
  out += '"';
}

}  // namespace

std::string Escape(std::u16string_view text, char delimiter) {
  static constexpr char kLetters[32] = {'0', 0,   0,   0, 0, 0,   0, 'a', 'b', 't', 'n',
                                        'v', 'f', 'r', 0, 0, 0,   0, 0,   0,   0,   0,
                                        0,   0,   0,   0, 0, 'e', 0, 0,   0,   0};
  std::string out;
  out.reserve(text.size());
  char buffer[16];
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool nextIsHex = i + 1 < text.size() && IsHexDigit(text[i + 1]);
    if (c > 127) {
      std::snprintf(buffer, sizeof buffer, nextIsHex ? "\\x%04x" : "\\x%x", unsigned{c});
      out += buffer;
    } else if (c < 32) {
      const bool nextIsOctal = i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7';
      if (kLetters[c] != 0 && !(c == 0 && nextIsOctal)) {
        out += '\\';
        out += kLetters[c];
      } else {
        std::snprintf(buffer, sizeof buffer, "\\%03o", unsigned{c});
        out += buffer;
      }
    } else if (c == '\\' || c == static_cast<char16_t>(delimiter) ||
               (delimiter == ']' && c == '[')) {
      out += '\\';
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::optional<std::u16string> Unescape(std::string_view line, std::size_t& pos, char delimiter) {
  std::u16string out;
  while (pos < line.size()) {
    const char c = line[pos];
    if (c == delimiter) {
      ++pos;
      return out;
    }
    if (static_cast<unsigned char>(c) >= 0x80) {
      AppendRaw(line, pos, out);
      continue;
    }
    if (c != '\\') {
      out.push_back(static_cast<char16_t>(c));
      ++pos;
      continue;
    }
    if (++pos >= line.size()) return std::nullopt;
    const char e = line[pos];
    switch (e) {
      case 'a':
        out.push_back(7);
        ++pos;
        break;
      case 'b':
        out.push_back(8);
        ++pos;
        break;
      case 't':
        out.push_back(9);
        ++pos;
        break;
      case 'n':
        out.push_back(10);
        ++pos;
        break;
      case 'v':
        out.push_back(11);
        ++pos;
        break;
      case 'f':
        out.push_back(12);
        ++pos;
        break;
      case 'r':
        out.push_back(13);
        ++pos;
        break;
      case 'e':
        out.push_back(27);
        ++pos;
        break;
      case 'x': {
        ++pos;
        const auto value = ReadHex(line, pos, 4);
        out.push_back(value ? static_cast<char16_t>(*value) : u'x');
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          unsigned value = 0;
          for (int k = 0; k < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++k) {
            value = value * 8 + static_cast<unsigned>(line[pos] - '0');
            ++pos;
          }
          out.push_back(static_cast<char16_t>(value));
        } else if (static_cast<unsigned char>(e) >= 0x80) {
          AppendRaw(line, pos, out);  // an unknown escape keeps the character
        } else {
          out.push_back(static_cast<char16_t>(e));
          ++pos;
        }
    }
  }
  return std::nullopt;
}

std::string ToBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

std::u16string FromBytes(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return text;
}

std::optional<TValue> ParseValue(std::string_view line) {
  TValue value;
  std::size_t pos = 0;
  if (Consume(line, pos, "@")) {
    // the default value
  } else if (Consume(line, pos, "\"")) {
    auto name = Unescape(line, pos, '"');
    if (!name) return std::nullopt;
    value.Name = std::move(*name);
  } else {
    return std::nullopt;
  }
  SkipBlanks(line, pos);
  if (!Consume(line, pos, "=")) return std::nullopt;
  SkipBlanks(line, pos);

  std::optional<uint32_t> stringType;
  if (Consume(line, pos, "\"")) {
    stringType = 1;
  } else if (Consume(line, pos, "str:\"")) {
    stringType = 1;
  } else if (Consume(line, pos, "str(")) {
    stringType = ReadHex(line, pos, 8);
    if (!stringType || !Consume(line, pos, "):\"")) return std::nullopt;
  }
  if (stringType) {
    auto text = Unescape(line, pos, '"');
    if (!text || !AtEnd(line, pos)) return std::nullopt;
    text->push_back(0);
    value.Type = *stringType;
    value.Data = ToBytes(*text);
    return value;
  }
  if (Consume(line, pos, "dword:")) {
    const auto number = ReadHex(line, pos, 8);
    if (!number || !AtEnd(line, pos)) return std::nullopt;
    value.Type = 4;
    for (int k = 0; k < 4; ++k)
      value.Data.push_back(static_cast<char>((*number >> (8 * k)) & 0xFF));
    return value;
  }
  if (Consume(line, pos, "hex:")) {
    value.Type = 3;
  } else if (Consume(line, pos, "hex(")) {
    const auto type = ReadHex(line, pos, 8);
    if (!type || !Consume(line, pos, "):")) return std::nullopt;
    value.Type = *type;
  } else {
    return std::nullopt;
  }
  auto bytes = ParseHexList(line, pos);
  if (!bytes) return std::nullopt;
  value.Data = std::move(*bytes);
  return value;
}

std::string FormatValue(const TValue& value) {
  std::string out;
  if (value.Name.empty()) {
    out = "@";
  } else {
    AppendQuoted(out, value.Name);
  }
  out += '=';
  const bool isString = value.Type == 1 || value.Type == 2 || value.Type == 7;
  if (isString && value.Data.size() >= 2 && value.Data.size() % 2 == 0) {
    const std::u16string text = FromBytes(value.Data);
    const std::u16string_view body(text.data(), text.size() - 1);
    const bool terminated = text.back() == 0;
    const bool inner = body.find(u'\0') != std::u16string_view::npos;
    if (terminated && (value.Type == 7 || !inner)) {
      if (value.Type == 2) out += "str(2):";
      if (value.Type == 7) out += "str(7):";
      AppendQuoted(out, body);
      return out;
    }
  }
  if (value.Type == 4 && value.Data.size() == 4) {
    uint32_t number = 0;
    for (int k = 3; k >= 0; --k)
      number = number << 8 | static_cast<unsigned char>(value.Data[k]);
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
    return out + buffer;
  }
  char buffer[24];
  if (value.Type == 3) {
    out += "hex:";
  } else {
    std::snprintf(buffer, sizeof buffer, "hex(%x):", value.Type);
    out += buffer;
  }
  std::size_t column = out.size();
  for (std::size_t i = 0; i < value.Data.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(value.Data[i]));
    out += buffer;
    column += 2;
    if (i + 1 < value.Data.size()) {
      out += ',';
      if (++column > 76) {
        out += "\\\n  ";
        column = 2;
      }
    }
  }
  return out;
}

std::optional<std::vector<std::u16string>> ParseKeyLine(std::string_view line) {
  std::size_t pos = 0;
  if (!Consume(line, pos, "[")) return std::nullopt;
  const auto path = Unescape(line, pos, ']');
  if (!path) return std::nullopt;
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path->find(u'\\', start);
    const std::u16string part = path->substr(start, end - start);
    if (!part.empty()) parts.push_back(part);
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  return parts;
}

std::string FormatKeyLine(const std::vector<std::u16string>& path, int64_t unixSeconds) {
  std::u16string joined;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (i > 0) joined += u'\\';
    joined += path[i];
  }
  return "[" + Escape(joined, ']') + "] " + std::to_string(unixSeconds);
}

std::string FormatTimeLine(uint64_t fileTime) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "#time=%llx", static_cast<unsigned long long>(fileTime));
  return buffer;
}

}  // namespace tarn::regtext

#include "base/QuotedText.h"

#include "base/Cp936.h"
#include "base/Exception.h"

namespace tarn {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string DecodeQuotedText(std::string_view text, std::size_t& pos) {
  ++pos;  // the opening quote
  std::string out;
  std::string utf8;  // the run since the last raw byte, converted as a whole
  auto flush = [&] {
    try {
      out += Utf8ToCp936(utf8);
    } catch (const EConvertError&) {
      throw EConvertError("the text has characters that code page 936 cannot hold");
    }
    utf8.clear();
  };
  auto unclosed = [&] { return pos >= text.size() || text[pos] == '\n'; };
  for (;;) {
    if (unclosed()) throw EConvertError("the text has no closing quote");
    const char c = text[pos++];
    if (c == '"') break;
    if (c != '\\') {
      utf8 += c;
      continue;
    }
    if (unclosed()) throw EConvertError("the text has no closing quote");
    const char e = text[pos++];
    switch (e) {
      case 'n':
        utf8 += '\n';
        break;
      case 'r':
        utf8 += '\r';
        break;
      case 't':
        utf8 += '\t';
        break;
      case '"':
      case '\\':
        utf8 += e;
        break;
      case 'x': {
        const int hi = pos < text.size() ? HexDigit(text[pos]) : -1;
        const int lo = pos + 1 < text.size() ? HexDigit(text[pos + 1]) : -1;
        if (hi < 0 || lo < 0) throw EConvertError("\\x needs two hexadecimal digits");
        pos += 2;
        flush();
        out += static_cast<char>(hi * 16 + lo);
        break;
      }
      default:
        throw EConvertError(std::string("unknown escape \\") + e + " in the text");
    }
  }
  flush();
  return out;
}

}  // namespace tarn

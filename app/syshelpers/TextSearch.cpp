#include "app/syshelpers/TextSearch.h"

#include "base/Cp936.h"

namespace tarn {
namespace {

std::u16string To16(std::string_view text) {
  std::u16string out;
  for (char32_t c : Cp936ToUtf32(text)) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

int NthPos(std::u16string_view sub, std::u16string_view text, int n) {
  if (sub.empty() || n < 1) return 0;
  std::size_t at = text.find(sub);
  for (int k = 1; k < n && at != std::u16string_view::npos; ++k)
    at = text.find(sub, at + 1);
  return at == std::u16string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int NthPos(std::string_view sub, std::string_view text, int n) {
  return NthPos(To16(sub), To16(text), n);
}

bool IsNumeric(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i < text.size() && text[i] == '$') {
    const std::size_t start = ++i;
    while (i < text.size() && IsHexDigit(text[i]))
      ++i;
    return i > start && i == text.size();
  }
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i]))
    ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i]))
      ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i]))
      ++i;
    if (i == start) return false;
  }
  return i == text.size();
}

}  // namespace tarn

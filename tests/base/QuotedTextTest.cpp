// Quoted texts carry every caption of the form layouts and the texts of the resource manifest;
// a wrong escape or conversion garbles them, a missed error hides a broken layout.
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "base/QuotedText.h"

namespace tarn {
namespace {

std::string Decode(std::string_view text, std::size_t* end = nullptr) {
  std::size_t pos = 0;
  std::string out = DecodeQuotedText(text, pos);
  if (end != nullptr) *end = pos;
  return out;
}

TEST(QuotedTextTest, EscapesRawBytesAndChineseText) {
  std::size_t end = 0;
  EXPECT_EQ(Decode(R"("a\tb\r\n\"\\" rest)", &end), "a\tb\r\n\"\\");
  EXPECT_EQ(end, 14u);
  // UTF-8 text becomes code page 936; \xHH is a raw byte placed between converted runs.
  EXPECT_EQ(Decode("\"\xE5\xA1\x94\\x81\\x40x\""), "\xCB\xFE\x81\x40x");
  EXPECT_EQ(Decode("\"\""), "");
}

TEST(QuotedTextTest, ErrorsSayWhatIsWrong) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"open", "the text has no closing quote"},
      {"\"open\nnext\"", "the text has no closing quote"},
      {"\"ends in \\", "the text has no closing quote"},
      {"\"\\q\"", "unknown escape \\q in the text"},
      {"\"\\x4\"", "\\x needs two hexadecimal digits"},
      {"\"\\x", "\\x needs two hexadecimal digits"},
      {"\"\xF0\x9F\x98\x80\"", "the text has characters that code page 936 cannot hold"},
  };
  for (const auto& [text, message] : cases) {
    try {
      Decode(text);
      ADD_FAILURE() << text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), message) << text;
    }
  }
}

}  // namespace
}  // namespace tarn

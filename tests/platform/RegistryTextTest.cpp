// Protects the reading and writing of single lines of Wine's registry files: a mistake here
// corrupts values that Wine or other programs wrote, or writes lines Wine cannot read.
#include <gtest/gtest.h>

#include "platform/posix/RegistryText.h"
#include "platform/posix/Utf16.h"

namespace tarn::regtext {
namespace {

TValue Value(std::u16string name, uint32_t type, std::string data) {
  return TValue{std::move(name), type, std::move(data)};
}

std::string Text(std::u16string text) {
  text.push_back(0);
  return ToBytes(text);
}

TEST(RegistryText, FormatsEachTypeAsWineWritesIt) {
  EXPECT_EQ(FormatValue(Value(u"", 1, Text(u"x"))), "@=\"x\"");
  EXPECT_EQ(FormatValue(Value(u"n", 1, Text(u"a\"b\\c"))), "\"n\"=\"a\\\"b\\\\c\"");
  EXPECT_EQ(FormatValue(Value(u"e", 2, Text(u"%SystemRoot%\\x"))),
            "\"e\"=str(2):\"%SystemRoot%\\\\x\"");
  EXPECT_EQ(FormatValue(Value(u"m", 7, Text(std::u16string(u"a\0b\0", 4)))),
            "\"m\"=str(7):\"a\\0b\\0\"");
  EXPECT_EQ(FormatValue(Value(u"d", 4, std::string("\x2a\0\0\0", 4))), "\"d\"=dword:0000002a");
  EXPECT_EQ(FormatValue(Value(u"b", 3, "\x01\xff")), "\"b\"=hex:01,ff");
  EXPECT_EQ(FormatValue(Value(u"q", 11, std::string("\x01\0\0\0\0\0\0\0", 8))),
            "\"q\"=hex(b):01,00,00,00,00,00,00,00");
  // Strings that are not whole, terminated UTF-16 text keep their bytes.
  EXPECT_EQ(FormatValue(Value(u"odd", 1, "abc")), "\"odd\"=hex(1):61,62,63");
  EXPECT_EQ(FormatValue(Value(u"d3", 4, "abc")), "\"d3\"=hex(4):61,62,63");
  EXPECT_EQ(FormatValue(Value(u"empty", 3, "")), "\"empty\"=hex:");
}

TEST(RegistryText, EscapesControlAndNonAsciiCharacters) {
  EXPECT_EQ(Escape(u"\t\n\r\x1b\x01", '"'), "\\t\\n\\r\\e\\001");
  // Four hex digits only when a hex digit follows, so the reader cannot run on.
  EXPECT_EQ(Escape(u"\u00e9a\u00e9z", '"'), "\\x00e9a\\xe9z");
  EXPECT_EQ(Escape(u"\u5854\u6069", '"'), "\\x5854\\x6069");
  // A zero before an octal digit is written in full for the same reason.
  EXPECT_EQ(Escape(std::u16string(u"\0"
                                  u"1",
                                  2),
                   '"'),
            "\\0001");
  EXPECT_EQ(Escape(u"a[b]", ']'), "a\\[b\\]");
}

TEST(RegistryText, ReadsEscapesRawUtf8AndUnknownEscapes) {
  std::size_t pos = 0;
  EXPECT_EQ(Unescape("\\x5854\\x6069\\t\\101\\q\"rest", pos, '"'), u"\u5854\u6069\tAq");
  EXPECT_EQ(pos, 21u);
  pos = 0;
  EXPECT_EQ(Unescape("\xe5\xa1\x94\xe6\x81\xa9\"", pos, '"'), u"\u5854\u6069");
  pos = 0;
  EXPECT_EQ(Unescape("no end", pos, '"'), std::nullopt);
}

TEST(RegistryText, ParsesWhatItFormats) {
  const TValue values[] = {
      Value(u"", 1, Text(u"default")),
      Value(u"name with \"quotes\" and \\", 1, Text(u"\u5854\u6069\u64ad\u653e\u5668 12")),
      Value(u"multi", 7,
            Text(std::u16string(u"a\0"
                                u"1\0",
                                4))),
      Value(u"expand", 2, Text(u"%TEMP%")),
      Value(u"dw", 4, std::string("\xff\xff\xff\xff", 4)),
      Value(u"bin", 3, std::string(200, '\x7f')),
      Value(u"other", 0x20, "xyz"),
  };
  for (const auto& value : values) {
    std::string line = FormatValue(value);
    // Join continuation lines as the file reader does.
    for (std::size_t at; (at = line.find("\\\n  ")) != std::string::npos;)
      line.erase(at, 4);
    const auto parsed = ParseValue(line);
    ASSERT_TRUE(parsed) << line;
    EXPECT_EQ(parsed->Name, value.Name);
    EXPECT_EQ(parsed->Type, value.Type);
    EXPECT_EQ(parsed->Data, value.Data) << line;
  }
}

TEST(RegistryText, WrapsLongHexListsAsWineDoes) {
  const std::string line = FormatValue(Value(u"long", 3, std::string(30, '\0')));
  const auto wrap = line.find("\\\n  ");
  ASSERT_NE(wrap, std::string::npos);
  EXPECT_EQ(line.substr(0, wrap).size(), 11u + 22 * 3);  // 22 bytes on the first line
  EXPECT_EQ(line.substr(wrap + 4), "00,00,00,00,00,00,00,00");
}

TEST(RegistryText, AcceptsStrPrefixAndRejectsGarbage) {
  const auto value = ParseValue("\"s\"=str:\"x\"");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->Type, 1u);
  EXPECT_FALSE(ParseValue("\"s\"=\"unterminated"));
  EXPECT_FALSE(ParseValue("\"s\"=dword:"));
  EXPECT_FALSE(ParseValue("\"s\"=hex:1g"));
  EXPECT_FALSE(ParseValue("\"s\"=\"x\" trailing"));
  EXPECT_FALSE(ParseValue("s=\"x\""));
  EXPECT_FALSE(ParseValue("\"s\"=-"));
}

TEST(RegistryText, KeyLinesSplitIntoComponents) {
  const auto path = ParseKeyLine("[Software\\\\Classes\\\\.avi] 1700000000");
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, (std::vector<std::u16string>{u"Software", u"Classes", u".avi"}));
  EXPECT_EQ(FormatKeyLine(*path, 1700000000), "[Software\\\\Classes\\\\.avi] 1700000000");
  EXPECT_EQ(FormatTimeLine(0x1da1b2c3d4e5f60), "#time=1da1b2c3d4e5f60");
}

// Names compare as Wine compares them: folded to lower case, then the shorter first. Lower, not
// upper, decides where '_' and the other marks between the two alphabets go.
TEST(RegistryText, NamesCompareInWinesOrder) {
  EXPECT_LT(CompareNoCase(u"_autodetect", u"ANSI_X3.4-1968"), 0);
  EXPECT_LT(CompareNoCase(u"[x", u"a"), 0);
  EXPECT_GT(CompareNoCase(u"{x", u"Z"), 0);
  EXPECT_EQ(CompareNoCase(u"Software", u"SOFTWARE"), 0);
  EXPECT_LT(CompareNoCase(u"ascii", u"ASCII2"), 0);
  EXPECT_LT(CompareNoCase(u"\u0178", u"\u0100"), 0);  // small y with diaeresis is U+00FF
  // Capitals and their small letters across scripts; marks and CJK have no case.
  for (const auto& [capital, small] : {std::pair<char16_t, char16_t>{u'A', u'a'},
                                       {u'\u00C9', u'\u00E9'},
                                       {u'\u0130', u'i'},
                                       {u'\u0178', u'\u00FF'},
                                       {u'\u01C5', u'\u01C6'},
                                       {u'\u03A3', u'\u03C3'},
                                       {u'\u0401', u'\u0451'},
                                       {u'\u0531', u'\u0561'},
                                       {u'\u10A0', u'\u2D00'},
                                       {u'\u212A', u'k'},
                                       {u'\uFF21', u'\uFF41'}}) {
    EXPECT_EQ(LowerCase(capital), small) << static_cast<int>(capital);
  }
  int capitals = 0;
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    const char16_t lower = LowerCase(static_cast<char16_t>(c));
    ASSERT_EQ(LowerCase(lower), lower) << static_cast<int>(c);  // a small letter stays
    capitals += lower != c ? 1 : 0;
  }
  EXPECT_EQ(capitals, 1173);  // every capital of the basic plane, none twice, none missed
  for (const char16_t c : {u'_', u'@', u'\u00DF', u'\u00D7', u'\u4E2D', char16_t{0xD800}})
    EXPECT_EQ(LowerCase(c), c);
}

}  // namespace
}  // namespace tarn::regtext

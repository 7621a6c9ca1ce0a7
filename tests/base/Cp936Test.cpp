// Code page 936 is the program's text; a wrong conversion garbles every Chinese caption, file
// name and registry value at the edges where text leaves the program.
#include <gtest/gtest.h>

#include "base/Cp936.h"
#include "base/Exception.h"

namespace tarn {
namespace {

// "塔恩播放器" in code page 936 and in UTF-8.
const std::string kGbk = "\xCB\xFE\xB6\xF7\xB2\xA5\xB7\xC5\xC6\xF7";
const std::string kUtf8 = "\xE5\xA1\x94\xE6\x81\xA9\xE6\x92\xAD\xE6\x94\xBE\xE5\x99\xA8";

TEST(Cp936Test, RoundTripsChineseAndAscii) {
  EXPECT_EQ(Cp936ToUtf8(kGbk), kUtf8);
  EXPECT_EQ(Utf8ToCp936(kUtf8), kGbk);
  EXPECT_EQ(Cp936ToUtf8("plain ascii"), "plain ascii");
  EXPECT_EQ(Cp936ToUtf8(""), "");
  const std::u32string wide = Cp936ToUtf32("A" + kGbk);
  ASSERT_EQ(wide.size(), 6u);
  EXPECT_EQ(wide[0], U'A');
  EXPECT_EQ(wide[1], U'\u5854');
  EXPECT_EQ(Utf32ToCp936(wide), "A" + kGbk);
  // Long text crosses the converter's internal buffer.
  std::string longText;
  for (int i = 0; i < 5000; ++i)
    longText += kGbk;
  EXPECT_EQ(Utf8ToCp936(Cp936ToUtf8(longText)), longText);
}

TEST(Cp936Test, InvalidInputThrowsOrIsReplaced) {
  const std::string cut = kGbk.substr(0, 3);  // ends in half a character
  EXPECT_THROW(Cp936ToUtf8(cut), EConvertError);
  EXPECT_EQ(Cp936ToUtf8(cut, Conversion::Replace), "\xE5\xA1\x94\xEF\xBF\xBD");
  EXPECT_THROW(Utf8ToCp936("\xFF"), EConvertError);
  EXPECT_EQ(Utf8ToCp936("a\xFF"
                        "b",
                        Conversion::Replace),
            "a?b");
  // A character that code page 936 lacks.
  EXPECT_EQ(Utf32ToCp936(U"x\U0001F600y"), "x?y");
}

}  // namespace
}  // namespace tarn

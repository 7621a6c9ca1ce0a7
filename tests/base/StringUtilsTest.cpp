// Path and case helpers over code page 936: a trail byte of 0x5C ('\\') or of a letter must not be
// mistaken for a separator or changed by case mapping, or Chinese paths break.
#include <gtest/gtest.h>

#include "base/StringUtils.h"

namespace tarn {
namespace {

// "表" is 0xB1 0x ED; "予" is 0xD3 0xE8; "ソ"-like trail 0x5C: "\x95\x5C" is a GBK character.
const std::string kBackslashTrail = "\x95\x5C";

TEST(StringUtilsTest, TrimAndCase) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(UpperCase("TarnPlayer.exe"), "TARNPLAYER.EXE");
  // The trail byte 0x61 ('a') of a double-byte character stays as it is.
  EXPECT_EQ(UpperCase("a\x81\x61z"), "A\x81\x61Z");
  EXPECT_EQ(LowerCase("A\x81\x41Z"), "a\x81\x41z");
  EXPECT_TRUE(SameText("TarnPlayer.EXE", "tarnplayer.exe"));
  EXPECT_FALSE(SameText("\x81\x61", "\x81\x41"));
}

TEST(StringUtilsTest, Integers) {
  EXPECT_EQ(TryStrToInt(" 42 "), 42);
  EXPECT_EQ(TryStrToInt("-7"), -7);
  EXPECT_EQ(TryStrToInt("$1F"), 31);
  EXPECT_EQ(TryStrToInt("0x10"), 16);
  EXPECT_EQ(TryStrToInt("-9223372036854775808"), INT64_MIN);
  EXPECT_FALSE(TryStrToInt("9223372036854775808"));
  EXPECT_FALSE(TryStrToInt("12a"));
  EXPECT_FALSE(TryStrToInt(""));
  EXPECT_FALSE(TryStrToInt("-"));
  EXPECT_EQ(StrToIntDef("x", 5), 5);
  EXPECT_EQ(IntToStr(-12), "-12");
}

TEST(StringUtilsTest, PathsStepOverDoubleByteCharacters) {
  EXPECT_EQ(IncludeTrailingBackslash("C:\\Tarn"), "C:\\Tarn\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\Tarn\\"), "C:\\Tarn\\");
  // A folder whose name ends in a character with a 0x5C trail byte has no backslash yet.
  EXPECT_FALSE(EndsWithBackslash("C:\\" + kBackslashTrail));
  EXPECT_EQ(IncludeTrailingBackslash("C:\\" + kBackslashTrail), "C:\\" + kBackslashTrail + "\\");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\a\\"), "C:\\a");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\" + kBackslashTrail), "C:\\" + kBackslashTrail);

  EXPECT_EQ(ExtractFileName("C:\\dir\\file.txt"), "file.txt");
  EXPECT_EQ(ExtractFileName("C:file"), "file");
  EXPECT_EQ(ExtractFileName(kBackslashTrail + "x"), kBackslashTrail + "x");
  EXPECT_EQ(ExtractFilePath("C:\\dir\\file.txt"), "C:\\dir\\");
  EXPECT_EQ(ExtractFilePath("file.txt"), "");
  EXPECT_EQ(ExtractFileExt("C:\\a.b\\name.LNK"), ".LNK");
  EXPECT_EQ(ExtractFileExt("C:\\a.b\\name"), "");

  EXPECT_TRUE(
      IsCharStart("a\x95\x5C"
                  "b",
                  1));
  EXPECT_FALSE(
      IsCharStart("a\x95\x5C"
                  "b",
                  2));
  EXPECT_TRUE(
      IsCharStart("a\x95\x5C"
                  "b",
                  3));
  EXPECT_EQ(CutBytes("abcdef", 4), "abcd");
  EXPECT_EQ(CutBytes("ab", 4), "ab");
}

}  // namespace
}  // namespace tarn

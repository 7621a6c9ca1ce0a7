// Protects the whole-file handling of Wine's registry files: a file Wine wrote must come back
// byte for byte when nothing in it changed, and a change must touch only its own key.
#include <gtest/gtest.h>

#include "platform/posix/RegistryHive.h"

namespace tarn {
namespace {

const std::string kWineFile =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\Classes\\\\.avi] 1700000000\n"
    "#time=1da1b2c3d4e5f60\n"
    "@=\"OtherPlayer.avi\"\n"
    "\"Content Type\"=\"video/avi\"\n"
    "\n"
    "[Software\\\\Classes\\\\Empty] 1700000001\n"
    "#time=1da1b2c3d4e5f61\n"
    "\n"
    "[Software\\\\Z\\\\Other] 1700000003\n"
    "#time=1da1b2c3d4e5f63\n"
    "#class=\"MyClass\"\n"
    "\"bin\"=hex:00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\n"
    "  01,02\n"
    "\"dw\"=dword:0000002a\n"
    "\"exp\"=str(2):\"%SystemRoot%\\\\system32\"\n"
    "\"multi\"=str(7):\"a\\0b\\0\"\n"
    "\"uni\"=\"\\x5854\\x6069\\x64ad\\x653e\\x5668\"\n"
    "\"weird\"=somethingnew:1\n";

TEST(RegistryHive, WritesAnUnchangedWineFileBackByteForByte) {
  TRegistryHive hive;
  ASSERT_TRUE(hive.Parse(kWineFile));
  EXPECT_EQ(hive.Serialise(), kWineFile);
}

TEST(RegistryHive, ReadsValuesOfEveryKind) {
  TRegistryHive hive;
  ASSERT_TRUE(hive.Parse(kWineFile));
  TRegNode* other = hive.Find({u"SOFTWARE", u"z", u"other"});  // any case
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->FindValue(u"bin")->value.Data.size(), 24u);
  EXPECT_EQ(other->FindValue(u"DW")->value.Data, std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(other->FindValue(u"exp")->value.Type, 2u);
  EXPECT_EQ(regtext::FromBytes(other->FindValue(u"uni")->value.Data),
            std::u16string(u"\u5854\u6069\u64ad\u653e\u5668") + u'\0');
  EXPECT_EQ(other->FindValue(u"weird"), nullptr);  // kept, but not a value we understand
  // Intermediate keys are implied by their children.
  ASSERT_NE(hive.Find({u"Software", u"Z"}), nullptr);
}

TEST(RegistryHive, ChangeRewritesOnlyItsOwnKey) {
  TRegistryHive hive;
  ASSERT_TRUE(hive.Parse(kWineFile));
  TRegNode* avi = hive.Find({u"Software", u"Classes", u".avi"});
  ASSERT_NE(avi, nullptr);
  const int64_t when = int64_t{1800000000} * 10000000;
  hive.SetValue(*avi, {u"", 1, regtext::ToBytes(std::u16string(u"TarnPlayer.avi\0", 15))}, when);
  const std::string written = hive.Serialise();
  // Everything outside the changed key is as it was.
  EXPECT_EQ(written.substr(written.find("\n[Software\\\\Classes\\\\Empty]")),
            kWineFile.substr(kWineFile.find("\n[Software\\\\Classes\\\\Empty]")));
  EXPECT_NE(written.find("[Software\\\\Classes\\\\.avi] 1800000000\n"), std::string::npos);
  EXPECT_NE(written.find("@=\"TarnPlayer.avi\"\n\"Content Type\"=\"video/avi\"\n"),
            std::string::npos);
  EXPECT_EQ(written.find("1da1b2c3d4e5f60"), std::string::npos);  // its time is new
  EXPECT_NE(written.find(regtext::FormatTimeLine(regtext::FileTimeFromUnix100ns(when))),
            std::string::npos);
}

TEST(RegistryHive, NewKeysGoInOrderAndEmptyKeysSurvive) {
  TRegistryHive hive;
  ASSERT_TRUE(hive.Parse(kWineFile));
  bool created = false;
  hive.Create({u"Software", u"Classes", u"TarnPlayer.avi", u"shell", u"Open"}, 0, created);
  EXPECT_TRUE(created);
  const std::string written = hive.Serialise();
  const auto empty = written.find("[Software\\\\Classes\\\\Empty]");
  const auto open = written.find("[Software\\\\Classes\\\\TarnPlayer.avi\\\\shell\\\\Open]");
  const auto other = written.find("[Software\\\\Z\\\\Other]");
  ASSERT_NE(open, std::string::npos);
  EXPECT_LT(empty, open);
  EXPECT_LT(open, other);
  // The new intermediate keys have no values and are implied, as Wine leaves them out.
  EXPECT_EQ(written.find("[Software\\\\Classes\\\\TarnPlayer.avi]"), std::string::npos);

  TRegistryHive again;
  ASSERT_TRUE(again.Parse(written));
  EXPECT_NE(again.Find({u"Software", u"Classes", u"TarnPlayer.avi", u"shell"}), nullptr);
  EXPECT_NE(again.Find({u"Software", u"Classes", u"Empty"}), nullptr);
}

TEST(RegistryHive, DeleteTreeRemovesSubKeysAndKeepsTheParent) {
  TRegistryHive hive;
  ASSERT_TRUE(hive.Parse(kWineFile));
  EXPECT_TRUE(hive.DeleteTree({u"Software", u"Z"}, 0));
  EXPECT_FALSE(hive.DeleteTree({u"Software", u"Z"}, 0));
  EXPECT_EQ(hive.Find({u"Software", u"Z", u"Other"}), nullptr);
  TRegistryHive again;
  ASSERT_TRUE(again.Parse(hive.Serialise()));
  EXPECT_EQ(again.Find({u"Software", u"Z"}), nullptr);
  EXPECT_NE(again.Find({u"Software", u"Classes", u".avi"}), nullptr);
}

// Wine keeps System\CurrentControlSet as a link to System\ControlSet001: what goes through the
// link must land in the target, never as keys under the link's own block.
TEST(RegistryHive, LinksLeadToTheirTarget) {
  const std::string target = regtext::ToBytes(u"\\Registry\\Machine\\System\\ControlSet001");
  const std::string file =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
      "#arch=win32\n\n"
      "[System\\\\ControlSet001\\\\Control] 1600000000\n\"a\"=\"1\"\n\n"
      "[System\\\\CurrentControlSet] 1600000000\n#link\n" +
      regtext::FormatValue({u"SymbolicLinkValue", 6, target}) + "\n";
  TRegistryHive hive;
  ASSERT_TRUE(hive.Parse(file));
  EXPECT_EQ(hive.Serialise(), file);
  TRegNode* control = hive.Find({u"System", u"CurrentControlSet", u"Control"});
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control, hive.Find({u"System", u"ControlSet001", u"control"}));
  bool created = false;
  TRegNode* made = hive.Create({u"System", u"CurrentControlSet", u"Services", u"X"}, 0, created);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(TRegistryHive::PathOf(*made),
            (TRegPath{u"System", u"ControlSet001", u"Services", u"X"}));
  EXPECT_NE(hive.Serialise().find("[System\\\\ControlSet001\\\\Services\\\\X]"), std::string::npos);
  EXPECT_EQ(hive.Serialise().find("[System\\\\CurrentControlSet\\\\"), std::string::npos);
  // Deleting the link deletes the link, not what it points to.
  EXPECT_TRUE(hive.DeleteTree({u"System", u"CurrentControlSet"}, 0));
  EXPECT_NE(hive.Find({u"System", u"ControlSet001", u"Control"}), nullptr);
  // A link into another file is not followed.
  TRegistryHive user("\\\\User\\\\S-1-5-21-0-0-0-1000");
  ASSERT_TRUE(
      user.Parse("WINE REGISTRY Version 2\n;; All keys relative to "
                 "\\\\User\\\\S-1-5-21-0-0-0-1000\n\n[L] 1\n#link\n" +
                 regtext::FormatValue({u"SymbolicLinkValue", 6, target}) + "\n"));
  EXPECT_EQ(user.Find({u"L", u"Control"}), nullptr);
  EXPECT_EQ(user.Create({u"L", u"New"}, 0, created), nullptr);
}

// A value that ends in a backslash continues only into a continuation line, never into the
// blank line and key that follow; otherwise each save would add a line.
TEST(RegistryHive, ContinuationStopsAtTheNextKey) {
  const std::string file = "WINE REGISTRY Version 2\n\n[A] 1\n\"v\"=\"\\\n\n[B] 1\n\"w\"=\"x\"\n";
  TRegistryHive hive;
  ASSERT_TRUE(hive.Parse(file));
  EXPECT_EQ(hive.Serialise(), file);
  ASSERT_NE(hive.Find({u"B"}), nullptr);
  EXPECT_NE(hive.Find({u"B"})->FindValue(u"w"), nullptr);
}

TEST(RegistryHive, RejectsFilesThatAreNotRegistries) {
  TRegistryHive hive;
  EXPECT_FALSE(hive.Parse(""));
  EXPECT_FALSE(hive.Parse("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n"));
  EXPECT_FALSE(hive.Parse("WINE REGISTRY Version 1\n"));
}

}  // namespace
}  // namespace tarn

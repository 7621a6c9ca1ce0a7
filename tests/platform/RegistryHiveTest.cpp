// Protects the whole-file handling of Wine's registry files: a file Wine wrote must come back
// byte for byte when nothing in it changed, and a change must touch only its own key.
#include <gtest/gtest.h>

#include "platform/posix/RegistryHive.h"
#include "tests/platform/RegistryFileText.h"

namespace tarn {
namespace {

using testing::WithoutKey;

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

// Wine keeps names in lower-case order: '_' sorts before the letters, 'Y' with diaeresis
// (U+0178, small U+00FF) before 'A' with macron (U+0100, small U+0101). Its own files list the
// MIME charsets "_autodetect" first; a save must move none of them.
const std::string kWineOrderFile = R"(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win32

[Software\\Classes\\MIME\\Database\\Charset\\_autodetect] 1700000000
#time=1da1b2c3d4e5f60
"Codepage"=dword:0000c42c
"InternetEncoding"=dword:0000c42c

[Software\\Classes\\MIME\\Database\\Charset\\_autodetect_all] 1700000000
#time=1da1b2c3d4e5f60
"Codepage"=dword:0000c350

[Software\\Classes\\MIME\\Database\\Charset\\_iso-2022-jp$ESC] 1700000000
#time=1da1b2c3d4e5f60
"Codepage"=dword:0000c42d

[Software\\Classes\\MIME\\Database\\Charset\\ANSI_X3.4-1968] 1700000000
#time=1da1b2c3d4e5f60
"AliasForCharset"="us-ascii"

[Software\\Classes\\MIME\\Database\\Charset\\ascii] 1700000000
#time=1da1b2c3d4e5f60
"AliasForCharset"="us-ascii"

[Software\\Names] 1700000000
#time=1da1b2c3d4e5f60
"_x"="1"
"Alpha"="2"
"beta"="3"
"\x178x"="4"
"\x100x"="5"

[Software\\Names\\\x178] 1700000000
#time=1da1b2c3d4e5f60

[Software\\Names\\\x100] 1700000000
#time=1da1b2c3d4e5f60
)";

std::string Sz(std::u16string text) {
  text.push_back(0);
  return regtext::ToBytes(text);
}

TEST(RegistryHive, KeepsWinesOrderOfKeysAndValues) {
  TRegistryHive hive;
  ASSERT_TRUE(hive.Parse(kWineOrderFile));
  EXPECT_EQ(hive.Serialise(), kWineOrderFile);

  // A changed value rewrites its own key's lines and nothing else.
  const std::string ansi = "[Software\\\\Classes\\\\MIME\\\\Database\\\\Charset\\\\ANSI_X3.4-1968]";
  TRegNode* node =
      hive.Find({u"software", u"classes", u"mime", u"database", u"charset", u"ansi_x3.4-1968"});
  ASSERT_NE(node, nullptr);
  const int64_t when = int64_t{1800000000} * 10000000;
  hive.SetValue(*node, {u"aliasforcharset", 1, Sz(u"ascii")}, when);
  std::string written = hive.Serialise();
  EXPECT_EQ(WithoutKey(written, ansi), WithoutKey(kWineOrderFile, ansi));
  EXPECT_NE(written.find(ansi + " 1800000000\n" +
                         regtext::FormatTimeLine(regtext::FileTimeFromUnix100ns(when)) +
                         "\n\"AliasForCharset\"=\"ascii\"\n\n"),
            std::string::npos);

  // A new key lands where Wine would put it: "$SIO" after "$ESC", before the letters.
  bool created = false;
  ASSERT_NE(
      hive.Create({u"Software", u"Classes", u"MIME", u"Database", u"Charset", u"_iso-2022-jp$SIO"},
                  when, created),
      nullptr);
  written = hive.Serialise();
  const std::size_t esc = written.find("Charset\\\\_iso-2022-jp$ESC]");
  const std::size_t sio = written.find("Charset\\\\_iso-2022-jp$SIO]");
  ASSERT_NE(sio, std::string::npos);
  EXPECT_LT(esc, sio);
  EXPECT_LT(sio, written.find(ansi));

  // Values: a new one in the same order; an existing one set in another case keeps its place
  // and its name.
  TRegNode* names = hive.Find({u"Software", u"Names"});
  ASSERT_NE(names, nullptr);
  hive.SetValue(*names, {u"_a", 1, Sz(u"0")}, when);
  hive.SetValue(*names, {u"\u00FF", 1, Sz(u"6")}, when);
  hive.SetValue(*names, {u"ALPHA", 1, Sz(u"7")}, when);
  EXPECT_EQ(names->ValueNames(), (std::vector<std::u16string>{u"_a", u"_x", u"Alpha", u"beta",
                                                              u"\u00FF", u"\u0178x", u"\u0100x"}));
  EXPECT_NE(hive.Serialise().find("\n\"_a\"=\"0\"\n\"_x\"=\"1\"\n\"Alpha\"=\"7\"\n\"beta\"=\"3\"\n"
                                  "\"\\xff\"=\"6\"\n\"\\x178x\"=\"4\"\n\"\\x100x\"=\"5\"\n"),
            std::string::npos);
}

// A file whose values another program wrote out of order: a change to one of them rewrites
// that line where it stands, and a line the last one of a name overrode goes with it.
TEST(RegistryHive, ChangingAValueLeavesItsNeighboursWhereTheyAre) {
  const std::string file =
      "WINE REGISTRY Version 2\n\n[K] 1\n\"b\"=\"1\"\n\"a\"=\"old\"\n\"c\"=\"2\"\n\"A\"=\"2nd\"\n";
  TRegistryHive hive;
  ASSERT_TRUE(hive.Parse(file));
  ASSERT_EQ(regtext::FromBytes(hive.Find({u"K"})->FindValue(u"a")->value.Data),
            u"2nd" + std::u16string(1, 0));
  hive.SetValue(*hive.Find({u"K"}), {u"a", 1, Sz(u"new")}, 0);
  const std::string written = hive.Serialise();
  EXPECT_NE(written.find("\"b\"=\"1\"\n\"c\"=\"2\"\n\"A\"=\"new\"\n"), std::string::npos)
      << written;
  EXPECT_EQ(written.find("old"), std::string::npos);
}

TEST(RegistryHive, RejectsFilesThatAreNotRegistries) {
  TRegistryHive hive;
  EXPECT_FALSE(hive.Parse(""));
  EXPECT_FALSE(hive.Parse("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n"));
  EXPECT_FALSE(hive.Parse("WINE REGISTRY Version 1\n"));
}

}  // namespace
}  // namespace tarn

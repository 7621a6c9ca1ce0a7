// tarnpack makes the install package at build time and is how a packager inspects one: a round
// trip must give back every file byte for byte, damage must fail verify, and each failure must
// have its own exit code so scripts can tell them apart.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "store/uXPFileDB.h"
#include "tests/store/RawContainer.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempDir.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

using Result = testing::ToolRun;

Result Tarnpack(const std::vector<std::string>& args) {
  return testing::RunTool(TARNPACK_PATH, args);
}

Bytes Noise(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& v : b)
    v = static_cast<uint8_t>(rng());
  return b;
}

struct TarnpackTest : ::testing::Test {
  TempDir dir;
  fs::path in = dir.Path() / "in";
  std::string pkg = dir.File("out.pkg");
  const std::string chinese = "\xE5\xA1\x94\xE6\x81\xA9.txt";  // 塔恩.txt in UTF-8

  void SetUp() override {
    fs::create_directories(in / "codecs");
    WriteFileBytes((in / "program.exe").string(), Noise(300000, 1));
    std::string text;
    for (int i = 0; i < 30000; ++i)
      text += "line " + std::to_string(i) + "\n";
    WriteFileBytes((in / "codecs" / "readme.txt").string(), testing::ToBytes(text));
    WriteFileBytes((in / "empty.dat").string(), {});
    WriteFileBytes((in / chinese).string(), testing::ToBytes("hello"));
  }
};

TEST_F(TarnpackTest, CreateListExtractVerifyRoundTrip) {
  Result r = Tarnpack({"create", pkg, "--mark", "m_install", in.string()});
  ASSERT_EQ(r.code, 0) << r.out;

  r = Tarnpack({"list", pkg});
  ASSERT_EQ(r.code, 0) << r.out;
  // Folder contents in path order, names are file names only; the 8-byte length and zlib
  // stream make a packed size apart from the unpacked one.
  const auto at = [&](const std::string& s) { return r.out.find(s); };
  EXPECT_LT(at("readme.txt"), at("empty.dat"));
  EXPECT_LT(at("empty.dat"), at("program.exe"));
  EXPECT_LT(at("program.exe"), at(chinese));
  EXPECT_NE(at("   300000  program.exe"), std::string::npos) << r.out;
  EXPECT_NE(at("4 entries"), std::string::npos);

  // Entry names are code page 936 inside the container.
  const auto raw = testing::ParseContainer(ReadFileBytes(pkg));
  EXPECT_EQ(raw.mark, "m_install");
  EXPECT_EQ(raw.live.back().name, "\xCB\xFE\xB6\xF7.txt");
  EXPECT_EQ(raw.live.back().kind, 2);

  const fs::path out = dir.Path() / "out";
  r = Tarnpack({"extract", pkg, "-C", out.string()});
  ASSERT_EQ(r.code, 0) << r.out;
  for (const auto& [host, name] :
       std::vector<std::pair<fs::path, std::string>>{{in / "program.exe", "program.exe"},
                                                     {in / "codecs" / "readme.txt", "readme.txt"},
                                                     {in / "empty.dat", "empty.dat"},
                                                     {in / chinese, chinese}}) {
    ASSERT_TRUE(fs::exists(out / name)) << name;
    EXPECT_EQ(ReadFileBytes((out / name).string()), ReadFileBytes(host.string())) << name;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 4);

  r = Tarnpack({"verify", pkg, "--mark", "m_install"});
  EXPECT_EQ(r.code, 0) << r.out;
}

TEST_F(TarnpackTest, AddUpdatesAndExtractTakesNames) {
  ASSERT_EQ(Tarnpack({"create", pkg, "--mark", "m_x", (in / "empty.dat").string()}).code, 0);
  WriteFileBytes((dir.Path() / "empty.dat").string(), testing::ToBytes("now full"));
  Result r = Tarnpack({"add", pkg, "--mark", "m_x", "--kind", "1",
                       (dir.Path() / "empty.dat").string(), (in / "program.exe").string()});
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("1 added, 1 updated"), std::string::npos) << r.out;
  const fs::path out = dir.Path() / "one";
  ASSERT_EQ(Tarnpack({"extract", pkg, "-C", out.string(), "empty.dat"}).code, 0);
  EXPECT_EQ(ReadFileBytes((out / "empty.dat").string()), testing::ToBytes("now full"));
  EXPECT_FALSE(fs::exists(out / "program.exe"));
  const auto raw = testing::ParseContainer(ReadFileBytes(pkg));
  EXPECT_EQ(raw.live[0].kind, 2);  // the update kept the entry's kind
  EXPECT_EQ(raw.live[1].kind, 1);
}

TEST_F(TarnpackTest, VerifyFailsOnDamage) {
  ASSERT_EQ(Tarnpack({"create", pkg, "--mark", "m_install", in.string()}).code, 0);
  Bytes b = ReadFileBytes(pkg);
  Bytes flipped = b;
  flipped[flipped.size() - 2] ^= 0x40;  // the last entry's checksum
  WriteFileBytes(pkg, flipped);
  Result r = Tarnpack({"verify", pkg});
  EXPECT_EQ(r.code, 3) << r.out;
  EXPECT_NE(r.out.find("does not inflate"), std::string::npos) << r.out;
  WriteFileBytes(pkg, Bytes(b.begin(), b.end() - 100));
  EXPECT_EQ(Tarnpack({"verify", pkg}).code, 3);
  Bytes counted = b;
  testing::PutLE(counted, testing::raw::kDataCount, 2, 9);
  WriteFileBytes(pkg, counted);
  r = Tarnpack({"verify", pkg});
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.out.find("the head counts 9 entries"), std::string::npos) << r.out;
}

TEST_F(TarnpackTest, EachFailureHasItsExitCode) {
  ASSERT_EQ(Tarnpack({"create", pkg, "--mark", "m_install", in.string()}).code, 0);
  EXPECT_EQ(Tarnpack({"list", dir.File("missing.pkg")}).code, 1);
  EXPECT_FALSE(fs::exists(dir.File("missing.pkg")));  // looking never creates
  EXPECT_EQ(Tarnpack({}).code, 2);
  EXPECT_EQ(Tarnpack({"pack", pkg}).code, 2);
  EXPECT_EQ(Tarnpack({"create", pkg, in.string()}).code, 2);  // no mark
  EXPECT_EQ(Tarnpack({"create", pkg, "--mark", "m", "--kind", "300", in.string()}).code, 2);
  EXPECT_EQ(Tarnpack({"list", pkg, "--mark", "b_special"}).code, 4);
  EXPECT_EQ(Tarnpack({"extract", pkg, "-C", dir.File("x"), "nothing.here"}).code, 5);
  EXPECT_EQ(Tarnpack({"--help"}).code, 0);

  // Two inputs with one name, and a name over 60 bytes: refused, and no container is left.
  const std::string other = dir.File("other.pkg");
  WriteFileBytes(dir.File("program.exe"), {1});
  EXPECT_EQ(Tarnpack({"create", other, "--mark", "m", in.string(), dir.File("program.exe")}).code,
            2);
  WriteFileBytes(dir.File(std::string(61, 'n')), {1});
  EXPECT_EQ(Tarnpack({"create", other, "--mark", "m", dir.File(std::string(61, 'n'))}).code, 2);
  EXPECT_FALSE(fs::exists(other));
  EXPECT_EQ(Tarnpack({"create", other, "--mark", "m", dir.File("nothing")}).code, 1);
}

TEST_F(TarnpackTest, ExtractRefusesNamesThatAreNotPlainFileNames) {
  {
    TXPFileDB db;
    db.SetDBMark("m");
    db.SetDBFile(pkg);
    db.AddData("fine.txt", "x", 1, 2, 0, "");
    db.AddData("../escape.txt", "x", 1, 2, 0, "");
  }
  const fs::path out = dir.Path() / "deep" / "out";
  const Result r = Tarnpack({"extract", pkg, "-C", out.string()});
  EXPECT_EQ(r.code, 3) << r.out;
  EXPECT_FALSE(fs::exists(dir.Path() / "deep" / "escape.txt"));
  EXPECT_FALSE(fs::exists(out / "fine.txt"));  // checked before anything is written
}

}  // namespace
}  // namespace tarn

// The install package the program carries: a container with the mark m_install holding the
// player's 59 files under their install names, about 40 MB unpacked and packed about as real
// programs pack. The payload generator must give the same files on every run, and those are
// exactly what the package holds. The build step names the generated package through a define.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "framework/Resources.h"
#include "store/uXPFileDB.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempDir.h"

namespace tarn::testing {
namespace {

namespace fs = std::filesystem;

// The install list: program files, core files, codecs, icons, skin.
const std::vector<std::string>& InstallList() {
  static const std::vector<std::string> kNames = {
      "TarnPlayer.exe", "TarnUP.exe",   "TarnSC.dll",    "GdiPlus.dll",  "UnInstall.exe",
      "TarnCore.exe",   "TarnFS.dll",   "l3codeca.acm",  "l3codecx.ax",  "wmv8ds32.ax",
      "wmvds32.ax",     "atrc.dll",     "atrc3260.dll",  "cook.dll",     "cook3260.dll",
      "drv1.dll",       "drv13260.dll", "drv2.dll",      "drv23260.dll", "drv33260.dll",
      "drv43260.dll",   "drvc.dll",     "hxltcolor.dll", "pncrt.dll",    "raac.dll",
      "raac3260.dll",   "rv10.dll",     "rv103260.dll",  "rv20.dll",     "rv203260.dll",
      "rv30.dll",       "rv303260.dll", "rv40.dll",      "rv403260.dll", "sipr.dll",
      "sipr3260.dll",   "vp6vfw.dll",   "vp7vfw.dll",    "VSFilter.dll", "wma9dmod.dll",
      "wmadmod.dll",    "wmsdmod.dll",  "wmspdmod.dll",  "wmv9dmod.dll", "wmvadvd.dll",
      "wmvdmod.dll",    "wvc1dmod.dll", "audio.ico",     "avi.ico",      "cd.ico",
      "dvd.ico",        "mkv.ico",      "mp4.ico",       "mpg.ico",      "quicktime.ico",
      "real.ico",       "swf.ico",      "wmv.ico",       "default.skn"};
  return kNames;
}

std::vector<uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::span<const uint8_t> package = LoadResource("DBFILE", "IDATA");
    packed_ = package.size();
    std::ofstream(dir_.File("tarndata.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(package.data()),
               static_cast<std::streamsize>(package.size()));
    db_.SetDBMark("m_install");
    db_.SetDBFile(dir_.File("tarndata.bin"));  // raises for another mark
  }

  TempDir dir_;
  TXPFileDB db_;
  std::size_t packed_ = 0;
};

TEST_F(PackageTest, HoldsTheFiftyNineFilesOfTheInstallListAndNothingElse) {
  EXPECT_EQ(db_.DataIdxList()->Count(), 59);
  for (const std::string& name : InstallList())
    EXPECT_TRUE(db_.DataExists(name)) << name;
  EXPECT_FALSE(db_.DataExists("tarnplayer.exe"));  // names are exact
}

TEST_F(PackageTest, UnpacksToAboutFortyMegabytesPackedLikePrograms) {
  std::size_t total = 0, largest = 0;
  std::string largest_name;
  for (const std::string& name : InstallList()) {
    const auto stream = db_.GetData(name);
    ASSERT_NE(stream, nullptr) << name;
    const auto size = static_cast<std::size_t>(stream->Size());
    total += size;
    if (size > largest) largest = size, largest_name = name;
  }
  EXPECT_EQ(total, 40442048u);
  EXPECT_EQ(largest_name, "TarnCore.exe");
  EXPECT_GT(largest, 16u << 20);
  // Programs pack to roughly half under zlib's best level: neither noise nor emptiness.
  const double ratio = static_cast<double>(packed_) / static_cast<double>(total);
  EXPECT_GT(ratio, 0.38);
  EXPECT_LT(ratio, 0.55);
}

TEST_F(PackageTest, TheGeneratorGivesTheSameFilesAsThePackageHolds) {
  TempDir out;
  const ToolRun run = RunTool(TARN_PAYLOAD_PATH, {out.Path().string()});
  ASSERT_EQ(run.code, 0) << run.out;
  // It names the files in the order they are packed: all of the install list.
  std::vector<std::string> printed;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);)
    printed.push_back(line);
  ASSERT_EQ(printed.size(), 59u);
  EXPECT_EQ(std::set<std::string>(printed.begin(), printed.end()),
            std::set<std::string>(InstallList().begin(), InstallList().end()));
  for (std::size_t i = 0; i < printed.size(); ++i) {
    const auto stream = db_.GetData(printed[i]);
    ASSERT_NE(stream, nullptr) << printed[i];
    const std::vector<uint8_t> file = FileBytes(out.Path() / printed[i]);
    ASSERT_EQ(file.size(), static_cast<std::size_t>(stream->Size())) << printed[i];
    EXPECT_TRUE(std::equal(file.begin(), file.end(), static_cast<const uint8_t*>(stream->Memory())))
        << printed[i] << " differs from the package";
  }
}

TEST(PackageBuildStepTest, TheManifestNamesBuiltFilesThroughDefines) {
  TempDir dir;
  std::ofstream(dir.File("built.bin")) << "made by the build";
  std::ofstream(dir.File("manifest.txt")) << "RCDATA 1 \"x\"\nDBFILE IDATA ${PACKAGE}\n";
  const std::string manifest = dir.File("manifest.txt"), output = dir.File("out.cpp");
  ToolRun run = RunTool(TARN_RC_PATH, {"--manifest", manifest, "--output", output, "--define",
                                       "PACKAGE=" + dir.File("built.bin")});
  EXPECT_EQ(run.code, 0) << run.out;
  std::ifstream source(output);
  const std::string text{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
  EXPECT_NE(text.find(dir.File("built.bin")), std::string::npos);
  // An undefined name is refused, naming the line.
  run = RunTool(TARN_RC_PATH, {"--manifest", manifest, "--output", output});
  EXPECT_NE(run.code, 0);
  EXPECT_NE(run.out.find(manifest + ":2: ${PACKAGE} is not defined"), std::string::npos) << run.out;
  run = RunTool(TARN_RC_PATH, {"--manifest", manifest, "--output", output, "--define", "PACKAGE"});
  EXPECT_EQ(run.code, 2) << run.out;
}

}  // namespace
}  // namespace tarn::testing

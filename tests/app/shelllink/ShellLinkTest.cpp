// Protects the shortcuts the installer makes: a link must be a real Shell Link file that other
// readers (lnkinfo of liblnk) resolve to the right program, folder and description, and a
// name without ".lnk" must be refused with the installer's own message.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/shelllink/ShellLink.h"
#include "app/shelllink/ShellLinkFormat.h"
#include "app/shelllink/ShellLinkReader.h"
#include "base/Exception.h"
#include "base/FileStream.h"
#include "tests/platform/PrefixFixture.h"

namespace tarn::testing {
namespace {

class ShellLinks : public PrefixTest {
 protected:
  void SetUp() override {
    auto platform = MakePrefix("winxp");
    platform->InstallHostPathMapper();
    SetPlatform(std::move(platform));
    std::filesystem::create_directories(prefix_ / "drive_c" / "Program Files" / "TarnPlayer");
    std::ofstream(prefix_ / "drive_c" / "Program Files" / "TarnPlayer" / "TarnPlayer.exe")
        << "MZ player";
  }
  void TearDown() override {
    SetHostPathMapper(nullptr);
    SetPlatform(nullptr);
  }
  std::string Bytes(const std::string& windowsPath) const {
    std::ifstream in(HostPath(windowsPath), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  const std::string exe_ = "C:\\Program Files\\TarnPlayer\\TarnPlayer.exe";
  const std::string desktop_ = "C:\\Documents and Settings\\" + HostUserName() + "\\Desktop\\";
};

TEST_F(ShellLinks, CreateShortcutWritesWhatTheReaderFinds) {
  const std::string link = desktop_ + Gbk("塔恩播放器.lnk");
  ASSERT_TRUE(CreateShortcut(exe_, "", link, Gbk("塔恩播放器")));
  const std::string bytes = Bytes(link);
  const auto read = ReadShellLink(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Data.Target, exe_);
  EXPECT_EQ(read->Data.WorkingDir, "C:\\Program Files\\TarnPlayer\\");
  EXPECT_EQ(read->Data.Description, Gbk("塔恩播放器"));
  EXPECT_EQ(read->Data.Arguments, "");
  EXPECT_EQ(read->Data.ShowCommand, lnk::kShowNormal);
  EXPECT_EQ(read->Flags, lnk::kHasLinkInfo | lnk::kHasName | lnk::kHasWorkingDir | lnk::kIsUnicode);
  EXPECT_EQ(read->Target.Attributes, lnk::kAttributeArchive);
  EXPECT_EQ(read->Target.FileSize, 9u);
  EXPECT_EQ(read->Target.Drive, DriveType::Fixed);
  // The header as the format fixes it.
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x4c\0\0\0", 4));
  EXPECT_EQ(bytes.substr(4, 16), std::string(reinterpret_cast<const char*>(lnk::kLinkClsid), 16));
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0'));
}

TEST_F(ShellLinks, ArgumentsAndOverwriting) {
  const std::string link = desktop_ + "x.LNK";
  ASSERT_TRUE(CreateShortcut(exe_, "--first", link, "first"));
  ASSERT_TRUE(CreateShortcut(exe_, "\"%1\" -x", link, "second"));
  const auto read = ReadShellLink(Bytes(link));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Data.Arguments, "\"%1\" -x");
  EXPECT_EQ(read->Data.Description, "second");
}

TEST_F(ShellLinks, ANameWithoutLnkIsRefusedWithTheInstallersMessage) {
  for (const std::string name : {"a.txt", "a", "a.lnk.bak", "dir.lnk\\file"}) {
    try {
      CreateShortcut(exe_, "", desktop_ + name, "d");
      ADD_FAILURE() << name;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), Gbk("快捷方式的扩展名必须是.lnk !"));
    }
  }
  EXPECT_FALSE(std::filesystem::exists(HostPath(desktop_ + "a.txt")));
}

TEST_F(ShellLinks, AFolderThatDoesNotExistIsNotAnError) {
  EXPECT_FALSE(CreateShortcut(exe_, "", "C:\\no\\such\\folder\\x.lnk", "d"));
  EXPECT_FALSE(CreateShortcut(exe_, "", "Q:\\x.lnk", "d"));
}

TEST(ShellLinkReader, RejectsDamagedLinksWithoutReadingPastThem) {
  TShellLinkData data{"C:\\a\\b.exe", "-x", "C:\\a\\", "desc", "", 1};
  const std::string bytes = BuildShellLink(data, {});
  ASSERT_TRUE(ReadShellLink(bytes));
  for (std::size_t cut = 0; cut < bytes.size() - 4; ++cut) {
    EXPECT_FALSE(ReadShellLink(bytes.substr(0, cut))) << cut;
  }
  std::string broken = bytes;
  broken[0x4C] = '\xff';  // link info size far past the end
  broken[0x4D] = '\xff';
  std::string error;
  EXPECT_FALSE(ReadShellLink(broken, &error));
  EXPECT_FALSE(error.empty());
}

// lnkinfo (liblnk) is the independent reader; scripts/deps installs it.
TEST_F(ShellLinks, LnkinfoReadsOurLinks) {
  if (std::system("command -v lnkinfo >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed";
  }
  const std::string link = desktop_ + Gbk("塔恩播放器.lnk");
  ASSERT_TRUE(CreateShortcut(exe_, "-play", link, Gbk("塔恩播放器")));
  const std::string command = "lnkinfo -c windows-936 '" + HostPath(link) + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe))
    output += buffer;
  EXPECT_EQ(::pclose(pipe), 0) << output;
  EXPECT_NE(output.find("Local path\t\t\t: C:\\Program Files\\TarnPlayer\\TarnPlayer.exe"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("Working directory\t\t: C:\\Program Files\\TarnPlayer\\"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("Description\t\t\t: 塔恩播放器"), std::string::npos) << output;
  EXPECT_NE(output.find("Command line arguments\t\t: -play"), std::string::npos) << output;
}

}  // namespace
}  // namespace tarn::testing

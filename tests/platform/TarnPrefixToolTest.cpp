// Protects tarn-prefix as people use it: commands, the reg.exe-style arguments, exit codes and
// the files it leaves behind.
#include <sys/wait.h>

#include <cstdio>

#include "tests/platform/PrefixFixture.h"

namespace tarn::testing {
namespace {

class TarnPrefixTool : public PrefixTest {
 protected:
  // Runs the tool on the test's prefix: its exit code, and its output in out (stdout+stderr).
  int Run(const std::string& arguments, std::string* out = nullptr) {
    const std::string command = std::string(TARN_PREFIX_PATH) + " --prefix '" + prefix_.string() +
                                "' " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    char buffer[512];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe))
      text += buffer;
    const int status = pipe ? ::pclose(pipe) : -1;
    if (out) *out = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(TarnPrefixTool, InitRegAndPath) {
  std::string out;
  EXPECT_EQ(Run("reg query HKLM", &out), 1);
  EXPECT_NE(out.find("tarn-prefix init"), std::string::npos);
  EXPECT_EQ(Run("init --version win7", &out), 0) << out;
  EXPECT_NE(out.find("Windows 6.1"), std::string::npos);
  EXPECT_EQ(Run("reg add 'HKCR\\.avi' /ve /d 'TarnPlayer.avi'"), 0);
  EXPECT_EQ(Run("reg add 'HKEY_CLASSES_ROOT\\.avi' /v Size /t REG_DWORD /d 42"), 0);
  EXPECT_EQ(Run("reg add 'HKCR\\.avi' /v Size /t REG_DWORD /d 43"), 1);  // exists, no /f
  EXPECT_EQ(Run("reg add 'HKCR\\.avi' /v Size /t REG_DWORD /d x /f"), 2);
  EXPECT_EQ(Run("reg query 'hklm\\Software\\Classes\\.avi'", &out), 0);
  EXPECT_NE(out.find("(Default)    REG_SZ    TarnPlayer.avi"), std::string::npos) << out;
  EXPECT_NE(out.find("Size    REG_DWORD    0x2a"), std::string::npos) << out;
  EXPECT_EQ(Run("reg delete 'HKCR\\.avi' /v Size"), 2);  // no /f
  EXPECT_EQ(Run("reg delete 'HKCR\\.avi' /v Size /f"), 0);
  EXPECT_EQ(Run("reg query 'HKCR\\.avi' /v Size"), 1);
  EXPECT_EQ(Run("reg delete 'HKCR\\.avi' /f"), 0);
  EXPECT_EQ(Run("reg query 'HKCR\\.avi'"), 1);
  EXPECT_EQ(Run("reg query HKXX"), 2);
  EXPECT_EQ(Run("path 'C:\\PROGRAM FILES\\Tarn'", &out), 0);
  EXPECT_EQ(out, (prefix_ / "dosdevices" / "c:" / "Program Files" / "Tarn").string() + "\n");
  EXPECT_EQ(Run("path 'Q:\\x'"), 1);
  EXPECT_EQ(Run("frobnicate"), 2);
  EXPECT_EQ(Run("--help", &out), 0);
  EXPECT_NE(out.find("lnk create TARGET LINK DESCRIPTION"), std::string::npos);
}

TEST_F(TarnPrefixTool, Shortcuts) {
  ASSERT_EQ(Run("init"), 0);
  std::string out;
  EXPECT_EQ(
      Run("lnk create 'C:\\Program Files\\塔恩\\TarnPlayer.exe' 'C:\\users\\塔恩.lnk' 塔恩播放器",
          &out),
      0)
      << out;
  EXPECT_EQ(Run("lnk show 'C:\\users\\塔恩.lnk'", &out), 0);
  EXPECT_NE(out.find("Target:         C:\\Program Files\\塔恩\\TarnPlayer.exe\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Working folder: C:\\Program Files\\塔恩\\\n"), std::string::npos);
  EXPECT_NE(out.find("Description:    塔恩播放器\n"), std::string::npos);
  EXPECT_EQ(Run("lnk create 'C:\\x.exe' 'C:\\users\\x.txt' d", &out), 1);
  EXPECT_NE(out.find("快捷方式的扩展名必须是.lnk !"), std::string::npos) << out;
  EXPECT_EQ(Run("lnk show 'C:\\windows'", &out), 1);
}

}  // namespace
}  // namespace tarn::testing

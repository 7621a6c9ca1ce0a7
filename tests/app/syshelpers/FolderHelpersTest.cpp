// Protects where the installer puts its files and shortcuts: every folder function in both the
// pre-Vista and the Vista-and-later layout, and the rule that a folder the system cannot answer
// never turns into the root of a drive.
#include "app/syshelpers/Folders.h"
#include "base/FileStream.h"
#include "tests/platform/PrefixFixture.h"

namespace tarn::testing {
namespace {

class FolderHelpers : public PrefixTest {
 protected:
  void Use(const std::string& version) {
    SetPlatform(MakePrefix(version));
    static_cast<TPosixPlatform&>(Platform()).InstallHostPathMapper();
  }
  void TearDown() override {
    SetHostPathMapper(nullptr);
    SetPlatform(nullptr);
  }
  std::string user_ = HostUserName();
};

TEST_F(FolderHelpers, BeforeVista) {
  Use("winxp");
  const std::string profile = "C:\\Documents and Settings\\" + user_ + "\\";
  EXPECT_EQ(GetProgramFilesDir(), "C:\\Program Files\\");
  EXPECT_EQ(GetAppDataDir(), profile + "Application Data\\");
  EXPECT_EQ(GetStartMenuDir(false), profile + "Start Menu\\");
  EXPECT_EQ(GetTempDir(false), profile + "Local Settings\\Temp\\");
  EXPECT_EQ(GetDesktopDir(false), profile + "Desktop\\");
  EXPECT_EQ(GetQuickLaunchDir(),
            profile + "Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\");
  EXPECT_EQ(GetProgramsMenuDir(false), profile + "Start Menu\\Programs\\");
  EXPECT_EQ(GetWindowsDir(), "C:\\windows\\");
  EXPECT_EQ(GetSystemDrive(), "C:\\");
  EXPECT_EQ(GetSpecialFolder(kCsidlStartMenu), profile + "Start Menu");
  EXPECT_EQ(GetFolderPath(kCsidlCommonAppData, false),
            "C:\\Documents and Settings\\All Users\\Application Data\\");
}

TEST_F(FolderHelpers, FromVistaOn) {
  Use("win7");
  const std::string profile = "C:\\users\\" + user_ + "\\";
  EXPECT_EQ(GetProgramFilesDir(), "C:\\Program Files\\");
  EXPECT_EQ(GetAppDataDir(), profile + "AppData\\Roaming\\");
  EXPECT_EQ(GetTempDir(true), profile + "AppData\\Local\\Temp\\");
  EXPECT_EQ(GetDesktopDir(true), profile + "Desktop\\");
  EXPECT_EQ(GetStartMenuDir(true), "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\");
  EXPECT_EQ(GetProgramsMenuDir(true),
            profile + "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\");
  EXPECT_EQ(GetQuickLaunchDir(),
            profile + "AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\");
  // Every answer is a folder that exists in the prefix.
  for (const std::string& folder : {GetTempDir(true), GetDesktopDir(true), GetStartMenuDir(true),
                                    GetProgramsMenuDir(true), GetQuickLaunchDir()}) {
    EXPECT_TRUE(std::filesystem::is_directory(HostPath(folder))) << folder;
  }
}

TEST_F(FolderHelpers, UnansweredFoldersStayEmptyInsteadOfBecomingARoot) {
  Use("winxp");
  const std::string profile = "C:\\Documents and Settings\\" + user_;
  // Without the desktop and start menu folders and the recorded Programs value, nothing is
  // answered: the results must not be "\", "\Microsoft\...", "Local Settings\Temp\" or "Temp\".
  std::filesystem::remove_all(HostPath(profile));
  RegKey key = 0;
  ASSERT_EQ(Platform().RegOpenKey(kRegCurrentUser,
                                  "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
                                  "Folders",
                                  key),
            WinError::Success);
  Platform().RegDeleteValue(key, "Programs");
  Platform().RegCloseKey(key);
  EXPECT_EQ(GetDesktopDir(false), "");
  EXPECT_EQ(GetQuickLaunchDir(), "");
  EXPECT_EQ(GetStartMenuDir(false), "");
  EXPECT_EQ(GetTempDir(false), "");
  EXPECT_EQ(GetProgramsMenuDir(false), "");
  EXPECT_EQ(GetAppDataDir(), "");
  EXPECT_EQ(GetTempDir(true), "");
  EXPECT_EQ(GetDesktopDir(true), "");
  EXPECT_EQ(GetFolderPath(4321, false), "");
}

TEST_F(FolderHelpers, ReadRegStringTakesOnlyStrings) {
  Use("win10");
  RegKey key = 0;
  ASSERT_EQ(Platform().RegCreateKey(kRegCurrentUser, "Software\\T", key), WinError::Success);
  Platform().RegSetValue(key, "s", kRegSz, "text");
  Platform().RegSetValue(key, "e", kRegExpandSz, "%TEMP%\\x");
  Platform().RegSetValue(key, "d", kRegDword, std::string("\1\0\0\0", 4));
  Platform().RegCloseKey(key);
  EXPECT_EQ(ReadRegString(kRegCurrentUser, "\\Software\\T", "s", "def"), "text");
  EXPECT_EQ(ReadRegString(kRegCurrentUser, "Software\\T", "e", "def"), "%TEMP%\\x");
  EXPECT_EQ(ReadRegString(kRegCurrentUser, "Software\\T", "d", "def"), "def");
  EXPECT_EQ(ReadRegString(kRegCurrentUser, "Software\\T", "none", "def"), "def");
  EXPECT_EQ(ReadRegString(kRegCurrentUser, "Software\\None", "s", "def"), "def");
}

TEST(ParentDir, DropsTheLastComponent) {
  EXPECT_EQ(ParentDir("C:\\Documents and Settings\\Ann\\Start Menu\\"),
            "C:\\Documents and Settings\\Ann\\");
  EXPECT_EQ(ParentDir("C:\\Users\\Ann\\Documents\\"), "C:\\Users\\Ann\\");
  EXPECT_EQ(ParentDir("C:\\Users\\Ann\\Documents"), "C:\\Users\\");  // two levels
  EXPECT_EQ(ParentDir("  C:\\ Users \\Ann\\ "), "C:\\Users\\");
  EXPECT_EQ(ParentDir("C:\\"), "");
  EXPECT_EQ(ParentDir(""), "");
  // A trail byte 0x5C ("\") inside a double-byte character is not a separator.
  const std::string name = Gbk("C:\\") + "\x95\x5C" + "\\x\\";
  EXPECT_EQ(ParentDir(name), Gbk("C:\\") + "\x95\x5C" + "\\");
}

TEST_F(FolderHelpers, ForceDirMakesAllMissingParents) {
  Use("win10");
  EXPECT_TRUE(ForceDir(Gbk("C:\\Program Files\\塔恩播放器\\a\\b\\")));
  EXPECT_TRUE(std::filesystem::is_directory(prefix_ / "drive_c" / "Program Files" / "塔恩播放器" /
                                            "a" / "b"));
  EXPECT_TRUE(ForceDir("c:\\program files"));  // exists already
  EXPECT_FALSE(ForceDir("Q:\\x\\"));
  EXPECT_FALSE(ForceDir(""));
}

}  // namespace
}  // namespace tarn::testing

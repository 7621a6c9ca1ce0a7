// Protects the Windows environment a prefix gives the installer: both folder layouts, the
// values a fresh Windows has, idempotent creation, version and drives, and the mapping of
// Windows paths, which must never lead outside the prefix's drives.
#include <sys/stat.h>

#include "base/Exception.h"
#include "base/FileStream.h"
#include "platform/posix/PrefixLayout.h"
#include "tests/platform/PrefixFixture.h"

namespace tarn::testing {
namespace {

bool IsDir(const std::filesystem::path& path) {
  return std::filesystem::is_directory(path);
}

class PrefixSetup : public PrefixTest {};

TEST_F(PrefixSetup, VistaLayoutHasUsersAndProgramData) {
  auto platform = MakePrefix("win7");
  const std::string user = HostUserName();
  EXPECT_EQ(platform->Version().Major, 6u);
  EXPECT_EQ(platform->Version().Minor, 1u);
  EXPECT_EQ(platform->FolderPath(kCsidlAppData), "C:\\users\\" + user + "\\AppData\\Roaming");
  EXPECT_EQ(platform->FolderPath(kCsidlLocalAppData), "C:\\users\\" + user + "\\AppData\\Local");
  EXPECT_EQ(platform->FolderPath(kCsidlPersonal), "C:\\users\\" + user + "\\Documents");
  EXPECT_EQ(platform->FolderPath(kCsidlCommonAppData), "C:\\ProgramData");
  EXPECT_EQ(platform->FolderPath(kCsidlProgramFiles), "C:\\Program Files");
  EXPECT_TRUE(IsDir(prefix_ / "drive_c" / "users" / user / "AppData" / "Local" / "Temp"));
  EXPECT_TRUE(IsDir(prefix_ / "drive_c" / "ProgramData" / "Microsoft" / "Windows" / "Start Menu" /
                    "Programs"));
  EXPECT_EQ(std::filesystem::read_symlink(prefix_ / "dosdevices" / "c:"), "../drive_c");
  EXPECT_EQ(platform->ReadString(kRegLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                                 "ProgramFilesDir"),
            "C:\\Program Files");
  RegKey key = 0;
  EXPECT_EQ(platform->RegOpenKey(kRegLocalMachine,
                                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths", key),
            WinError::Success);
  platform->RegCloseKey(key);
}

TEST_F(PrefixSetup, XpLayoutHasDocumentsAndSettings) {
  auto platform = MakePrefix("winxp");
  const std::string user = HostUserName();
  const std::string profile = "C:\\Documents and Settings\\" + user;
  EXPECT_EQ(platform->Version().Major, 5u);
  EXPECT_EQ(platform->FolderPath(kCsidlStartMenu), profile + "\\Start Menu");
  EXPECT_EQ(platform->FolderPath(kCsidlDesktop), profile + "\\Desktop");
  EXPECT_EQ(platform->FolderPath(kCsidlAppData), profile + "\\Application Data");
  EXPECT_EQ(platform->FolderPath(kCsidlCommonAppData),
            "C:\\Documents and Settings\\All Users\\Application Data");
  EXPECT_EQ(platform->ReadString(kRegCurrentUser,
                                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
                                 "Folders",
                                 "Programs"),
            profile + "\\Start Menu\\Programs");
  EXPECT_TRUE(
      IsDir(prefix_ / "drive_c" / "Documents and Settings" / user / "Local Settings" / "Temp"));
  EXPECT_TRUE(IsDir(prefix_ / "drive_c" / "Documents and Settings" / user / "Application Data" /
                    "Microsoft" / "Internet Explorer" / "Quick Launch"));
}

TEST_F(PrefixSetup, CreatingTwiceChangesNothing) {
  MakePrefix("winxp");
  const std::string system = ReadFile("system.reg");
  const std::string user = ReadFile("user.reg");
  struct stat before {};
  ASSERT_EQ(::stat((prefix_ / "system.reg").c_str(), &before), 0);
  auto platform = MakePlatform();
  TPrefixOptions options;
  options.windowsVersion = "winxp";
  EXPECT_EQ(platform->CreatePrefix(options), WinError::Success);
  EXPECT_EQ(platform->CreatePrefix(), WinError::Success);
  struct stat after {};
  ASSERT_EQ(::stat((prefix_ / "system.reg").c_str(), &after), 0);
  EXPECT_EQ(ReadFile("system.reg"), system);
  EXPECT_EQ(ReadFile("user.reg"), user);
  EXPECT_EQ(before.st_ino, after.st_ino);  // not even rewritten
}

TEST_F(PrefixSetup, ExistingValuesAreKept) {
  {
    auto platform = MakePlatform();
    RegKey key = 0;
    ASSERT_EQ(platform->RegCreateKey(kRegLocalMachine,
                                     "Software\\Microsoft\\Windows\\CurrentVersion", key),
              WinError::Success);
    platform->RegSetValue(key, "ProgramFilesDir", kRegSz, "D:\\Apps");
    platform->RegCloseKey(key);
  }
  auto platform = MakePrefix();
  EXPECT_EQ(platform->ReadString(kRegLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                                 "ProgramFilesDir"),
            "D:\\Apps");
}

TEST_F(PrefixSetup, VersionFollowsWinesSettings) {
  auto platform = MakePlatform();
  EXPECT_EQ(platform->Version().Major, 10u);  // nothing set: Windows 10
  RegKey key = 0;
  ASSERT_EQ(platform->RegCreateKey(kRegCurrentUser, "Software\\Wine", key), WinError::Success);
  platform->RegSetValue(key, "Version", kRegSz, "winxp");
  platform->RegCloseKey(key);
  EXPECT_EQ(platform->Version().Major, 5u);
  EXPECT_EQ(platform->Version().Minor, 1u);
  ASSERT_EQ(
      platform->RegCreateKey(kRegCurrentUser, "Software\\Wine\\AppDefaults\\tarn-setup.exe", key),
      WinError::Success);
  platform->RegSetValue(key, "Version", kRegSz, "win7");
  platform->RegCloseKey(key);
  EXPECT_EQ(platform->Version().Major, 6u);  // the program's own setting wins
  EXPECT_EQ(platform->CreatePrefix({"win95x", {}}), WinError::InvalidParameter);
}

TEST_F(PrefixSetup, DrivesTypesAndFreeSpace) {
  auto platform = MakePlatform();
  TPrefixOptions options;
  const auto cdrom = temp_.Path() / "cd";
  const auto data = temp_.Path() / "data";
  std::filesystem::create_directories(cdrom);
  std::filesystem::create_directories(data);
  options.drives = {{'D', data, ""}, {'e', cdrom, "cdrom"}};
  ASSERT_EQ(platform->CreatePrefix(options), WinError::Success);
  EXPECT_EQ(platform->LogicalDriveStrings(), (std::vector<std::string>{"C:\\", "D:\\", "E:\\"}));
  EXPECT_EQ(platform->GetDriveType("C:\\"), DriveType::Fixed);
  EXPECT_EQ(platform->GetDriveType("e:\\"), DriveType::CdRom);
  EXPECT_EQ(platform->GetDriveType("Q:\\"), DriveType::NoRootDir);
  TDiskSpace space;
  ASSERT_TRUE(platform->DiskFreeSpace("D:", space));
  EXPECT_GT(space.Total, 0u);
  EXPECT_LE(space.TotalFree, space.Total);
  EXPECT_FALSE(platform->DiskFreeSpace("Q:", space));
  EXPECT_FALSE(platform->DiskFreeSpace("C:\\no such folder", space));
}

TEST_F(PrefixSetup, PathsMapThroughDriveLinksWithoutRegardToCase) {
  auto platform = MakePrefix();
  const TPathMapper& paths = platform->Paths();
  const auto c = prefix_ / "dosdevices" / "c:";
  EXPECT_EQ(paths.ToHost("C:\\PROGRAM FILES\\New\\x.exe"), c / "Program Files" / "New" / "x.exe");
  EXPECT_EQ(paths.ToHost("c:/windows/SYSTEM32"), c / "windows" / "system32");
  EXPECT_EQ(paths.ToHost("C:"), c);
  EXPECT_EQ(paths.ToHost("\\windows"), c / "windows");
  // ".." stops at the drive's root.
  EXPECT_EQ(paths.ToHost("C:\\..\\..\\windows\\.\\x"), c / "windows" / "x");
  // Names are code page 936 inside, UTF-8 on the host.
  EXPECT_EQ(paths.ToHost(Gbk("C:\\塔恩播放器\\卸载.lnk")), c / "塔恩播放器" / "卸载.lnk");
  // Nowhere to go: never a file somewhere else.
  EXPECT_EQ(paths.ToHost("Q:\\x"), std::nullopt);
  EXPECT_EQ(paths.ToHost("\\\\server\\share\\x"), std::nullopt);
  EXPECT_EQ(paths.ToHost(""), std::nullopt);
  EXPECT_EQ(paths.ToHost("C:\\\x81"), std::nullopt);  // a lead byte without its trail

  platform->InstallHostPathMapper();
  EXPECT_EQ(HostPath("Q:\\x"), "");
  EXPECT_FALSE(FileExists("Q:\\x"));
  EXPECT_THROW(TFileStream("Q:\\x", FileMode::Create, FileShare::Exclusive), EFCreateError);
  { TFileStream file(Gbk("C:\\USERS\\塔恩.txt"), FileMode::Create, FileShare::Exclusive); }
  EXPECT_TRUE(std::filesystem::exists(prefix_ / "drive_c" / "users" / "塔恩.txt"));
  SetHostPathMapper(nullptr);
}

TEST_F(PrefixSetup, InstallMakesThePrefixAndMapsPaths) {
  TPosixOptions options;
  options.prefix = prefix_;
  options.wineServerRoot = temp_.Path() / "server";
  TPosixPlatform& platform = TPosixPlatform::Install(options);
  EXPECT_EQ(&Platform(), &platform);
  EXPECT_TRUE(platform.PrefixExists());
  EXPECT_EQ(platform.Version().Major, 10u);
  EXPECT_EQ(HostPath("C:\\windows"), (prefix_ / "dosdevices" / "c:" / "windows").string());
  SetHostPathMapper(nullptr);
  SetPlatform(nullptr);
}

TEST_F(PrefixSetup, FoldersThatDoNotExistAreNotAnswered) {
  auto platform = MakePrefix();
  std::filesystem::remove_all(prefix_ / "drive_c" / "ProgramData");
  EXPECT_EQ(platform->FolderPath(kCsidlCommonAppData), std::nullopt);
  EXPECT_EQ(platform->FolderPath(kCsidlCommonAppData | kCsidlFlagCreate), "C:\\ProgramData");
  EXPECT_TRUE(IsDir(prefix_ / "drive_c" / "ProgramData"));
  EXPECT_EQ(platform->FolderPath(1234), std::nullopt);
}

}  // namespace
}  // namespace tarn::testing

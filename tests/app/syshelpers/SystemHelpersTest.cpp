// Protects the helpers that decide the temporary folder, refuse to install while the player
// runs, wait for the uninstaller and keep the window alive during waits: disk figures and their
// rounding, drive choice, process names, program starts, the waits and the text search.
#include <chrono>
#include <thread>

#include "app/syshelpers/SysHelpers.h"
#include "tests/platform/PrefixFixture.h"

namespace tarn::testing {
namespace {

// Drives with set free space and types, on top of a real prefix for everything else.
class DrivePlatform : public TPosixPlatform {
 public:
  using TPosixPlatform::TPosixPlatform;
  struct Drive {
    std::string root;
    DriveType type;
    uint64_t free;
  };
  std::vector<Drive> drives;
  std::vector<std::string> LogicalDriveStrings() override {
    std::vector<std::string> roots;
    for (const auto& d : drives)
      roots.push_back(d.root);
    return roots;
  }
  DriveType GetDriveType(std::string_view root) override {
    for (const auto& d : drives) {
      if (d.root == root) return d.type;
    }
    return DriveType::NoRootDir;
  }
  bool DiskFreeSpace(std::string_view path, TDiskSpace& space) override {
    for (const auto& d : drives) {
      if (path.substr(0, 2) == std::string_view(d.root).substr(0, 2)) {
        space = {d.free, d.free * 2, d.free};
        return true;
      }
    }
    return false;
  }
};

// A window loop that counts what it handles ("repaints").
class CountingPump : public IMessagePump {
 public:
  void ProcessMessages() override { ++handled; }
  bool WaitForInput(uint32_t timeoutMs) override {
    const uint32_t wait = std::min<uint32_t>(timeoutMs, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    return wait == 5;  // a repaint is due every 5 ms
  }
  int handled = 0;
};

class SystemHelpers : public PrefixTest {
 protected:
  DrivePlatform& UseDrives(std::vector<DrivePlatform::Drive> drives) {
    TPosixOptions options;
    options.prefix = prefix_;
    options.wineServerRoot = temp_.Path() / "server";
    auto platform = std::make_unique<DrivePlatform>(options);
    platform->drives = std::move(drives);
    DrivePlatform& raw = *platform;
    SetPlatform(std::move(platform));
    return raw;
  }
  void TearDown() override {
    SetMessagePump(nullptr);
    SetPlatform(nullptr);
  }
};

constexpr uint64_t kGB = 1073741824;
constexpr uint64_t kMB = 1048576;

TEST_F(SystemHelpers, DiskFreeRoundsInItsUnit) {
  UseDrives({{"C:\\", DriveType::Fixed, static_cast<uint64_t>(23.6 * kGB)},
             {"D:\\", DriveType::Fixed, static_cast<uint64_t>(19.4 * kMB)},
             {"E:\\", DriveType::Fixed, 5 * 1024 * kGB}});
  EXPECT_EQ(GetDiskFree("C:", 3), 24);
  EXPECT_EQ(GetDiskFree("D:", 2), 19);
  EXPECT_EQ(GetDiskFree("D:\\some\\folder", 1), 19866);
  EXPECT_EQ(GetDiskFree("C:", 0), static_cast<int64_t>(23.6 * kGB));
  // 5 TB in kilobytes does not fit 32 bits and must not wrap.
  EXPECT_EQ(GetDiskFree("E:", 1), int64_t{5} * 1024 * 1024 * 1024);
  EXPECT_EQ(GetDiskFree("Q:", 2), 0);  // a failed query
  EXPECT_EQ(GetDiskFree("C:", 7), 0);
  int64_t total = -1;
  int64_t free = -1;
  EXPECT_FALSE(GetDiskSpace("Q:", total, free));
  EXPECT_EQ(total, -1);  // left as the caller had them
  EXPECT_TRUE(GetDiskSpace("C:", total, free));
  EXPECT_EQ(total, free * 2);
}

TEST_F(SystemHelpers, BestDriveWithAndWithoutTheSystemDrive) {
  DrivePlatform& platform = UseDrives({{"A:\\", DriveType::Removable, 100 * kGB},
                                       {"C:\\", DriveType::Fixed, 50 * kGB},
                                       {"D:\\", DriveType::Fixed, 10 * kGB},
                                       {"E:\\", DriveType::CdRom, 700 * kGB},
                                       {"N:\\", DriveType::Remote, 5 * kGB}});
  EXPECT_EQ(GetDriveList().size(), 5u);
  EXPECT_EQ(GetFixedDrives(), (std::vector<std::string>{"C:\\", "D:\\", "N:\\"}));
  EXPECT_EQ(GetBestDrive(true), "D:\\");
  EXPECT_EQ(GetBestDrive(false), "C:\\");
  platform.drives = {{"C:\\", DriveType::Fixed, 50 * kGB}};
  EXPECT_EQ(GetBestDrive(true), "C:\\");  // excluded, but the only one
  platform.drives = {{"C:\\", DriveType::Fixed, 0}, {"D:\\", DriveType::Fixed, 0}};
  EXPECT_EQ(GetBestDrive(false), "C:\\");  // the first of equals
  platform.drives.clear();
  EXPECT_EQ(GetBestDrive(true), "");
}

TEST_F(SystemHelpers, ProcessRunningFoundInAnyLetterCase) {
  SetPlatform(MakePrefix());
  const auto dir = prefix_ / "drive_c" / "Program Files" / "TarnPlayer";
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file("/bin/sleep", dir / "TarnPlayer.exe");
  EXPECT_FALSE(IsProcessRunning("TarnPlayer.exe"));
  RunProgram("C:\\Program Files\\TarnPlayer\\TarnPlayer.exe 0.5", true);
  bool seen = false;
  for (int tries = 0; tries < 100 && !seen; ++tries) {
    seen = IsProcessRunning("tarnplayer.EXE");
    if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(seen);
  EXPECT_TRUE(IsProcessRunning("TARNPLAYER.EXE"));
  EXPECT_FALSE(IsProcessRunning("TarnPlayer"));
  // The detached start is reaped when it ends.
  for (int tries = 0; tries < 300 && IsProcessRunning("TarnPlayer.exe"); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(IsProcessRunning("TarnPlayer.exe"));
}

TEST_F(SystemHelpers, RunAndWaitGivesTheExitCodeOrMinusOne) {
  SetPlatform(MakePrefix());
  EXPECT_EQ(RunAndWait("sh -c \"exit 4\"", kSwShowNormal), 4);
  EXPECT_EQ(RunAndWait("C:\\Program Files\\Old\\UnInstall.exe", kSwShowNormal), -1);
  // Longer than the 511 bytes the start takes: refused rather than cut.
  EXPECT_EQ(RunAndWait("sh -c \"exit 4\" " + std::string(500, 'x'), kSwShowNormal), -1);
  RunProgram("C:\\missing.exe", false);  // nothing to report
}

TEST_F(SystemHelpers, WaitTimerKeepsTheWindowRepainting) {
  SetPlatform(MakePrefix());
  CountingPump pump;
  SetMessagePump(&pump);
  const auto start = std::chrono::steady_clock::now();
  WaitTimer(100, 1);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(100));
  EXPECT_LT(took, std::chrono::milliseconds(400));
  EXPECT_GE(pump.handled, 10);  // about every 5 ms
  EXPECT_EQ(static_cast<TPosixPlatform&>(Platform()).CreateWaitableTimer("x"), 2u);
}

TEST_F(SystemHelpers, WaitPumpingAndWaitSleeping) {
  SetPlatform(MakePrefix());
  CountingPump pump;
  SetMessagePump(&pump);
  auto start = std::chrono::steady_clock::now();
  WaitPumping(30);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
  EXPECT_GT(pump.handled, 30);  // spins
  pump.handled = 0;
  start = std::chrono::steady_clock::now();
  WaitSleeping(100, 20);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_GE(pump.handled, 4);
  EXPECT_LE(pump.handled, 7);
  // Seconds as the unit.
  start = std::chrono::steady_clock::now();
  WaitTimer(1, 2);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

// A user interface that records what it was asked.
class RecordingUi : public IUserInterface {
 public:
  int MessageBox(const std::string& t, const std::string& c, uint32_t f) override {
    text = t;
    caption = c;
    flags = f;
    return kIdOk;
  }
  std::optional<std::string> BrowseForFolder(const std::string& t, const std::string&) override {
    text = t;
    return answer;
  }
  std::vector<TRect> Monitors() override { return {}; }
  bool SetWindowRoundRegion(WindowHandle, const TRect&, int, int) override { return false; }
  std::string text, caption;
  uint32_t flags = 0;
  std::optional<std::string> answer;
};

TEST_F(SystemHelpers, WarningAndFolderDialogGoToTheUserInterface) {
  auto platform = MakePrefix();
  RecordingUi ui;
  platform->SetUserInterface(&ui);
  SetPlatform(std::move(platform));
  ShowWarning(Gbk("安装程序检测到塔恩播放器正在运行"), "");
  EXPECT_EQ(ui.caption, Gbk("警告"));
  EXPECT_EQ(ui.flags, 0x30u);
  ShowWarning("x", "Caption");
  EXPECT_EQ(ui.caption, "Caption");
  EXPECT_EQ(BrowseForFolder("title", ""), "");
  ui.answer = "D:\\Games";
  EXPECT_EQ(BrowseForFolder("title", ""), "D:\\Games");
}

TEST(TextSearch, NthPos) {
  EXPECT_EQ(NthPos(".3gp", ".qt.3gp.3gp2", 1), 4);
  EXPECT_EQ(NthPos(".3gp", ".qt.3gp.3gp2", 2), 8);
  EXPECT_EQ(NthPos(".3gp", ".qt.3gp.3gp2", 3), 0);
  EXPECT_EQ(NthPos("aa", "aaaa", 3), 3);  // overlapping occurrences count
  EXPECT_EQ(NthPos("", "abc", 1), 0);
  EXPECT_EQ(NthPos("x", "abc", 1), 0);
  EXPECT_EQ(NthPos("a", "abc", 0), 0);
  // Positions count characters, not bytes.
  EXPECT_EQ(NthPos(Gbk("播放"), Gbk("塔恩播放器播放"), 2), 6);
}

TEST(TextSearch, IsNumeric) {
  for (const char* yes :
       {"0", "42", "-7", "+3", "  12", "1.5", ".5", "5.", "1e3", "2.5E-4", "$FF"}) {
    EXPECT_TRUE(IsNumeric(yes)) << yes;
  }
  for (const char* no : {"", " ", "-", "1 ", "1,5", "abc", "1e", "$", "$G", "1.2.3", "0x10"}) {
    EXPECT_FALSE(IsNumeric(no)) << no;
  }
}

}  // namespace
}  // namespace tarn::testing

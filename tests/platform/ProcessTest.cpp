// Protects starting and finding programs: the installer waits for an uninstaller's exit code,
// starts the player from an unquoted path with blanks, and refuses to install while the player
// runs, so the command-line rules and the process names must be those of Windows.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/posix/HostProcesses.h"
#include "platform/posix/WineServerProbe.h"
#include "tests/platform/PrefixFixture.h"

namespace tarn::testing {
namespace {

class Programs : public PrefixTest {
 protected:
  // An executable script at a Windows path of the prefix.
  void Script(const std::filesystem::path& host, const std::string& body) {
    std::filesystem::create_directories(host.parent_path());
    std::ofstream(host) << "#!/bin/sh\n" << body << "\n";
    std::filesystem::permissions(host, std::filesystem::perms::owner_all);
  }
};

TEST_F(Programs, RunAndWaitReturnsTheExitCode) {
  auto platform = MakePrefix();
  const auto dir = prefix_ / "drive_c" / "Program Files" / "Old Tarn";
  Script(dir / "UnInstall.exe", "exit 7");
  EXPECT_EQ(platform->RunProgramAndWait("C:\\Program Files\\Old Tarn\\UnInstall.exe", 1), 7u);
  EXPECT_EQ(platform->RunProgramAndWait("\"c:\\program files\\old tarn\\uninstall.exe\"", 1), 7u);
  // ".exe" is added to a name without an extension.
  EXPECT_EQ(platform->RunProgramAndWait("\"C:\\Program Files\\Old Tarn\\UnInstall\"", 1), 7u);
  EXPECT_EQ(platform->RunProgramAndWait("/bin/sh -c \"exit 3\"", 1), 3u);
  EXPECT_EQ(platform->RunProgramAndWait("sh -c \"kill -9 $$\"", 1), 137u);
}

TEST_F(Programs, MissingOrUnrunnableProgramsDoNotStart) {
  auto platform = MakePrefix();
  EXPECT_EQ(platform->RunProgramAndWait("C:\\nothing\\here.exe", 1), std::nullopt);
  EXPECT_EQ(platform->RunProgramAndWait("Q:\\x.exe", 1), std::nullopt);
  EXPECT_EQ(platform->RunProgramAndWait("", 1), std::nullopt);
  EXPECT_FALSE(platform->StartProgram("C:\\nothing.exe", kSwShow));
  // Neither a native program nor one Wine could run.
  std::ofstream(prefix_ / "drive_c" / "data.exe") << "plain text";
  EXPECT_EQ(platform->RunProgramAndWait("C:\\data.exe", 1), std::nullopt);
  // A Windows program without Wine on the path cannot start.
  std::ofstream(prefix_ / "drive_c" / "win.exe") << "MZ\x90";
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (temp_.Path() / "empty").c_str(), 1);
  EXPECT_EQ(platform->RunProgramAndWait("C:\\win.exe", 1), std::nullopt);
  ::setenv("PATH", path.c_str(), 1);
}

TEST_F(Programs, WindowsProgramsRunThroughWineWithThePrefix) {
  auto platform = MakePrefix();
  std::ofstream(prefix_ / "drive_c" / "Program Files" / "Old.exe") << "MZ\x90\0";
  // A stand-in wine that records how it was called.
  const auto bin = temp_.Path() / "bin";
  const auto record = temp_.Path() / "wine-call.txt";
  Script(bin / "wine", "echo \"$WINEPREFIX|$1|$2|$3\" > '" + record.string() + "'; exit 5");
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (bin.string() + ":" + path).c_str(), 1);
  const auto code = platform->RunProgramAndWait("C:\\PROGRAM FILES\\old /S \"a b\"", 1);
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(code, 5u);
  std::ifstream in(record);
  std::string call;
  std::getline(in, call);
  EXPECT_EQ(call, prefix_.string() + "|" +
                      (prefix_ / "dosdevices" / "c:" / "Program Files" / "Old.exe").string() +
                      "|/S|a b");
}

TEST_F(Programs, ArgumentsSplitAsWindowsSplitsThem) {
  using S = std::vector<std::string>;
  EXPECT_EQ(TProgramStarter::SplitArguments(" a  \"b c\" d\"e f\"g "), (S{"a", "b c", "de fg"}));
  EXPECT_EQ(TProgramStarter::SplitArguments("\\\\\"x\" \\\"y \\z"), (S{"\\x", "\"y", "\\z"}));
  EXPECT_EQ(TProgramStarter::SplitArguments("\"a\"\"b\""), (S{"a\"b"}));
  EXPECT_EQ(TProgramStarter::SplitArguments(Gbk("\"塔恩 播放\" 卸载")),
            (S{Gbk("塔恩 播放"), Gbk("卸载")}));

  auto platform = MakePrefix();
  const auto out = temp_.Path() / "args.txt";
  Script(prefix_ / "drive_c" / "t" / "echo.exe",
         "for a in \"$@\"; do printf '%s|' \"$a\"; done > '" + out.string() + "'");
  EXPECT_EQ(platform->RunProgramAndWait("C:\\t\\echo.exe one \"two three\" %1", 1), 0u);
  std::ifstream in(out);
  std::string got;
  std::getline(in, got);
  EXPECT_EQ(got, "one|two three|%1|");
}

TEST_F(Programs, SnapshotNamesProcessesByTheirFirstArgument) {
  EXPECT_EQ(ExecutableName("C:\\Program Files\\TarnPlayer\\TarnPlayer.exe"), "TarnPlayer.exe");
  EXPECT_EQ(ExecutableName("/usr/bin/wine"), "wine");
  EXPECT_EQ(ExecutableName("plain"), "plain");

  auto platform = MakePrefix();
  const auto dir = prefix_ / "drive_c" / "Program Files" / "TarnPlayer";
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file("/bin/sleep", dir / "TarnPlayer.exe");
  ASSERT_TRUE(platform->StartProgram("C:\\Program Files\\TarnPlayer\\TarnPlayer.exe 5", kSwShow));
  bool found = false;
  for (int tries = 0; tries < 100 && !found; ++tries) {
    for (const auto& process : platform->ProcessSnapshot()) {
      if (process.ExeFile == "TarnPlayer.exe") {
        found = true;
        EXPECT_EQ(::kill(static_cast<pid_t>(process.ProcessId), SIGTERM), 0);
      }
    }
    if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(found);
  const auto self = platform->ProcessSnapshot();
  EXPECT_TRUE(std::any_of(self.begin(), self.end(), [](const TProcessEntry& p) {
    return p.ProcessId == static_cast<uint32_t>(::getpid()) && p.ParentProcessId != 0;
  }));
}

// Only where Wine runs: Wine itself must see what we write.
TEST_F(Programs, WineSeesOurRegistryValues) {
  const std::string wine = TProgramStarter::FindOnPath("wine");
  if (wine.empty()) GTEST_SKIP() << "wine is not installed";
  // An installed Wine may still be unable to run here (its 32-bit loader on a kernel without
  // 32-bit support fails with "Exec format error"). Its server makes its folder in the
  // temporary folder (some builds) or in /tmp/.wine-<uid>: the first is this test's own, the
  // second is cleared below.
  const auto tmp = temp_.Path() / "tmp";
  std::filesystem::create_directories(tmp);
  const std::string env =
      "WINEPREFIX='" + prefix_.string() + "' TMPDIR='" + tmp.string() + "' WINEDEBUG=-all ";
  if (std::system((env + "'" + wine + "' --version >/dev/null 2>&1").c_str()) != 0)
    GTEST_SKIP() << "wine is installed but cannot run on this machine";
  auto platform = MakePrefix();
  RegKey key = 0;
  ASSERT_EQ(platform->RegCreateKey(kRegCurrentUser, "Software\\TarnTest", key), WinError::Success);
  ASSERT_EQ(platform->RegSetValue(key, "Probe", kRegSz, "seen by wine"), WinError::Success);
  ASSERT_EQ(platform->RegCloseKey(key), WinError::Success);
  const std::filesystem::path serverRoot = TWineServerProbe::DefaultServerRoot();
  const bool hadServerRoot = std::filesystem::exists(serverRoot);
  const std::string command =
      env + "'" + wine + "' reg query 'HKCU\\Software\\TarnTest' /v Probe 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe))
    output += buffer;
  ::pclose(pipe);
  (void)!std::system(
      (env + "wineserver -k 2>/dev/null; " + env + "wineserver -w 2>/dev/null").c_str());
  std::error_code ignored;
  std::filesystem::remove_all(TWineServerProbe(serverRoot).ServerDir(prefix_), ignored);
  if (!hadServerRoot) std::filesystem::remove(serverRoot, ignored);  // only when left empty
  EXPECT_NE(output.find("seen by wine"), std::string::npos) << output;
}

}  // namespace
}  // namespace tarn::testing

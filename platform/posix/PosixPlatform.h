// The platform on a posix host: a Windows environment inside a prefix laid out as Wine lays out
// its prefixes (drive links in dosdevices/, the registry in system.reg and user.reg), so the
// installer can work on a real Wine prefix as well as on one of its own.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/posix/PathMapper.h"
#include "platform/posix/PosixRegistry.h"
#include "platform/posix/ProgramStarter.h"
#include "platform/posix/WaitableTimers.h"
#include "platform/posix/WineServerProbe.h"

namespace tarn {

struct TPosixOptions {
  std::filesystem::path prefix;            // empty: DefaultPrefix()
  std::filesystem::path wineServerRoot;    // empty: where Wine keeps its server folders
  std::string exeName = "tarn-setup.exe";  // the name Wine's per-program settings use
};

// What a new prefix gets besides the standard tree.
struct TPrefixOptions {
  std::string windowsVersion;  // Wine's name ("winxp", "win7", "win10"); empty: leave as it is
  struct TDrive {
    char letter = 0;
    std::filesystem::path target;  // host folder the drive shows
    std::string type;              // "hd", "cdrom", "floppy", "network", "ramdisk" or empty
  };
  std::vector<TDrive> drives;
};

class TPosixPlatform : public TPlatform {
 public:
  explicit TPosixPlatform(TPosixOptions options = {});
  ~TPosixPlatform() override;

  // What the program does at start: a platform on the prefix (made if it is not there yet, as a
  // Vista-and-later Windows), its path mapping for base's file layer, and Platform() set to it.
  // Raises tarn::Exception when the prefix cannot be made.
  static TPosixPlatform& Install(TPosixOptions options = {});
  // $WINEPREFIX, else $XDG_DATA_HOME/tarn-setup/prefix, else ~/.local/share/tarn-setup/prefix.
  static std::filesystem::path DefaultPrefix();
  const std::filesystem::path& Prefix() const { return paths_.Prefix(); }
  const TPathMapper& Paths() const { return paths_; }
  // Whether the prefix has been made (it has a drive C:).
  bool PrefixExists() const;
  // Makes the prefix, or completes what it lacks: the folders of the Windows version in effect
  // and the registry values a fresh Windows has. Nothing that is there already is changed,
  // except the version and drives named in the options.
  WinError CreatePrefix(const TPrefixOptions& options = {});
  // Makes this platform's path mapping the one base's file layer uses.
  void InstallHostPathMapper() const;
  WinError FlushRegistry() { return registry_.Flush(); }
  std::string RegistryError() const { return registry_.LastError(); }
  bool IsWineServerRunning() const { return probe_.IsRunning(Prefix()); }
  bool IsVistaOrLater() { return Version().Major >= 6; }
  // A string value (without its terminating zero), or nothing.
  std::optional<std::string> ReadString(RegKey root, std::string_view key, std::string_view name);

  std::optional<std::string> FolderPath(int csidl) override;
  std::optional<std::string> SpecialFolderPath(int csidl) override;
  std::string WindowsDirectory() override;

  WinError RegOpenKey(RegKey key, std::string_view subKey, RegKey& result) override;
  WinError RegCreateKey(RegKey key, std::string_view subKey, RegKey& result) override;
  WinError RegCloseKey(RegKey key) override;
  WinError RegQueryValue(RegKey key, std::string_view name, uint32_t& type,
                         std::string& data) override;
  WinError RegSetValue(RegKey key, std::string_view name, uint32_t type,
                       std::string_view data) override;
  WinError RegDeleteValue(RegKey key, std::string_view name) override;
  WinError RegDeleteTree(RegKey key, std::string_view subKey) override;
  WinError RegEnumKey(RegKey key, uint32_t index, std::string& name) override;
  WinError RegEnumValue(RegKey key, uint32_t index, std::string& name) override;

  TOsVersion Version() override;
  std::vector<std::string> LogicalDriveStrings() override;
  DriveType GetDriveType(std::string_view root) override;
  bool DiskFreeSpace(std::string_view path, TDiskSpace& space) override;
  std::vector<TProcessEntry> ProcessSnapshot() override;
  bool StartProgram(std::string_view commandLine, int showMode) override;
  std::optional<uint32_t> RunProgramAndWait(std::string_view commandLine, int showMode) override;
  uint32_t TickCount() override;
  void Sleep(uint32_t milliseconds) override;

  TimerHandle CreateWaitableTimer(std::string_view name) override;
  bool SetWaitableTimer(TimerHandle timer, int64_t dueTime) override;
  WaitResult WaitForTimerOrInput(TimerHandle timer, IMessagePump* pump) override;
  bool CloseTimer(TimerHandle timer) override;

  // Without the framework's services a message box goes to stderr and the folder dialog
  // answers "cancelled".
  void SetUserInterface(IUserInterface* ui) override { ui_ = ui; }
  int MessageBox(const std::string& text, const std::string& caption, uint32_t flags) override;
  std::optional<std::string> BrowseForFolder(const std::string& title,
                                             const std::string& initialFolder) override;
  std::vector<TRect> Monitors() override;
  bool SetWindowRoundRegion(WindowHandle window, const TRect& bounds, int cornerWidth,
                            int cornerHeight) override;

 private:
  // The Windows path of a shell folder (no final backslash), or nothing for an unknown number.
  std::optional<std::string> ShellFolder(int csidl);

  TPosixOptions options_;
  TPathMapper paths_;
  TWineServerProbe probe_;
  TPosixRegistry registry_;
  TProgramStarter starter_;
  TWaitableTimers timers_;
  IUserInterface* ui_ = nullptr;
};

}  // namespace tarn

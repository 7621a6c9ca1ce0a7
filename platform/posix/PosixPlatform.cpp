#include "platform/posix/PosixPlatform.h"

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "base/Cp936.h"
#include "base/Exception.h"
#include "base/FileStream.h"
#include "base/StringUtils.h"
#include "platform/posix/HostProcesses.h"
#include "platform/posix/PrefixLayout.h"

namespace tarn {
namespace {

constexpr std::string_view kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

constexpr TOsVersion kDefaultVersion{10, 0, 19043};

bool IsDirectory(const std::filesystem::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

TPosixPlatform::TPosixPlatform(TPosixOptions options)
    : options_(std::move(options)),
      paths_(options_.prefix.empty() ? DefaultPrefix() : options_.prefix),
      probe_(options_.wineServerRoot.empty() ? TWineServerProbe::DefaultServerRoot()
                                             : options_.wineServerRoot),
      registry_(paths_.Prefix(), probe_),
      starter_(paths_) {}

TPosixPlatform::~TPosixPlatform() = default;

std::filesystem::path TPosixPlatform::DefaultPrefix() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
    return std::filesystem::path(data) / "tarn-setup" / "prefix";
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / ".local" / "share" / "tarn-setup" / "prefix";
}

TPosixPlatform& TPosixPlatform::Install(TPosixOptions options) {
  auto platform = std::make_unique<TPosixPlatform>(std::move(options));
  if (!platform->PrefixExists()) {
    const WinError made = platform->CreatePrefix();
    if (made != WinError::Success) {
      throw Exception("Cannot set up the Windows environment in " + platform->Prefix().string() +
                      ": " + WinErrorText(made) + " " + platform->RegistryError());
    }
  }
  platform->InstallHostPathMapper();
  TPosixPlatform& installed = *platform;
  SetPlatform(std::move(platform));
  return installed;
}

bool TPosixPlatform::PrefixExists() const {
  return paths_.DriveLink('c').has_value();
}

void TPosixPlatform::InstallHostPathMapper() const {
  SetHostPathMapper([paths = paths_](const std::string& path) {
    const auto host = paths.ToHost(path);
    return host ? host->string() : std::string();  // an empty path fails every host call
  });
}

std::optional<std::string> TPosixPlatform::ReadString(RegKey root, std::string_view key,
                                                      std::string_view name) {
  RegKey handle = 0;
  if (registry_.Open(root, key, false, handle) != WinError::Success) return std::nullopt;
  uint32_t type = 0;
  std::string data;
  const WinError read = registry_.Query(handle, name, type, data);
  registry_.Close(handle);
  if (read != WinError::Success || (type != kRegSz && type != kRegExpandSz)) return std::nullopt;
  return data.substr(0, data.find('\0'));
}

// ---- Shell folders -------------------------------------------------------------------------

std::optional<std::string> TPosixPlatform::ShellFolder(int csidl) {
  const TFolderLayout layout = FolderLayout(IsVistaOrLater(), HostUserName());
  struct Entry {
    int csidl;
    RegKey root;
    const char* value;
    std::string TFolderLayout::*fallback;
  };
  static const Entry kEntries[] = {
      {kCsidlDesktop, kRegCurrentUser, "Desktop", &TFolderLayout::Desktop},
      {kCsidlDesktopDirectory, kRegCurrentUser, "Desktop", &TFolderLayout::Desktop},
      {kCsidlPrograms, kRegCurrentUser, "Programs", &TFolderLayout::Programs},
      {kCsidlPersonal, kRegCurrentUser, "Personal", &TFolderLayout::Personal},
      {kCsidlStartup, kRegCurrentUser, "Startup", &TFolderLayout::Startup},
      {kCsidlStartMenu, kRegCurrentUser, "Start Menu", &TFolderLayout::StartMenu},
      {kCsidlAppData, kRegCurrentUser, "AppData", &TFolderLayout::AppData},
      {kCsidlLocalAppData, kRegCurrentUser, "Local AppData", &TFolderLayout::LocalAppData},
      {kCsidlCommonStartMenu, kRegLocalMachine, "Common Start Menu",
       &TFolderLayout::CommonStartMenu},
      {kCsidlCommonPrograms, kRegLocalMachine, "Common Programs", &TFolderLayout::CommonPrograms},
      {kCsidlCommonDesktop, kRegLocalMachine, "Common Desktop", &TFolderLayout::CommonDesktop},
      {kCsidlCommonAppData, kRegLocalMachine, "Common AppData", &TFolderLayout::CommonAppData},
      {kCsidlCommonDocuments, kRegLocalMachine, "Common Documents",
       &TFolderLayout::CommonDocuments},
  };
  for (const auto& entry : kEntries) {
    if (entry.csidl != csidl) continue;
    // The registry records where this prefix keeps the folder; the layout is the fallback.
    auto recorded = ReadString(entry.root, kShellFolders, entry.value);
    if (recorded && !recorded->empty()) return ExcludeTrailingBackslash(*recorded);
    return layout.*entry.fallback;
  }
  switch (csidl) {
    case kCsidlWindows:
      return WindowsDirectory();
    case kCsidlSystem:
      return WindowsDirectory() + "\\system32";
    case kCsidlProfile:
      return layout.Profile;
    case kCsidlProgramFiles: {
      auto recorded = ReadString(kRegLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                                 "ProgramFilesDir");
      if (recorded && !recorded->empty()) return ExcludeTrailingBackslash(*recorded);
      return layout.ProgramFiles;
    }
    default:
      return std::nullopt;
  }
}

std::optional<std::string> TPosixPlatform::FolderPath(int csidl) {
  const bool create = (csidl & kCsidlFlagCreate) != 0;
  const auto folder = ShellFolder(csidl & ~kCsidlFlagCreate);
  if (!folder) return std::nullopt;
  const auto host = paths_.ToHost(*folder);
  if (!host) return std::nullopt;
  if (create && !IsDirectory(*host)) {
    std::error_code error;
    std::filesystem::create_directories(*host, error);
  }
  // The system answers only for folders that exist.
  if (!IsDirectory(*host)) return std::nullopt;
  return folder;
}

std::optional<std::string> TPosixPlatform::SpecialFolderPath(int csidl) {
  return FolderPath(csidl & ~kCsidlFlagCreate);
}

std::string TPosixPlatform::WindowsDirectory() {
  return "C:\\windows";
}

// ---- Registry ------------------------------------------------------------------------------

WinError TPosixPlatform::RegOpenKey(RegKey key, std::string_view subKey, RegKey& result) {
  return registry_.Open(key, subKey, false, result);
}
WinError TPosixPlatform::RegCreateKey(RegKey key, std::string_view subKey, RegKey& result) {
  return registry_.Open(key, subKey, true, result);
}
WinError TPosixPlatform::RegCloseKey(RegKey key) {
  return registry_.Close(key);
}
WinError TPosixPlatform::RegQueryValue(RegKey key, std::string_view name, uint32_t& type,
                                       std::string& data) {
  return registry_.Query(key, name, type, data);
}
WinError TPosixPlatform::RegSetValue(RegKey key, std::string_view name, uint32_t type,
                                     std::string_view data) {
  return registry_.Set(key, name, type, data);
}
WinError TPosixPlatform::RegDeleteValue(RegKey key, std::string_view name) {
  return registry_.DeleteValue(key, name);
}
WinError TPosixPlatform::RegDeleteTree(RegKey key, std::string_view subKey) {
  return registry_.DeleteTree(key, subKey);
}
WinError TPosixPlatform::RegEnumKey(RegKey key, uint32_t index, std::string& name) {
  return registry_.EnumKey(key, index, name);
}
WinError TPosixPlatform::RegEnumValue(RegKey key, uint32_t index, std::string& name) {
  return registry_.EnumValue(key, index, name);
}

// ---- System --------------------------------------------------------------------------------

TOsVersion TPosixPlatform::Version() {
  // As Wine decides it: the program's own setting, the prefix's setting, what the prefix's
  // Windows says of itself.
  const std::string appDefaults = "Software\\Wine\\AppDefaults\\" + options_.exeName;
  for (const std::string& key : {appDefaults, std::string("Software\\Wine")}) {
    if (const auto name = ReadString(kRegCurrentUser, key, "Version")) {
      if (const auto version = VersionFromName(*name)) return *version;
    }
  }
  const std::string_view nt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
  if (const auto text = ReadString(kRegLocalMachine, nt, "CurrentVersion")) {
    TOsVersion version;
    const std::size_t dot = text->find('.');
    version.Major = static_cast<uint32_t>(StrToIntDef(text->substr(0, dot), 0));
    if (dot != std::string::npos) {
      version.Minor = static_cast<uint32_t>(StrToIntDef(text->substr(dot + 1), 0));
    }
    RegKey handle = 0;
    if (registry_.Open(kRegLocalMachine, nt, false, handle) == WinError::Success) {
      uint32_t type = 0;
      std::string data;
      // Windows 10 keeps "6.3" for old programs and its real numbers beside it.
      if (registry_.Query(handle, "CurrentMajorVersionNumber", type, data) == WinError::Success &&
          type == kRegDword && data.size() == 4) {
        version.Major = static_cast<unsigned char>(data[0]);
        if (registry_.Query(handle, "CurrentMinorVersionNumber", type, data) == WinError::Success &&
            type == kRegDword && data.size() == 4) {
          version.Minor = static_cast<unsigned char>(data[0]);
        }
      }
      registry_.Close(handle);
    }
    if (const auto build = ReadString(kRegLocalMachine, nt, "CurrentBuildNumber")) {
      version.Build = static_cast<uint32_t>(StrToIntDef(*build, 0));
    }
    if (version.Major > 0) return version;
  }
  return kDefaultVersion;
}

std::vector<std::string> TPosixPlatform::LogicalDriveStrings() {
  std::vector<std::string> roots;
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    if (paths_.DriveLink(letter))
      roots.push_back(std::string{static_cast<char>(letter - 32), ':', '\\'});
  }
  return roots;
}

DriveType TPosixPlatform::GetDriveType(std::string_view root) {
  if (root.size() < 2 || root[1] != ':') return DriveType::NoRootDir;
  const auto link = paths_.DriveLink(root[0]);
  if (!link) return DriveType::NoRootDir;
  const std::string name = LowerCase(std::string(root.substr(0, 2)));
  if (const auto type = ReadString(kRegLocalMachine, "Software\\Wine\\Drives", name)) {
    const std::string t = LowerCase(*type);
    if (t == "hd") return DriveType::Fixed;
    if (t == "cdrom") return DriveType::CdRom;
    if (t == "floppy") return DriveType::Removable;
    if (t == "network") return DriveType::Remote;
    if (t == "ramdisk") return DriveType::RamDisk;
  }
  struct statfs fs {};
  if (::statfs(link->c_str(), &fs) != 0) return DriveType::NoRootDir;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969:      // NFS
    case 0x517B:      // SMB
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
      return DriveType::Remote;
    case 0x9660:      // ISO 9660
    case 0x15013346:  // UDF
      return DriveType::CdRom;
    default:
      return DriveType::Fixed;
  }
}

bool TPosixPlatform::DiskFreeSpace(std::string_view path, TDiskSpace& space) {
  const auto host = paths_.ToHost(path);
  if (!host) return false;
  struct statvfs fs {};
  if (::statvfs(host->c_str(), &fs) != 0) return false;
  const uint64_t unit = fs.f_frsize ? fs.f_frsize : fs.f_bsize;
  space.FreeToCaller = uint64_t{fs.f_bavail} * unit;
  space.Total = uint64_t{fs.f_blocks} * unit;
  space.TotalFree = uint64_t{fs.f_bfree} * unit;
  return true;
}

std::vector<TProcessEntry> TPosixPlatform::ProcessSnapshot() {
  return ScanHostProcesses();
}

// The show mode has no meaning for a host process; a win32 implementation passes it on.
bool TPosixPlatform::StartProgram(std::string_view commandLine, int /*showMode*/) {
  const auto pid = starter_.Start(commandLine);
  if (!pid) return false;
  TProgramStarter::Detach(*pid);
  return true;
}

std::optional<uint32_t> TPosixPlatform::RunProgramAndWait(std::string_view commandLine,
                                                          int /*showMode*/) {
  const auto pid = starter_.Start(commandLine);
  if (!pid) return std::nullopt;
  return TProgramStarter::Wait(*pid);
}

uint32_t TPosixPlatform::TickCount() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TPosixPlatform::Sleep(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// ---- Timers --------------------------------------------------------------------------------

TimerHandle TPosixPlatform::CreateWaitableTimer(std::string_view name) {
  return timers_.Create(name);
}
bool TPosixPlatform::SetWaitableTimer(TimerHandle timer, int64_t dueTime) {
  return timers_.Set(timer, dueTime);
}
WaitResult TPosixPlatform::WaitForTimerOrInput(TimerHandle timer, IMessagePump* pump) {
  return timers_.Wait(timer, pump);
}
bool TPosixPlatform::CloseTimer(TimerHandle timer) {
  return timers_.Close(timer);
}

// ---- User interface ------------------------------------------------------------------------

int TPosixPlatform::MessageBox(const std::string& text, const std::string& caption,
                               uint32_t flags) {
  if (ui_) return ui_->MessageBox(text, caption, flags);
  std::cerr << Cp936ToUtf8(caption, Conversion::Replace) << ": "
            << Cp936ToUtf8(text, Conversion::Replace) << std::endl;
  return kIdOk;
}

std::optional<std::string> TPosixPlatform::BrowseForFolder(const std::string& title,
                                                           const std::string& initialFolder) {
  if (ui_) return ui_->BrowseForFolder(title, initialFolder);
  return std::nullopt;
}

std::vector<TRect> TPosixPlatform::Monitors() {
  if (ui_) return ui_->Monitors();
  return {};
}

bool TPosixPlatform::SetWindowRoundRegion(WindowHandle window, const TRect& bounds, int cornerWidth,
                                          int cornerHeight) {
  return ui_ && ui_->SetWindowRoundRegion(window, bounds, cornerWidth, cornerHeight);
}

}  // namespace tarn

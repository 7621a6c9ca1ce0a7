// Making a prefix: the drive links, the Windows-like tree of the version in effect and the
// registry values a fresh Windows has. Only what is missing is added, so running it again on
// the same prefix changes nothing.
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "base/StringUtils.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/PrefixLayout.h"

namespace tarn {
namespace {

bool Exists(const std::filesystem::path& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// Makes or corrects a drive link; false when it cannot be made.
bool EnsureLink(const std::filesystem::path& link, const std::filesystem::path& target) {
  std::error_code error;
  if (Exists(link)) {
    if (std::filesystem::is_symlink(link, error) &&
        std::filesystem::read_symlink(link, error) == target) {
      return true;
    }
    std::filesystem::remove(link, error);
  }
  std::filesystem::create_directory_symlink(target, link, error);
  return !error;
}

// Keys opened for the set-up, closed (and so saved) together at the end.
class SetupWriter {
 public:
  explicit SetupWriter(TPlatform& platform) : platform_(platform) {}
  ~SetupWriter() {
    for (auto& [name, key] : keys_)
      platform_.RegCloseKey(key);
  }
  SetupWriter(const SetupWriter&) = delete;
  SetupWriter& operator=(const SetupWriter&) = delete;

  WinError Key(RegKey root, const std::string& path, RegKey& key) {
    const std::string id = std::to_string(root) + "\\" + LowerCase(path);
    if (auto it = keys_.find(id); it != keys_.end()) {
      key = it->second;
      return WinError::Success;
    }
    const WinError made = platform_.RegCreateKey(root, path, key);
    if (made == WinError::Success) keys_[id] = key;
    return made;
  }
  // Sets the value unless it is there already (or always, when replace is true).
  void Value(RegKey root, const std::string& path, const std::string& name, uint32_t type,
             const std::string& data, bool replace = false) {
    RegKey key = 0;
    if (!Ok(Key(root, path, key))) return;
    uint32_t oldType = 0;
    std::string old;
    const bool present = platform_.RegQueryValue(key, name, oldType, old) == WinError::Success;
    std::string wanted = data;
    if (type == kRegSz || type == kRegExpandSz) wanted.push_back('\0');
    if (present && (!replace || (oldType == type && old == wanted))) return;
    Ok(platform_.RegSetValue(key, name, type, data));
  }
  bool Ok(WinError result) {
    if (result != WinError::Success && error_ == WinError::Success) error_ = result;
    return result == WinError::Success;
  }
  WinError Close() {
    for (auto& [name, key] : keys_)
      Ok(platform_.RegCloseKey(key));
    keys_.clear();
    return error_;
  }

 private:
  TPlatform& platform_;
  std::map<std::string, RegKey> keys_;
  WinError error_ = WinError::Success;
};

}  // namespace

WinError TPosixPlatform::CreatePrefix(const TPrefixOptions& options) {
  if (!options.windowsVersion.empty() && !VersionFromName(options.windowsVersion)) {
    return WinError::InvalidParameter;
  }
  for (const auto& drive : options.drives) {
    const char letter = static_cast<char>(drive.letter | 0x20);
    if (letter < 'a' || letter > 'z' || drive.target.empty()) return WinError::InvalidParameter;
    const std::string type = LowerCase(drive.type);
    if (!type.empty() && type != "hd" && type != "cdrom" && type != "floppy" && type != "network" &&
        type != "ramdisk") {
      return WinError::InvalidParameter;
    }
  }
  std::error_code error;
  const std::filesystem::path& prefix = Prefix();
  std::filesystem::create_directories(prefix / "dosdevices", error);
  std::filesystem::create_directories(prefix / "drive_c", error);
  if (error) return WinError::AccessDenied;
  if (!Exists(prefix / "dosdevices" / "c:") &&
      !EnsureLink(prefix / "dosdevices" / "c:", "../drive_c")) {
    return WinError::AccessDenied;
  }
  for (const auto& drive : options.drives) {
    const std::string name{static_cast<char>(drive.letter | 0x20), ':'};
    if (!EnsureLink(prefix / "dosdevices" / name, std::filesystem::absolute(drive.target))) {
      return WinError::AccessDenied;
    }
  }

  SetupWriter writer(*this);
  const std::string currentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
  const std::string shellFolders = currentVersion + "\\Explorer\\Shell Folders";
  const std::string userShellFolders = currentVersion + "\\Explorer\\User Shell Folders";
  if (!options.windowsVersion.empty()) {
    writer.Value(kRegCurrentUser, "Software\\Wine", "Version", kRegSz,
                 LowerCase(options.windowsVersion), true);
    if (const WinError saved = writer.Close(); saved != WinError::Success) return saved;
  }

  const bool vista = IsVistaOrLater();
  const std::string user = HostUserName();
  const TFolderLayout l = FolderLayout(vista, user);

  // HKEY_LOCAL_MACHINE
  writer.Value(kRegLocalMachine, currentVersion, "ProgramFilesDir", kRegSz, l.ProgramFiles);
  writer.Value(kRegLocalMachine, currentVersion, "CommonFilesDir", kRegSz, l.CommonFiles);
  RegKey key = 0;
  writer.Ok(writer.Key(kRegLocalMachine, currentVersion + "\\App Paths", key));
  writer.Ok(writer.Key(kRegLocalMachine, "Software\\Classes", key));
  const std::pair<const char*, const std::string*> common[] = {
      {"Common AppData", &l.CommonAppData},      {"Common Desktop", &l.CommonDesktop},
      {"Common Documents", &l.CommonDocuments},  {"Common Programs", &l.CommonPrograms},
      {"Common Start Menu", &l.CommonStartMenu},
  };
  for (const auto& [name, folder] : common) {
    writer.Value(kRegLocalMachine, shellFolders, name, kRegSz, *folder);
  }
  writer.Value(kRegLocalMachine, "Software\\Wine\\Drives", "c:", kRegSz, "hd");
  for (const auto& drive : options.drives) {
    if (drive.type.empty()) continue;
    const std::string name{static_cast<char>(drive.letter | 0x20), ':'};
    writer.Value(kRegLocalMachine, "Software\\Wine\\Drives", name, kRegSz, LowerCase(drive.type),
                 true);
  }

  // HKEY_CURRENT_USER: where the user's folders are, plain and with %USERPROFILE%.
  const std::pair<const char*, const std::string*> folders[] = {
      {"AppData", &l.AppData},   {"Desktop", &l.Desktop},   {"Local AppData", &l.LocalAppData},
      {"Personal", &l.Personal}, {"Programs", &l.Programs}, {"Start Menu", &l.StartMenu},
      {"Startup", &l.Startup},
  };
  for (const auto& [name, folder] : folders) {
    writer.Value(kRegCurrentUser, shellFolders, name, kRegSz, *folder);
    writer.Value(kRegCurrentUser, userShellFolders, name, kRegExpandSz,
                 "%USERPROFILE%" + folder->substr(l.Profile.size()));
  }
  const std::string temp = "%USERPROFILE%" + l.Temp.substr(l.Profile.size());
  writer.Value(kRegCurrentUser, "Environment", "TEMP", kRegExpandSz, temp);
  writer.Value(kRegCurrentUser, "Environment", "TMP", kRegExpandSz, temp);
  if (const WinError saved = writer.Close(); saved != WinError::Success) return saved;

  // The folders, as the registry now records them.
  const int recorded[] = {kCsidlDesktop,         kCsidlPersonal,        kCsidlStartMenu,
                          kCsidlPrograms,        kCsidlStartup,         kCsidlAppData,
                          kCsidlLocalAppData,    kCsidlCommonAppData,   kCsidlCommonDesktop,
                          kCsidlCommonDocuments, kCsidlCommonStartMenu, kCsidlCommonPrograms,
                          kCsidlProgramFiles,    kCsidlWindows,         kCsidlSystem};
  std::vector<std::string> made = {l.Temp, l.QuickLaunch, l.CommonFiles, l.Windows + "\\temp"};
  for (const int csidl : recorded) {
    if (const auto folder = ShellFolder(csidl)) made.push_back(*folder);
  }
  for (const auto& folder : made) {
    // A folder recorded on a drive this prefix does not have is left to whoever recorded it.
    const auto host = paths_.ToHost(folder);
    if (!host) continue;
    std::filesystem::create_directories(*host, error);
    if (error) return WinError::AccessDenied;
  }
  return WinError::Success;
}

}  // namespace tarn

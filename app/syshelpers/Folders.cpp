#include "app/syshelpers/Folders.h"

#include <sys/stat.h>

#include <filesystem>

#include "base/Cp936.h"
#include "base/FileStream.h"
#include "base/StringUtils.h"
#include "platform/Platform.h"

namespace tarn {
namespace {

constexpr std::size_t kMaxPath = 260;

// text + "\" when it has no final backslash; empty text stays empty.
std::string WithBackslash(std::string text) {
  if (text.empty()) return text;
  return IncludeTrailingBackslash(text);
}

// base + tail, or empty when there is no base to build on.
std::string Under(const std::string& base, std::string_view tail) {
  if (base.empty()) return {};
  return base + std::string(tail);
}

std::u32string TrimBlanks(std::u32string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] <= U' ')
    ++first;
  while (last > first && text[last - 1] <= U' ')
    --last;
  return std::u32string(text.substr(first, last - first));
}

}  // namespace

std::string GetFolderPath(int folder, bool create) {
  auto path = Platform().FolderPath(create ? folder | kCsidlFlagCreate : folder);
  if (!path) return {};
  std::string text = CutBytes(*path, kMaxPath);
  text = text.substr(0, text.find('\0'));
  return WithBackslash(text);
}

std::string GetSpecialFolder(int folder) {
  auto path = Platform().SpecialFolderPath(folder);
  if (!path) return {};
  return CutBytes(*path, kMaxPath);
}

std::string ReadRegString(RegKey root, std::string_view key, std::string_view name,
                          std::string_view defaultValue) {
  if (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  TPlatform& platform = Platform();
  RegKey handle = 0;
  if (platform.RegOpenKey(root, key, handle) != WinError::Success) return std::string(defaultValue);
  std::string result(defaultValue);
  uint32_t type = 0;
  std::string data;
  if (platform.RegQueryValue(handle, name, type, data) == WinError::Success &&
      (type == kRegSz || type == kRegExpandSz)) {
    result = data.substr(0, data.find('\0'));
  }
  platform.RegCloseKey(handle);
  return result;
}

std::string GetProgramFilesDir() {
  return WithBackslash(ReadRegString(
      kRegLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", ""));
}

std::string GetAppDataDir() {
  return GetFolderPath(kCsidlAppData, false);
}

std::string GetTempDir(bool isVista) {
  if (isVista) return Under(GetFolderPath(kCsidlLocalAppData, false), "Temp\\");
  return Under(ParentDir(GetStartMenuDir(false)), "Local Settings\\Temp\\");
}

std::string GetDesktopDir(bool isVista) {
  if (isVista) return Under(ParentDir(GetFolderPath(kCsidlPersonal, false)), "Desktop\\");
  return WithBackslash(GetSpecialFolder(kCsidlDesktop));
}

std::string GetQuickLaunchDir() {
  return Under(GetSpecialFolder(kCsidlAppData), "\\Microsoft\\Internet Explorer\\Quick Launch\\");
}

std::string GetStartMenuDir(bool isVista) {
  if (isVista) {
    return Under(GetFolderPath(kCsidlCommonAppData, false),
                 "Microsoft\\Windows\\Start Menu\\Programs\\");
  }
  return WithBackslash(GetSpecialFolder(kCsidlStartMenu));
}

std::string GetProgramsMenuDir(bool isVista) {
  if (isVista) {
    return Under(GetFolderPath(kCsidlAppData, false), "Microsoft\\Windows\\Start Menu\\Programs\\");
  }
  return WithBackslash(ReadRegString(
      kRegCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      "Programs", ""));
}

std::string GetWindowsDir() {
  return WithBackslash(CutBytes(Platform().WindowsDirectory(), kMaxPath));
}

std::string GetSystemDrive() {
  return GetWindowsDir().substr(0, 3);
}

std::string ParentDir(std::string_view path) {
  // On characters, so a trail byte that looks like '\' is never taken for one.
  std::u32string text = Cp936ToUtf32(path);
  std::vector<std::u32string> components;
  while (text.find(U'\\') != std::u32string::npos) {
    text = TrimBlanks(text);
    const std::size_t slash = text.find(U'\\');
    components.push_back(TrimBlanks(std::u32string_view(text).substr(0, slash)));
    text.erase(0, slash + 1);
  }
  if (components.size() < 2) return {};
  std::u32string result;
  for (std::size_t i = 0; i + 1 < components.size(); ++i) {
    result += components[i];
    result += U'\\';
  }
  return Utf32ToCp936(result);
}

bool ForceDir(std::string_view folder) {
  if (folder.empty()) return false;
  const std::string host = HostPath(ExcludeTrailingBackslash(folder));
  if (host.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(host, error);
  struct stat st {};
  return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace tarn

#include "platform/posix/PrefixLayout.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "base/Cp936.h"
#include "base/Exception.h"
#include "base/StringUtils.h"

namespace tarn {

TFolderLayout FolderLayout(bool vistaOrLater, const std::string& userName) {
  TFolderLayout l;
  l.ProgramFiles = "C:\\Program Files";
  l.CommonFiles = "C:\\Program Files\\Common Files";
  l.Windows = "C:\\windows";
  l.System = "C:\\windows\\system32";
  if (vistaOrLater) {
    l.Profile = "C:\\users\\" + userName;
    l.Desktop = l.Profile + "\\Desktop";
    l.Personal = l.Profile + "\\Documents";
    l.AppData = l.Profile + "\\AppData\\Roaming";
    l.LocalAppData = l.Profile + "\\AppData\\Local";
    l.Temp = l.LocalAppData + "\\Temp";
    l.StartMenu = l.AppData + "\\Microsoft\\Windows\\Start Menu";
    l.CommonAppData = "C:\\ProgramData";
    l.CommonDesktop = "C:\\users\\Public\\Desktop";
    l.CommonDocuments = "C:\\users\\Public\\Documents";
    l.CommonStartMenu = l.CommonAppData + "\\Microsoft\\Windows\\Start Menu";
  } else {
    const std::string all = "C:\\Documents and Settings\\All Users";
    l.Profile = "C:\\Documents and Settings\\" + userName;
    l.Desktop = l.Profile + "\\Desktop";
    l.Personal = l.Profile + "\\My Documents";
    l.AppData = l.Profile + "\\Application Data";
    l.LocalAppData = l.Profile + "\\Local Settings\\Application Data";
    l.Temp = l.Profile + "\\Local Settings\\Temp";
    l.StartMenu = l.Profile + "\\Start Menu";
    l.CommonAppData = all + "\\Application Data";
    l.CommonDesktop = all + "\\Desktop";
    l.CommonDocuments = all + "\\Documents";
    l.CommonStartMenu = all + "\\Start Menu";
  }
  l.Programs = l.StartMenu + "\\Programs";
  l.Startup = l.Programs + "\\Startup";
  l.CommonPrograms = l.CommonStartMenu + "\\Programs";
  l.QuickLaunch = l.AppData + "\\Microsoft\\Internet Explorer\\Quick Launch";
  return l;
}

std::optional<TOsVersion> VersionFromName(std::string_view name) {
  struct Known {
    const char* name;
    TOsVersion version;
  };
  static constexpr Known kKnown[] = {
      {"win95", {4, 0, 950}},      {"win98", {4, 10, 2222}},  {"winme", {4, 90, 3000}},
      {"nt351", {3, 51, 1057}},    {"nt40", {4, 0, 1381}},    {"win2k", {5, 0, 2195}},
      {"winxp", {5, 1, 2600}},     {"winxp64", {5, 2, 3790}}, {"win2003", {5, 2, 3790}},
      {"vista", {6, 0, 6002}},     {"win2008", {6, 0, 6002}}, {"win7", {6, 1, 7601}},
      {"win2008r2", {6, 1, 7601}}, {"win8", {6, 2, 9200}},    {"win81", {6, 3, 9600}},
      {"win10", {10, 0, 19043}},   {"win11", {10, 0, 22000}},
  };
  for (const auto& known : kKnown) {
    if (SameText(name, known.name)) return known.version;
  }
  return std::nullopt;
}

std::string HostUserName() {
  std::string name;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name) name = entry->pw_name;
  if (name.empty()) {
    if (const char* user = std::getenv("USER")) name = user;
  }
  try {
    name = Utf8ToCp936(name, Conversion::Throw);
  } catch (const EConvertError&) {
    name.clear();
  }
  // A name with path characters would make a folder elsewhere.
  if (name.find_first_of("\\/:*?\"<>|") != std::string::npos || name == "." || name == "..") {
    name.clear();
  }
  return name.empty() ? "user" : name;
}

}  // namespace tarn

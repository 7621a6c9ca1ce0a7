// Where a fresh Windows keeps its folders, before Vista ("Documents and Settings") and from
// Vista on ("users", "ProgramData"), and the version names Wine uses. Paths are Windows paths in
// code page 936, without a final backslash.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/WinTypes.h"

namespace tarn {

struct TFolderLayout {
  std::string Profile, Desktop, Personal, StartMenu, Programs, Startup, AppData, LocalAppData, Temp,
      QuickLaunch, CommonAppData, CommonDesktop, CommonDocuments, CommonStartMenu, CommonPrograms,
      ProgramFiles, CommonFiles, Windows, System;
};

TFolderLayout FolderLayout(bool vistaOrLater, const std::string& userName);

// "winxp" -> 5.1.2600, "win7" -> 6.1.7601, "win10" -> 10.0.19043, ... Nothing for a name Wine
// does not know.
std::optional<TOsVersion> VersionFromName(std::string_view name);

// The host user's name in code page 936, as the profile folder is named ("user" when the host
// gives none that converts).
std::string HostUserName();

}  // namespace tarn

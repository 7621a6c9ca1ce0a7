// Where the system keeps its special folders, read through the platform. Folder results end in
// a backslash. A folder the system does not know gives empty text, and so does every folder
// built on it: an empty answer is never turned into "\" or "Temp\", which would name the root
// of the current drive or a folder relative to wherever the program runs.
#pragma once

#include <string>
#include <string_view>

#include "platform/WinTypes.h"

namespace tarn {

// The folder query for a folder number (kCsidl...), with a backslash appended.
std::string GetFolderPath(int folder, bool create);
// The shell's item-list query for a folder number, as it answers (no backslash added).
std::string GetSpecialFolder(int folder);
// A string value (REG_SZ or REG_EXPAND_SZ, not expanded), or defaultValue.
std::string ReadRegString(RegKey root, std::string_view key, std::string_view name,
                          std::string_view defaultValue);

std::string GetProgramFilesDir();
std::string GetAppDataDir();
std::string GetTempDir(bool isVista);
std::string GetDesktopDir(bool isVista);
std::string GetQuickLaunchDir();
// Before Vista the user's Start Menu, from Vista on the all-users Programs menu.
std::string GetStartMenuDir(bool isVista);
std::string GetProgramsMenuDir(bool isVista);
std::string GetWindowsDir();
// The first three characters of the Windows folder, such as "C:\".
std::string GetSystemDrive();

// The parent folder of a path that ends in a backslash: C:\Users\Ann\Documents\ gives
// C:\Users\Ann\. Empty with fewer than two components.
std::string ParentDir(std::string_view path);
// Creates the folder with all missing parents; true when it exists afterwards.
bool ForceDir(std::string_view folder);

}  // namespace tarn

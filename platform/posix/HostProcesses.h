// The host's running processes as a process snapshot lists them. A process's executable name
// is the last component of its first argument, split at '/' and '\', so that a Windows program
// running under Wine ("C:\...\TarnPlayer.exe") counts under its Windows name.
#pragma once

#include <string_view>
#include <vector>

#include "platform/WinTypes.h"

namespace tarn {

std::vector<TProcessEntry> ScanHostProcesses();

// The executable name of a command's first argument.
std::string_view ExecutableName(std::string_view firstArgument);

}  // namespace tarn

// Running programs: whether one is running, and starting one with or without waiting.
#pragma once

#include <string_view>

namespace tarn {

// Whether a running process has that executable name, compared without regard to case.
bool IsProcessRunning(std::string_view name);
// Starts the command line, shown or hidden; nothing waits and nothing is reported.
void RunProgram(std::string_view commandLine, bool show);
// Starts the command line with a show mode (kSwShowNormal, ...) and waits for its end without
// a time limit: its exit code, or -1 when it could not be started. A command line longer than
// 511 bytes is refused (-1) instead of being cut, which would run something else.
int RunAndWait(std::string_view commandLine, int showMode);

}  // namespace tarn

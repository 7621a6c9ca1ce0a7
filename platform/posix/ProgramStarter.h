// Starting programs from a Windows command line. The program is found as the system finds it
// (a quoted name, or the shortest run of blank-separated words that names an existing file,
// ".exe" added when the name has no extension); a Windows executable runs through wine with
// the prefix when wine is installed, a native executable directly.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/PathMapper.h"

namespace tarn {

class TProgramStarter {
 public:
  explicit TProgramStarter(TPathMapper paths) : paths_(std::move(paths)) {}

  struct TLaunch {
    std::vector<std::string> argv;  // host arguments (UTF-8); argv[0] is the file run
    bool throughWine = false;
  };
  // What a command line runs; nothing when its program is missing or cannot run here.
  std::optional<TLaunch> Resolve(std::string_view commandLine) const;
  // Starts the program in a session of its own; nothing when it could not be started.
  std::optional<pid_t> Start(std::string_view commandLine) const;
  // Waits for the process's end: its exit code (128 + the signal number for a process that
  // was killed), nothing when it cannot be waited for.
  static std::optional<uint32_t> Wait(pid_t pid);
  // Reaps the process in the background when it ends, so it never lingers as a zombie.
  static void Detach(pid_t pid);

  // Arguments split as Windows programs split their command line (quotes, and backslashes
  // before quotes). Code page 936 in and out.
  static std::vector<std::string> SplitArguments(std::string_view text);
  // The host path of the program on the host's PATH, or empty.
  static std::string FindOnPath(std::string_view name);

 private:
  // The host file of a program name, or nothing.
  std::optional<std::string> FindProgram(std::string_view name) const;

  TPathMapper paths_;
};

}  // namespace tarn

// tarnpack's exit codes and the error that carries one out of a command.
#pragma once

#include <stdexcept>
#include <string>

namespace tarn::tarnpack {

enum ExitCode : int {
  kExitOk = 0,
  kExitIo = 1,        // a host file or folder could not be read, written or created
  kExitUsage = 2,     // bad arguments or input that cannot become an entry
  kExitDamaged = 3,   // the container is damaged (or holds unsafe names)
  kExitMark = 4,      // the container carries another mark
  kExitNotFound = 5,  // a named entry is not in the container
};

// Messages are UTF-8: they go to the terminal as they are.
class ToolError : public std::runtime_error {
 public:
  ToolError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
  ExitCode Code() const { return code_; }

 private:
  ExitCode code_;
};

}  // namespace tarn::tarnpack

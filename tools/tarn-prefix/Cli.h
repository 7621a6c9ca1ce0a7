// Shared pieces of tarn-prefix: the failure type, text conversion at the edges and the commands.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/posix/PosixPlatform.h"

namespace tarn::prefixtool {

// A failure the user sees as "tarn-prefix: <message>" with the given exit code.
class CliError : public std::runtime_error {
 public:
  CliError(const std::string& message, int code) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

inline constexpr int kFailed = 1;  // the operation failed (a key not found, a file not written)
inline constexpr int kUsage = 2;   // the command line is wrong

// Command-line text (UTF-8) to program text (code page 936) and back.
std::string ToProgram(const std::string& utf8);
std::string ToHost(const std::string& cp936);

using Args = std::vector<std::string>;

int RegCommand(TPosixPlatform& platform, const Args& args);
int LnkCommand(TPosixPlatform& platform, const Args& args);

}  // namespace tarn::prefixtool

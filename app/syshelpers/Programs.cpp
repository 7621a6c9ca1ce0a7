#include "app/syshelpers/Programs.h"

#include "base/StringUtils.h"
#include "platform/Platform.h"

namespace tarn {

bool IsProcessRunning(std::string_view name) {
  const std::string wanted = UpperCase(name);
  for (const auto& process : Platform().ProcessSnapshot()) {
    if (UpperCase(process.ExeFile) == wanted) return true;
  }
  return false;
}

void RunProgram(std::string_view commandLine, bool show) {
  Platform().StartProgram(commandLine, show ? kSwShow : kSwHide);
}

int RunAndWait(std::string_view commandLine, int showMode) {
  constexpr std::size_t kMaxCommandLine = 511;
  if (commandLine.size() > kMaxCommandLine) return -1;
  const auto exitCode = Platform().RunProgramAndWait(commandLine, showMode);
  if (!exitCode) return -1;
  return static_cast<int>(*exitCode);
}

}  // namespace tarn

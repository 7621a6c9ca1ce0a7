#include "platform/posix/HostProcesses.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Cp936.h"

namespace tarn {
namespace {

std::string ReadSmallFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::string_view ExecutableName(std::string_view firstArgument) {
  const std::size_t slash = firstArgument.find_last_of("/\\");
  return slash == std::string_view::npos ? firstArgument : firstArgument.substr(slash + 1);
}

std::vector<TProcessEntry> ScanHostProcesses() {
  std::vector<TProcessEntry> processes;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string id = entry.path().filename().string();
    if (id.empty() || id.find_first_not_of("0123456789") != std::string::npos) continue;
    TProcessEntry process;
    process.ProcessId = static_cast<uint32_t>(std::stoul(id));
    const std::string commandLine = ReadSmallFile(entry.path() / "cmdline");
    std::string first = commandLine.substr(0, commandLine.find('\0'));
    if (first.empty()) {
      // Kernel threads and zombies have no arguments; their short name stands in.
      first = ReadSmallFile(entry.path() / "comm");
      while (!first.empty() && first.back() == '\n')
        first.pop_back();
    }
    // "pid (name) state ppid ...": the name may hold blanks and parentheses.
    const std::string stat = ReadSmallFile(entry.path() / "stat");
    const std::size_t close = stat.rfind(')');
    if (close != std::string::npos) {
      std::istringstream fields(stat.substr(close + 1));
      std::string state;
      uint32_t parent = 0;
      if (fields >> state >> parent) process.ParentProcessId = parent;
    }
    if (first.empty() && stat.empty()) continue;  // ended while being read
    process.ExeFile = Utf8ToCp936(ExecutableName(first), Conversion::Replace);
    processes.push_back(std::move(process));
  }
  return processes;
}

}  // namespace tarn

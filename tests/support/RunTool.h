// Runs one of our command-line tools for a test: its exit code and everything it printed
// (standard output and error together). Arguments are passed as they are, quoted for the shell.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tarn::testing {

struct ToolRun {
  int code = -1;  // the exit code; -1 when the tool did not run or did not exit normally
  std::string out;
};

inline std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s)
    q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline ToolRun RunTool(const std::string& program, const std::vector<std::string>& args) {
  std::string command = ShellQuote(program);
  for (const auto& a : args)
    command += " " + ShellQuote(a);
  command += " 2>&1";
  ToolRun r;
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return r;
  char buffer[4096];
  while (std::size_t n = fread(buffer, 1, sizeof buffer, p))
    r.out.append(buffer, n);
  const int status = pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

}  // namespace tarn::testing

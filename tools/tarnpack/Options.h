// tarnpack's command line: a command, its positional arguments and the options it takes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarn::tarnpack {

struct Options {
  std::string command;              // create, add, list, extract, verify; "help" for --help
  std::string container;            // host path of the container
  std::vector<std::string> args;    // input paths (create, add) or entry names (extract), UTF-8
  std::optional<std::string> mark;  // --mark, UTF-8 as given
  uint8_t kind = 2;                 // --kind: what the install package's entries carry
  int32_t tag = 0;                  // --tag
  std::string note;                 // --note, UTF-8 as given
  std::string into = ".";           // -C / --into: where extract writes
  bool quiet = false;               // -q: no progress line
};

// Raises ToolError(kExitUsage) for anything it cannot take.
Options ParseOptions(const std::vector<std::string>& argv);

const char* UsageText();

}  // namespace tarn::tarnpack

#include "tools/tarnpack/Options.h"

#include "base/StringUtils.h"
#include "tools/tarnpack/ToolError.h"

namespace tarn::tarnpack {
namespace {

int64_t Number(const std::string& option, const std::string& text, int64_t low, int64_t high) {
  const auto value = TryStrToInt(text);
  if (!value || *value < low || *value > high) {
    throw ToolError(kExitUsage, option + " takes a number from " + std::to_string(low) + " to " +
                                    std::to_string(high) + ", not '" + text + "'");
  }
  return *value;
}

}  // namespace

const char* UsageText() {
  return R"(tarnpack - build, list, extract and check package containers

Usage:
  tarnpack create OUT --mark MARK [--kind N] [--tag N] [--note TEXT] PATH...
  tarnpack add CONTAINER --mark MARK [--kind N] [--tag N] [--note TEXT] PATH...
  tarnpack list CONTAINER [--mark MARK]
  tarnpack extract CONTAINER [--mark MARK] [-C DIR] [NAME...]
  tarnpack verify CONTAINER [--mark MARK]
  tarnpack --help

create  makes a new container OUT (replacing one that is there) from the files given and the
        files inside the folders given (sorted by path). Each entry is named after its file's
        own name, so names must be unique; a name may have at most 60 bytes in code page 936.
add     adds files to an existing container; an entry that is already there gets the new
        content and keeps its kind, tag, note and ID.
list    prints ID, kind, tag, packed and unpacked size and name of every entry in order.
extract writes all entries, or the ones named, into DIR (default: the current folder).
verify  walks the container's chains and inflates every entry.

Options:
  --mark MARK   the container's mark (at most 10 bytes); list, extract and verify check it
                when given and otherwise take the file's own
  --kind N      kind byte of new entries (0-255, default 2)
  --tag N       tag of new entries (default 0)
  --note TEXT   note of new entries (at most 20 bytes, default empty)
  -C, --into DIR  folder that extract writes into
  -q, --quiet   no progress line
  -h, --help    this text

Exit codes: 0 done; 1 a file or folder could not be read or written; 2 bad usage or input;
3 the container is damaged; 4 it carries another mark; 5 a named entry is not in it.
)";
}

Options ParseOptions(const std::vector<std::string>& argv) {
  Options o;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= argv.size()) throw ToolError(kExitUsage, a + " needs a value");
      return argv[++i];
    };
    if (a == "-h" || a == "--help") {
      o.command = "help";
      return o;
    } else if (a == "--mark") {
      o.mark = value();
    } else if (a == "--kind") {
      o.kind = static_cast<uint8_t>(Number(a, value(), 0, 255));
    } else if (a == "--tag") {
      o.tag = static_cast<int32_t>(Number(a, value(), INT32_MIN, INT32_MAX));
    } else if (a == "--note") {
      o.note = value();
    } else if (a == "-C" || a == "--into") {
      o.into = value();
    } else if (a == "-q" || a == "--quiet") {
      o.quiet = true;
    } else if (a == "--") {
      positional.insert(positional.end(), argv.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                        argv.end());
      break;
    } else if (a.size() > 1 && a[0] == '-') {
      throw ToolError(kExitUsage, "unknown option " + a);
    } else {
      positional.push_back(a);
    }
  }
  if (positional.empty()) throw ToolError(kExitUsage, "no command given (see tarnpack --help)");
  o.command = positional[0];
  const bool known = o.command == "create" || o.command == "add" || o.command == "list" ||
                     o.command == "extract" || o.command == "verify";
  if (!known)
    throw ToolError(kExitUsage, "unknown command '" + o.command + "' (see tarnpack --help)");
  if (positional.size() < 2) throw ToolError(kExitUsage, o.command + " needs a container file");
  o.container = positional[1];
  o.args.assign(positional.begin() + 2, positional.end());
  const bool writes = o.command == "create" || o.command == "add";
  if (writes && !o.mark) throw ToolError(kExitUsage, o.command + " needs --mark");
  if (writes && o.args.empty()) throw ToolError(kExitUsage, o.command + " needs files or folders");
  if ((o.command == "list" || o.command == "verify") && !o.args.empty()) {
    throw ToolError(kExitUsage, o.command + " takes no further arguments");
  }
  return o;
}

}  // namespace tarn::tarnpack

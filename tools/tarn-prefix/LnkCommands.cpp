// "lnk show" and "lnk create".
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/shelllink/ShellLink.h"
#include "app/shelllink/ShellLinkReader.h"
#include "base/FileStream.h"
#include "tools/tarn-prefix/Cli.h"

namespace tarn::prefixtool {
namespace {

int Show(const Args& args) {
  if (args.size() != 1) throw CliError("lnk show takes one file", kUsage);
  const std::string host = HostPath(ToProgram(args[0]));
  if (host.empty()) throw CliError("'" + args[0] + "' is on no drive of the prefix", kFailed);
  std::ifstream in(host, std::ios::binary);
  if (!in) throw CliError("cannot read " + host, kFailed);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::string error;
  const auto link = ReadShellLink(bytes.str(), &error);
  if (!link) throw CliError(args[0] + " is not a shortcut: " + error, kFailed);
  std::cout << "Target:         " << ToHost(link->Data.Target) << "\n"
            << "Arguments:      " << ToHost(link->Data.Arguments) << "\n"
            << "Working folder: " << ToHost(link->Data.WorkingDir) << "\n"
            << "Description:    " << ToHost(link->Data.Description) << "\n";
  return 0;
}

int Create(const Args& args) {
  if (args.size() != 3) throw CliError("lnk create takes TARGET LINK DESCRIPTION", kUsage);
  const std::string link = ToProgram(args[1]);
  if (!CreateShortcut(ToProgram(args[0]), "", link, ToProgram(args[2]))) {
    throw CliError("cannot write " + args[1], kFailed);
  }
  std::cout << "Created " << HostPath(link) << "\n";
  return 0;
}

}  // namespace

int LnkCommand(TPosixPlatform& platform, const Args& args) {
  if (args.empty()) throw CliError("lnk takes show or create", kUsage);
  platform.InstallHostPathMapper();
  const Args rest(args.begin() + 1, args.end());
  if (args[0] == "show") return Show(rest);
  if (args[0] == "create") return Create(rest);
  throw CliError("lnk takes show or create, not '" + args[0] + "'", kUsage);
}

}  // namespace tarn::prefixtool

// tarn-prefix: look at and prepare the Windows environment the installer works on, without
// Wine. See Usage() for the commands.
#include <algorithm>
#include <iostream>

#include "base/Cp936.h"
#include "base/Exception.h"
#include "platform/posix/PrefixLayout.h"
#include "tools/tarn-prefix/Cli.h"

namespace tarn::prefixtool {
namespace {

const char* Usage() {
  return R"(Usage: tarn-prefix [--prefix DIR] COMMAND ...

The prefix is DIR, else $WINEPREFIX, else $XDG_DATA_HOME/tarn-setup/prefix
(~/.local/share/tarn-setup/prefix). Windows paths, keys and texts are given as UTF-8.

Commands:
  init [--version NAME] [--drive X:=DIR[,TYPE]]...
        Create the prefix, or complete what it lacks. NAME is a Wine version name
        (winxp, win7, win10, ...); TYPE is hd, cdrom, floppy, network or ramdisk.
  reg query KEY [/v NAME | /ve] [/s]
  reg add KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]
  reg delete KEY [/v NAME | /ve | /va] /f
        KEY starts with HKLM, HKCU or HKCR (or HKEY_LOCAL_MACHINE, ...). TYPE is REG_SZ
        (the default), REG_EXPAND_SZ, REG_MULTI_SZ (items separated by \0), REG_DWORD,
        REG_QWORD, REG_BINARY (hex digits) or REG_NONE. /f replaces without asking and is
        needed to overwrite a value or to delete.
  path WINDOWS-PATH
        Print the host path a Windows path maps to.
  lnk show FILE
        Print a shortcut's target, arguments, working folder and description.
  lnk create TARGET LINK DESCRIPTION
        Make a shortcut to TARGET (its folder is the working folder).

Exit codes: 0 done, 1 the operation failed, 2 the command line is wrong.
)";
}

int Init(TPosixPlatform& platform, const Args& args) {
  TPrefixOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--version" && i + 1 < args.size()) {
      options.windowsVersion = args[++i];
      if (!VersionFromName(options.windowsVersion)) {
        throw CliError("unknown Windows version '" + options.windowsVersion + "'", kUsage);
      }
    } else if (args[i] == "--drive" && i + 1 < args.size()) {
      const std::string driveArg = args[++i];
      const std::size_t comma = driveArg.find(',', 3);
      if (driveArg.size() < 4 || driveArg[1] != ':' || driveArg[2] != '=') {
        throw CliError("a drive is given as X:=DIR[,TYPE], not '" + driveArg + "'", kUsage);
      }
      TPrefixOptions::TDrive drive;
      drive.letter = driveArg[0];
      drive.target = driveArg.substr(3, comma == std::string::npos ? comma : comma - 3);
      if (comma != std::string::npos) drive.type = driveArg.substr(comma + 1);
      if (!std::filesystem::is_directory(drive.target)) {
        throw CliError(
            "drive " + driveArg.substr(0, 2) + ": " + drive.target.string() + " is not a folder",
            kFailed);
      }
      options.drives.push_back(drive);
    } else {
      throw CliError("init does not take '" + args[i] + "'", kUsage);
    }
  }
  const WinError result = platform.CreatePrefix(options);
  if (result == WinError::InvalidParameter) throw CliError("bad drive letter or type", kUsage);
  if (result != WinError::Success) {
    throw CliError("cannot set up " + platform.Prefix().string() + ": " + WinErrorText(result) +
                       " " + platform.RegistryError(),
                   kFailed);
  }
  const TOsVersion version = platform.Version();
  std::cout << "Prefix " << platform.Prefix().string() << " is ready (Windows " << version.Major
            << "." << version.Minor << ")\n";
  return 0;
}

int Path(TPosixPlatform& platform, const Args& args) {
  if (args.size() != 1) throw CliError("path takes one Windows path", kUsage);
  const auto host = platform.Paths().ToHost(ToProgram(args[0]));
  if (!host) throw CliError("'" + args[0] + "' is on no drive of the prefix", kFailed);
  std::cout << host->string() << "\n";
  return 0;
}

int Run(int argc, char** argv) {
  Args args(argv + 1, argv + argc);
  TPosixOptions options;
  const bool help = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
    return arg == "--help" || arg == "-h";
  });
  if (help || (!args.empty() && args[0] == "help")) {
    std::cout << Usage();
    return 0;
  }
  if (args.size() >= 2 && args[0] == "--prefix") {
    options.prefix = std::filesystem::absolute(args[1]);
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty()) throw CliError("no command (see tarn-prefix --help)", kUsage);
  const std::string command = args[0];
  args.erase(args.begin());
  auto owned = std::make_unique<TPosixPlatform>(options);
  TPosixPlatform& platform = *owned;
  SetPlatform(std::move(owned));  // shortcuts ask it for drive types
  if (command == "init") return Init(platform, args);
  if (command != "reg" && command != "path" && command != "lnk") {
    throw CliError("unknown command '" + command + "' (see tarn-prefix --help)", kUsage);
  }
  if (!platform.PrefixExists()) {
    throw CliError(
        "there is no prefix at " + platform.Prefix().string() + " (make one with tarn-prefix init)",
        kFailed);
  }
  if (command == "reg") return RegCommand(platform, args);
  if (command == "path") return Path(platform, args);
  return LnkCommand(platform, args);
}

}  // namespace

std::string ToProgram(const std::string& utf8) {
  try {
    return Utf8ToCp936(utf8, Conversion::Throw);
  } catch (const EConvertError&) {
    throw CliError("'" + utf8 + "' has characters code page 936 does not have", kUsage);
  }
}

std::string ToHost(const std::string& cp936) {
  return Cp936ToUtf8(cp936, Conversion::Replace);
}

}  // namespace tarn::prefixtool

int main(int argc, char** argv) {
  using namespace tarn::prefixtool;
  try {
    return Run(argc, argv);
  } catch (const CliError& e) {
    std::cerr << "tarn-prefix: " << e.what() << "\n";
    return e.Code();
  } catch (const tarn::Exception& e) {
    std::cerr << "tarn-prefix: " << ToHost(e.Message()) << "\n";
    return kFailed;
  } catch (const std::exception& e) {
    std::cerr << "tarn-prefix: " << e.what() << "\n";
    return kFailed;
  }
}

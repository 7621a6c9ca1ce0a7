#include "platform/posix/ProgramStarter.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "base/Cp936.h"
#include "base/Exception.h"
#include "base/StringUtils.h"

extern char** environ;

namespace tarn {
namespace {

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

enum class FileKind { Windows, Native, Other };

FileKind Kind(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char magic[4] = {};
  in.read(magic, sizeof magic);
  const auto got = in.gcount();
  if (got >= 2 && magic[0] == 'M' && magic[1] == 'Z') return FileKind::Windows;
  const bool elf =
      got == 4 && magic[0] == 0x7F && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F';
  const bool script = got >= 2 && magic[0] == '#' && magic[1] == '!';
  if ((elf || script) && ::access(path.c_str(), X_OK) == 0) return FileKind::Native;
  return FileKind::Other;
}

std::optional<std::string> ToUtf8(std::string_view text) {
  try {
    return Cp936ToUtf8(text, Conversion::Throw);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

}  // namespace

std::vector<std::string> TProgramStarter::SplitArguments(std::string_view text) {
  std::vector<std::string> args;
  std::size_t i = 0;
  for (;;) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
      ++i;
    if (i >= text.size()) break;
    std::string arg;
    bool quoted = false;
    while (i < text.size() && (quoted || (text[i] != ' ' && text[i] != '\t'))) {
      if (IsLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size()) {
        arg.append(text.substr(i, 2));
        i += 2;
        continue;
      }
      if (text[i] == '\\') {
        std::size_t slashes = 0;
        while (i < text.size() && text[i] == '\\') {
          ++slashes;
          ++i;
        }
        if (i < text.size() && text[i] == '"') {
          arg.append(slashes / 2, '\\');
          if (slashes % 2 == 1) {
            arg += '"';
            ++i;
          }
        } else {
          arg.append(slashes, '\\');
        }
        continue;
      }
      if (text[i] == '"') {
        if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
          arg += '"';  // "" inside quotes is a literal quote
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      arg += text[i++];
    }
    args.push_back(std::move(arg));
  }
  return args;
}

std::string TProgramStarter::FindOnPath(std::string_view name) {
  if (name.empty() || name.find('/') != std::string_view::npos) return {};
  const char* path = std::getenv("PATH");
  std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!dirs.empty()) {
    const std::size_t colon = dirs.find(':');
    std::string dir(dirs.substr(0, colon));
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    if (dir.empty()) continue;
    const std::string candidate = dir + "/" + std::string(name);
    if (IsRegularFile(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

std::optional<std::string> TProgramStarter::FindProgram(std::string_view name) const {
  if (name.empty()) return std::nullopt;
  std::string program(name);
  const bool hostPath = program[0] == '/';
  const bool windowsPath = !hostPath && (program.find_first_of("\\:") != std::string::npos);
  if (!hostPath && ExtractFileExt(program).empty()) program += ".exe";
  if (hostPath) {
    const auto host = ToUtf8(name);
    if (host && IsRegularFile(*host)) return host;
    return std::nullopt;
  }
  if (windowsPath) {
    const auto host = paths_.ToHost(program);
    if (host && IsRegularFile(host->string())) return host->string();
    return std::nullopt;
  }
  // A bare name: the Windows folders first, then the host's programs.
  for (const char* dir : {"C:\\windows\\system32\\", "C:\\windows\\"}) {
    const auto host = paths_.ToHost(dir + program);
    if (host && IsRegularFile(host->string())) return host->string();
  }
  if (const auto utf8 = ToUtf8(name)) {
    std::string found = FindOnPath(*utf8);
    if (!found.empty()) return found;
  }
  return std::nullopt;
}

std::optional<TProgramStarter::TLaunch> TProgramStarter::Resolve(
    std::string_view commandLine) const {
  std::size_t i = 0;
  while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
    ++i;
  commandLine.remove_prefix(i);
  if (commandLine.empty()) return std::nullopt;

  std::string file;
  std::string_view rest;
  if (commandLine[0] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    const std::string_view module =
        commandLine.substr(1, close == std::string_view::npos ? close : close - 1);
    rest = close == std::string_view::npos ? std::string_view() : commandLine.substr(close + 1);
    const auto found = FindProgram(module);
    if (!found) return std::nullopt;
    file = *found;
  } else {
    // "C:\Program Files\x.exe a": try "C:\Program", then "C:\Program Files\x.exe", ...
    std::size_t end = 0;
    for (;;) {
      end = commandLine.find_first_of(" \t", end);
      const std::string_view candidate = commandLine.substr(0, end);
      if (const auto found = FindProgram(candidate)) {
        file = *found;
        rest = end == std::string_view::npos ? std::string_view() : commandLine.substr(end);
        break;
      }
      if (end == std::string_view::npos) return std::nullopt;
      ++end;
    }
  }

  TLaunch launch;
  switch (Kind(file)) {
    case FileKind::Windows: {
      const std::string wine = FindOnPath("wine");
      if (wine.empty()) return std::nullopt;
      // Wine takes the program's host path (the file found, ".exe" included) as well as its
      // Windows path, and names the process after it the same way.
      launch.throughWine = true;
      launch.argv = {wine, file};
      break;
    }
    case FileKind::Native:
      launch.argv = {file};
      break;
    case FileKind::Other:
      return std::nullopt;
  }
  for (const auto& arg : SplitArguments(rest)) {
    const auto utf8 = ToUtf8(arg);
    if (!utf8) return std::nullopt;
    launch.argv.push_back(*utf8);
  }
  return launch;
}

std::optional<pid_t> TProgramStarter::Start(std::string_view commandLine) const {
  const auto launch = Resolve(commandLine);
  if (!launch) return std::nullopt;

  std::vector<std::string> environment;
  for (char** e = environ; e && *e; ++e) {
    if (launch->throughWine && std::string_view(*e).starts_with("WINEPREFIX=")) continue;
    environment.emplace_back(*e);
  }
  if (launch->throughWine) environment.push_back("WINEPREFIX=" + paths_.Prefix().string());
  std::vector<char*> envp;
  for (auto& e : environment)
    envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = launch->argv;
  std::vector<char*> argv;
  for (auto& a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // A new console on Windows: here a session of its own, so our terminal's signals stay ours.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  const int result = ::posix_spawn(&pid, argv[0], nullptr, &attributes, argv.data(), envp.data());
  posix_spawnattr_destroy(&attributes);
  if (result != 0) return std::nullopt;
  return pid;
}

std::optional<uint32_t> TProgramStarter::Wait(pid_t pid) {
  int status = 0;
  for (;;) {
    if (::waitpid(pid, &status, 0) == pid) break;
    if (errno != EINTR) return std::nullopt;
  }
  if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return 128u + static_cast<uint32_t>(WTERMSIG(status));
  return std::nullopt;
}

void TProgramStarter::Detach(pid_t pid) {
  std::thread([pid] { Wait(pid); }).detach();
}

}  // namespace tarn

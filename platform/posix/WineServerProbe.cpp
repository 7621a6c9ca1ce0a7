#include "platform/posix/WineServerProbe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace tarn {

TWineServerProbe::TWineServerProbe(std::filesystem::path serverRoot)
    : serverRoot_(std::move(serverRoot)) {}

std::filesystem::path TWineServerProbe::DefaultServerRoot() {
  return "/tmp/.wine-" + std::to_string(::getuid());
}

std::filesystem::path TWineServerProbe::ServerDir(const std::filesystem::path& prefix) const {
  struct stat st {};
  if (::stat(prefix.c_str(), &st) != 0) return {};
  char name[64];
  std::snprintf(name, sizeof name, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                static_cast<unsigned long long>(st.st_ino));
  return serverRoot_ / name;
}

bool TWineServerProbe::IsRunning(const std::filesystem::path& prefix) const {
  const std::filesystem::path dir = ServerDir(prefix);
  if (dir.empty()) return false;
  const int fd = ::open((dir / "lock").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // The server holds a write lock on this file for as long as it runs; a left-over folder of a
  // server that has ended has the file but no lock.
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  const bool held = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
  ::close(fd);
  return held;
}

}  // namespace tarn

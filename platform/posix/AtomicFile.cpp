#include "platform/posix/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarn {
namespace {

constexpr std::size_t kPiece = 16 * 1024;

std::function<void(std::size_t)>& Hook() {
  static std::function<void(std::size_t)> hook;
  return hook;
}

bool Fail(std::string* error, const std::string& what, int code) {
  if (error) *error = what + ": " + std::strerror(code);
  return false;
}

}  // namespace

void SetAtomicWriteHookForTesting(std::function<void(std::size_t)> hook) {
  Hook() = std::move(hook);
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content,
                         std::string* error) {
  const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
  std::string temp = (dir / ("." + file.filename().string() + ".tarn-XXXXXX")).string();
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return Fail(error, "Cannot create a temporary file in " + dir.string(), errno);

  auto abandon = [&](const std::string& what, int code) {
    ::close(fd);
    ::unlink(temp.c_str());
    return Fail(error, what, code);
  };
  struct stat old {};
  const mode_t mode = ::stat(file.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  if (::fchmod(fd, mode) != 0) return abandon("Cannot set the mode of " + temp, errno);

  std::size_t done = 0;
  while (done < content.size()) {
    const std::size_t piece = std::min(kPiece, content.size() - done);
    const ssize_t n = ::write(fd, content.data() + done, piece);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return abandon("Cannot write " + temp, n < 0 ? errno : EIO);
    done += static_cast<std::size_t>(n);
    if (Hook()) Hook()(done);
  }
  if (::fsync(fd) != 0) return abandon("Cannot flush " + temp, errno);
  if (::close(fd) != 0) {
    const int code = errno;
    ::unlink(temp.c_str());
    return Fail(error, "Cannot close " + temp, code);
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    const int code = errno;
    ::unlink(temp.c_str());
    return Fail(error, "Cannot replace " + file.string(), code);
  }
  // The rename itself is only durable once the folder is flushed.
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

}  // namespace tarn

#include "base/FileStream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "base/Cp936.h"
#include "base/Exception.h"

namespace tarn {
namespace {

std::mutex& MapperLock() {
  static std::mutex lock;
  return lock;
}

HostPathMapper& Mapper() {
  static HostPathMapper mapper;
  return mapper;
}

std::string SystemMessage(int error) {
  return Utf8ToCp936(std::strerror(error), Conversion::Replace);
}

}  // namespace

std::string HostPath(const std::string& path) {
  HostPathMapper mapper;
  {
    std::lock_guard<std::mutex> guard(MapperLock());
    mapper = Mapper();
  }
  return mapper ? mapper(path) : Cp936ToUtf8(path);
}

void SetHostPathMapper(HostPathMapper mapper) {
  std::lock_guard<std::mutex> guard(MapperLock());
  Mapper() = std::move(mapper);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(HostPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

TFileStream::TFileStream(const std::string& fileName, FileMode mode, FileShare share)
    : fileName_(fileName) {
  const std::string host = HostPath(fileName);
  int flags = O_CLOEXEC;
  switch (mode) {
    case FileMode::Create:
      flags |= O_RDWR | O_CREAT | O_TRUNC;
      break;
    case FileMode::OpenRead:
      flags |= O_RDONLY;
      break;
    case FileMode::OpenWrite:
      flags |= O_WRONLY;
      break;
    case FileMode::OpenReadWrite:
      flags |= O_RDWR;
      break;
  }
  fd_ = ::open(host.c_str(), flags, 0644);
  const bool creating = mode == FileMode::Create;
  auto fail = [&](int error) {
    const std::string text = (creating ? "Cannot create file \"" : "Cannot open file \"") +
                             fileName + "\". " + SystemMessage(error);
    if (creating) throw EFCreateError(text);
    throw EFOpenError(text);
  };
  if (fd_ < 0) fail(errno);
  struct stat st {};
  if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd_);
    fail(EISDIR);
  }
  const int lock = share == FileShare::Exclusive ? LOCK_EX : LOCK_SH;
  if (::flock(fd_, lock | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd_);
    fail(error == EWOULDBLOCK ? EBUSY : error);
  }
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  std::size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t n = ::read(fd_, out + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  std::size_t done = 0;
  const auto* in = static_cast<const char*>(buffer);
  while (done < count) {
    const ssize_t n = ::write(fd_, in + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  const int whence = origin == SeekOrigin::Begin     ? SEEK_SET
                     : origin == SeekOrigin::Current ? SEEK_CUR
                                                     : SEEK_END;
  const off_t result = ::lseek(fd_, offset, whence);
  if (result < 0)
    throw EStreamError("Seek error on \"" + fileName_ + "\". " + SystemMessage(errno));
  return result;
}

int64_t TFileStream::Size() {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) throw EStreamError("Cannot query the size of \"" + fileName_ + "\"");
  return st.st_size;
}

void TFileStream::SetSize(int64_t size) {
  if (::ftruncate(fd_, size) != 0) {
    throw EStreamError("Cannot resize \"" + fileName_ + "\". " + SystemMessage(errno));
  }
  if (Position() > size) SetPosition(size);
}

void TFileStream::Flush() {
  if (::fsync(fd_) != 0)
    throw EWriteError("Cannot flush \"" + fileName_ + "\". " + SystemMessage(errno));
}

}  // namespace tarn

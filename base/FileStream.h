// A stream over an open host file. File names are program strings (code page 936, possibly
// Windows paths); they reach the host file system through HostPath() so that the platform
// can place them inside its Windows environment.
#pragma once

#include <functional>
#include <string>

#include "base/Stream.h"

namespace tarn {

enum class FileMode {
  Create,         // create or truncate, read and write
  OpenRead,       // existing file, read only
  OpenWrite,      // existing file, write only
  OpenReadWrite,  // existing file, read and write
};

// Sharing with other openers of the same file (advisory locks on the host): Exclusive refuses
// every other opener, the others refuse only exclusive ones.
enum class FileShare { Exclusive, DenyWrite, DenyNone };

using HostPathMapper = std::function<std::string(const std::string&)>;

// Maps a program path to the host path that is opened. The default converts code page 936 to
// UTF-8 and leaves the rest alone; the platform installs its own at start.
std::string HostPath(const std::string& path);
void SetHostPathMapper(HostPathMapper mapper);

bool FileExists(const std::string& path);

class TFileStream : public TStream {
 public:
  // Raises EFCreateError (Create) or EFOpenError (the others) when the file cannot be had.
  TFileStream(const std::string& fileName, FileMode mode, FileShare share);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override;
  void SetSize(int64_t size) override;

  const std::string& FileName() const { return fileName_; }
  void Flush();

 private:
  std::string fileName_;
  int fd_ = -1;
};

}  // namespace tarn

#include "platform/posix/RegistryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "platform/posix/AtomicFile.h"

namespace tarn {
namespace {

int64_t NowUnix100ns() {
  using namespace std::chrono;
  return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
}

// Serialises saves of all programs that use this registry layer on one prefix. Wine does not
// take it; the running-server check covers Wine.
class PrefixLock {
 public:
  explicit PrefixLock(const std::filesystem::path& prefix)
      : fd_(::open(prefix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0) ::flock(fd_, LOCK_EX);
  }
  ~PrefixLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  PrefixLock(const PrefixLock&) = delete;
  PrefixLock& operator=(const PrefixLock&) = delete;

 private:
  int fd_;
};

}  // namespace

TRegistryFile::TRegistryFile(std::filesystem::path prefix, std::string fileName,
                             std::string rootComment, TWineServerProbe probe)
    : prefix_(std::move(prefix)),
      path_(prefix_ / fileName),
      rootComment_(std::move(rootComment)),
      probe_(std::move(probe)),
      hive_(rootComment_) {}

TRegistryFile::Identity TRegistryFile::Stat() const {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) return {};
  return {st.st_dev, st.st_ino, st.st_size,
          static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

WinError TRegistryFile::Load() {
  const Identity identity = Stat();
  TRegistryHive hive(rootComment_);
  if (identity.size >= 0) {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in || !hive.Parse(text.str())) {
      lastError_ = path_.string() + " is not a Wine registry file";
      return WinError::InvalidData;
    }
  }
  hive_ = std::move(hive);
  identity_ = identity;
  loaded_ = true;
  const int64_t now = NowUnix100ns();
  for (const auto& change : changes_)
    Replay(change, now);
  return WinError::Success;
}

WinError TRegistryFile::Refresh() {
  if (loaded_ && Stat() == identity_) return WinError::Success;
  return Load();
}

void TRegistryFile::Replay(const TRegChange& change, int64_t now) {
  bool created = false;
  switch (change.kind) {
    case TRegChange::Kind::CreateKey:
      hive_.Create(change.path, now, created);
      break;
    case TRegChange::Kind::SetValue:
      if (TRegNode* node = hive_.Create(change.path, now, created)) {
        hive_.SetValue(*node, change.value, now);
      }
      break;
    case TRegChange::Kind::DeleteValue:
      if (TRegNode* node = hive_.Find(change.path))
        hive_.DeleteValue(*node, change.value.Name, now);
      break;
    case TRegChange::Kind::DeleteTree:
      hive_.DeleteTree(change.path, now);
      break;
  }
}

WinError TRegistryFile::Apply(const TRegChange& change) {
  if (probe_.IsRunning(prefix_)) return WinError::Busy;
  if (const WinError loaded = Refresh(); loaded != WinError::Success) return loaded;
  Replay(change, NowUnix100ns());
  changes_.push_back(change);
  return WinError::Success;
}

WinError TRegistryFile::Save() {
  if (changes_.empty()) return WinError::Success;
  if (probe_.IsRunning(prefix_)) {
    lastError_ = "the Wine server of " + prefix_.string() + " is running";
    return WinError::Busy;
  }
  std::error_code made;
  std::filesystem::create_directories(prefix_, made);  // a registry written before the tree
  PrefixLock lock(prefix_);
  // Another program may have saved since this one read the file: start from its version.
  if (const WinError loaded = Refresh(); loaded != WinError::Success) return loaded;
  std::string error;
  if (!WriteFileAtomically(path_, hive_.Serialise(), &error)) {
    lastError_ = error;
    return WinError::WriteFault;
  }
  identity_ = Stat();
  changes_.clear();
  return WinError::Success;
}

}  // namespace tarn

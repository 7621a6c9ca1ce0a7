// Whether a Wine server serves a prefix. A running server keeps the prefix's registry in
// memory and writes it back when it exits, so a change made to the files meanwhile would be
// lost: the registry refuses to write then.
#pragma once

#include <filesystem>

namespace tarn {

class TWineServerProbe {
 public:
  // serverRoot: where Wine keeps its server folders (/tmp/.wine-<uid>); tests pass their own.
  explicit TWineServerProbe(std::filesystem::path serverRoot = DefaultServerRoot());

  static std::filesystem::path DefaultServerRoot();
  // The server folder of a prefix: named after the device and inode of the prefix folder.
  std::filesystem::path ServerDir(const std::filesystem::path& prefix) const;
  // True when another process holds the server's lock for the prefix.
  bool IsRunning(const std::filesystem::path& prefix) const;

 private:
  std::filesystem::path serverRoot_;
};

}  // namespace tarn

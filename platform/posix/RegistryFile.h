// One registry file of a prefix (system.reg or user.reg): its tree in memory, the changes made
// since the last save, and the save itself. A save re-reads the file when another program
// changed it meanwhile and applies this program's changes on top, so two programs writing the
// same prefix one after the other both keep their changes; it writes atomically.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/WinTypes.h"
#include "platform/posix/RegistryHive.h"
#include "platform/posix/WineServerProbe.h"

namespace tarn {

// One change, as it is replayed on a fresh copy of the file.
struct TRegChange {
  enum class Kind { CreateKey, SetValue, DeleteValue, DeleteTree };
  Kind kind = Kind::CreateKey;
  TRegPath path;
  regtext::TValue value;  // SetValue: the value; DeleteValue: its name
};

class TRegistryFile {
 public:
  // rootComment: the root named in a new file's header ("\\\\Machine").
  TRegistryFile(std::filesystem::path prefix, std::string fileName, std::string rootComment,
                TWineServerProbe probe);

  const std::filesystem::path& Path() const { return path_; }
  // Reads the file if that has not happened yet or another program replaced it since.
  WinError Refresh();
  TRegistryHive& Hive() { return hive_; }
  // Applies a change in memory and remembers it for the save. Refused (Busy) while the
  // prefix's Wine server runs.
  WinError Apply(const TRegChange& change);
  bool HasChanges() const { return !changes_.empty(); }
  // Writes the changes; they stay pending when the save fails.
  WinError Save();
  const std::string& LastError() const { return lastError_; }

 private:
  struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = -1;
    int64_t mtimeNs = 0;
    bool operator==(const Identity&) const = default;
  };
  Identity Stat() const;
  WinError Load();
  void Replay(const TRegChange& change, int64_t now);

  std::filesystem::path prefix_;
  std::filesystem::path path_;
  std::string rootComment_;
  TWineServerProbe probe_;
  TRegistryHive hive_;
  bool loaded_ = false;
  Identity identity_;
  std::vector<TRegChange> changes_;
  std::string lastError_;
};

}  // namespace tarn

// The registry of a prefix behind key handles: HKEY_LOCAL_MACHINE is system.reg,
// HKEY_CURRENT_USER user.reg, HKEY_CLASSES_ROOT is HKEY_LOCAL_MACHINE\Software\Classes. Names
// and texts cross this boundary as code page 936 and are kept as Wine keeps them (UTF-16).
#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/WinTypes.h"
#include "platform/posix/RegistryFile.h"

namespace tarn {

class TPosixRegistry {
 public:
  TPosixRegistry(const std::filesystem::path& prefix, const TWineServerProbe& probe);
  // Saves what is still pending (keys left open).
  ~TPosixRegistry();
  TPosixRegistry(const TPosixRegistry&) = delete;
  TPosixRegistry& operator=(const TPosixRegistry&) = delete;

  WinError Open(RegKey key, std::string_view subKey, bool create, RegKey& result);
  WinError Close(RegKey key);
  WinError Query(RegKey key, std::string_view name, uint32_t& type, std::string& data);
  WinError Set(RegKey key, std::string_view name, uint32_t type, std::string_view data);
  WinError DeleteValue(RegKey key, std::string_view name);
  WinError DeleteTree(RegKey key, std::string_view subKey);
  WinError EnumKey(RegKey key, uint32_t index, std::string& name);
  WinError EnumValue(RegKey key, uint32_t index, std::string& name);
  // Saves every file with pending changes.
  WinError Flush();
  // What went wrong in the last failed save or read, for messages.
  std::string LastError() const;

 private:
  struct THandle {
    TRegistryFile* file = nullptr;
    TRegPath path;
    bool changed = false;
  };
  // The file and path of a key; nullptr for an unknown handle.
  THandle* Resolve(RegKey key);
  // The key's node after a refresh, or the reason there is none.
  WinError Node(THandle& handle, TRegNode*& node);
  // A change made through a handle: kept until the handle is closed, saved at once for roots.
  WinError Change(RegKey key, THandle& handle, const TRegChange& change);

  mutable std::mutex lock_;
  TRegistryFile system_;
  TRegistryFile user_;
  std::map<RegKey, THandle> roots_;
  std::map<RegKey, THandle> handles_;
  RegKey next_ = 0x100;
  std::string lastError_;
};

}  // namespace tarn

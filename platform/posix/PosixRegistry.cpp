#include "platform/posix/PosixRegistry.h"

#include <algorithm>

#include "base/Exception.h"
#include "platform/posix/Utf16.h"

namespace tarn {
namespace {

bool IsStringType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Sub-key path components; empty ones (doubled or leading backslashes) are skipped.
std::optional<TRegPath> SplitPath(std::string_view subKey) {
  std::u16string text;
  try {
    text = Cp936ToUtf16(subKey, Conversion::Throw);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
  TRegPath parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(u'\\', start);
    std::u16string part = text.substr(start, end - start);
    if (!part.empty()) parts.push_back(std::move(part));
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  return parts;
}

TRegPath Join(const TRegPath& base, const TRegPath& rest) {
  TRegPath path = base;
  path.insert(path.end(), rest.begin(), rest.end());
  return path;
}

}  // namespace

TPosixRegistry::TPosixRegistry(const std::filesystem::path& prefix, const TWineServerProbe& probe)
    : system_(prefix, "system.reg", "\\\\Machine", probe),
      user_(prefix, "user.reg", "\\\\User\\\\S-1-5-21-0-0-0-1000", probe) {
  roots_[kRegLocalMachine] = {&system_, {}, false};
  roots_[kRegCurrentUser] = {&user_, {}, false};
  roots_[kRegClassesRoot] = {&system_, {u"Software", u"Classes"}, false};
}

TPosixRegistry::~TPosixRegistry() {
  Flush();
}

TPosixRegistry::THandle* TPosixRegistry::Resolve(RegKey key) {
  if (auto it = roots_.find(key); it != roots_.end()) return &it->second;
  if (auto it = handles_.find(key); it != handles_.end()) return &it->second;
  return nullptr;
}

WinError TPosixRegistry::Node(THandle& handle, TRegNode*& node) {
  if (const WinError read = handle.file->Refresh(); read != WinError::Success) {
    lastError_ = handle.file->LastError();
    return read;
  }
  node = handle.file->Hive().Find(handle.path);
  if (node) return WinError::Success;
  // A root can be missing from its file (HKEY_CLASSES_ROOT of an empty one); a key that was
  // open has been deleted meanwhile.
  const bool isRoot = std::any_of(roots_.begin(), roots_.end(),
                                  [&](const auto& root) { return &root.second == &handle; });
  return isRoot ? WinError::FileNotFound : WinError::KeyDeleted;
}

WinError TPosixRegistry::Change(RegKey key, THandle& handle, const TRegChange& change) {
  WinError result = handle.file->Apply(change);
  if (result != WinError::Success) {
    if (result == WinError::InvalidData) lastError_ = handle.file->LastError();
    return result;
  }
  if (roots_.count(key)) {
    result = handle.file->Save();
    if (result != WinError::Success) lastError_ = handle.file->LastError();
    return result;
  }
  handle.changed = true;
  return WinError::Success;
}

WinError TPosixRegistry::Open(RegKey key, std::string_view subKey, bool create, RegKey& result) {
  std::lock_guard<std::mutex> guard(lock_);
  result = 0;
  THandle* base = Resolve(key);
  if (!base) return WinError::InvalidHandle;
  const auto parts = SplitPath(subKey);
  if (!parts) return WinError::BadPathName;
  TRegPath path = Join(base->path, *parts);
  if (const WinError read = base->file->Refresh(); read != WinError::Success) {
    lastError_ = base->file->LastError();
    return read;
  }
  TRegistryHive& hive = base->file->Hive();
  if (!roots_.count(key) && !hive.Find(base->path)) return WinError::KeyDeleted;
  THandle handle{base->file, {}, false};
  if (!hive.Find(path)) {
    if (!create) return WinError::FileNotFound;
    TRegChange change{TRegChange::Kind::CreateKey, path, {}};
    if (const WinError made = base->file->Apply(change); made != WinError::Success) return made;
    handle.changed = true;  // saved when the new key is closed
  }
  // The names as the registry has them, past any link.
  const TRegNode* node = hive.Find(path);
  if (!node) return WinError::AccessDenied;  // a link into another file
  handle.path = TRegistryHive::PathOf(*node);
  result = next_++;
  handles_[result] = std::move(handle);
  return WinError::Success;
}

WinError TPosixRegistry::Close(RegKey key) {
  std::lock_guard<std::mutex> guard(lock_);
  if (roots_.count(key)) return WinError::Success;
  auto it = handles_.find(key);
  if (it == handles_.end()) return WinError::InvalidHandle;
  const THandle handle = it->second;
  handles_.erase(it);
  if (!handle.changed) return WinError::Success;
  const WinError saved = handle.file->Save();
  if (saved != WinError::Success) lastError_ = handle.file->LastError();
  return saved;
}

WinError TPosixRegistry::Query(RegKey key, std::string_view name, uint32_t& type,
                               std::string& data) {
  std::lock_guard<std::mutex> guard(lock_);
  THandle* handle = Resolve(key);
  if (!handle) return WinError::InvalidHandle;
  TRegNode* node = nullptr;
  if (const WinError found = Node(*handle, node); found != WinError::Success) return found;
  const TRegEntry* entry = node->FindValue(Cp936ToUtf16(name));
  if (!entry) return WinError::FileNotFound;
  type = entry->value.Type;
  if (IsStringType(type)) {
    std::u16string text = regtext::FromBytes(entry->value.Data);
    if (text.empty() || text.back() != 0) text.push_back(0);
    data = Utf16ToCp936(text);
  } else {
    data = entry->value.Data;
  }
  return WinError::Success;
}

WinError TPosixRegistry::Set(RegKey key, std::string_view name, uint32_t type,
                             std::string_view data) {
  std::lock_guard<std::mutex> guard(lock_);
  THandle* handle = Resolve(key);
  if (!handle) return WinError::InvalidHandle;
  TRegNode* node = nullptr;
  if (const WinError found = Node(*handle, node);
      found != WinError::Success && !(found == WinError::FileNotFound && roots_.count(key))) {
    return found;
  }
  TRegChange change{TRegChange::Kind::SetValue, handle->path, {}};
  try {
    change.value.Name = Cp936ToUtf16(name, Conversion::Throw);
    change.value.Type = type;
    if (IsStringType(type)) {
      std::u16string text = Cp936ToUtf16(data, Conversion::Throw);
      if (text.empty() || text.back() != 0) text.push_back(0);
      change.value.Data = regtext::ToBytes(text);
    } else {
      change.value.Data = std::string(data);
    }
  } catch (const EConvertError&) {
    return WinError::InvalidParameter;
  }
  return Change(key, *handle, change);
}

WinError TPosixRegistry::DeleteValue(RegKey key, std::string_view name) {
  std::lock_guard<std::mutex> guard(lock_);
  THandle* handle = Resolve(key);
  if (!handle) return WinError::InvalidHandle;
  TRegNode* node = nullptr;
  if (const WinError found = Node(*handle, node); found != WinError::Success) return found;
  const std::u16string valueName = Cp936ToUtf16(name);
  if (!node->FindValue(valueName)) return WinError::FileNotFound;
  TRegChange change{TRegChange::Kind::DeleteValue, handle->path, {}};
  change.value.Name = valueName;
  return Change(key, *handle, change);
}

WinError TPosixRegistry::DeleteTree(RegKey key, std::string_view subKey) {
  std::lock_guard<std::mutex> guard(lock_);
  THandle* handle = Resolve(key);
  if (!handle) return WinError::InvalidHandle;
  const auto parts = SplitPath(subKey);
  if (!parts) return WinError::BadPathName;
  // Deleting the key itself (an empty sub-key) is refused, as the system refuses it for roots.
  if (parts->empty()) return WinError::AccessDenied;
  TRegNode* node = nullptr;
  if (const WinError found = Node(*handle, node); found != WinError::Success) return found;
  const TRegPath path = Join(handle->path, *parts);
  if (!handle->file->Hive().Find(path)) return WinError::FileNotFound;
  return Change(key, *handle, {TRegChange::Kind::DeleteTree, path, {}});
}

WinError TPosixRegistry::EnumKey(RegKey key, uint32_t index, std::string& name) {
  std::lock_guard<std::mutex> guard(lock_);
  THandle* handle = Resolve(key);
  if (!handle) return WinError::InvalidHandle;
  TRegNode* node = nullptr;
  if (const WinError found = Node(*handle, node); found != WinError::Success) {
    return found == WinError::FileNotFound ? WinError::NoMoreItems : found;
  }
  if (index >= node->children.size()) return WinError::NoMoreItems;
  name = Utf16ToCp936(node->children[index]->name);
  return WinError::Success;
}

WinError TPosixRegistry::EnumValue(RegKey key, uint32_t index, std::string& name) {
  std::lock_guard<std::mutex> guard(lock_);
  THandle* handle = Resolve(key);
  if (!handle) return WinError::InvalidHandle;
  TRegNode* node = nullptr;
  if (const WinError found = Node(*handle, node); found != WinError::Success) {
    return found == WinError::FileNotFound ? WinError::NoMoreItems : found;
  }
  const auto names = node->ValueNames();
  if (index >= names.size()) return WinError::NoMoreItems;
  name = Utf16ToCp936(names[index]);
  return WinError::Success;
}

WinError TPosixRegistry::Flush() {
  std::lock_guard<std::mutex> guard(lock_);
  WinError result = WinError::Success;
  for (TRegistryFile* file : {&system_, &user_}) {
    const WinError saved = file->Save();
    if (saved != WinError::Success) {
      lastError_ = file->LastError();
      result = saved;
    }
  }
  return result;
}

std::string TPosixRegistry::LastError() const {
  std::lock_guard<std::mutex> guard(lock_);
  return lastError_;
}

}  // namespace tarn

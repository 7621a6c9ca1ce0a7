// "reg query|add|delete", taking their arguments the way reg.exe takes them.
#include <cstdio>
#include <iostream>

#include "base/StringUtils.h"
#include "tools/tarn-prefix/Cli.h"

namespace tarn::prefixtool {
namespace {

struct Root {
  const char* shortName;
  const char* longName;
  RegKey key;
};
constexpr Root kRoots[] = {
    {"HKLM", "HKEY_LOCAL_MACHINE", kRegLocalMachine},
    {"HKCU", "HKEY_CURRENT_USER", kRegCurrentUser},
    {"HKCR", "HKEY_CLASSES_ROOT", kRegClassesRoot},
};

struct TKeyName {
  const Root* root = nullptr;
  std::string path;  // code page 936, without the root
};

TKeyName ParseKey(const std::string& text) {
  const std::size_t slash = text.find('\\');
  const std::string rootName = text.substr(0, slash);
  for (const auto& root : kRoots) {
    if (SameText(rootName, root.shortName) || SameText(rootName, root.longName)) {
      return {&root, slash == std::string::npos ? "" : ToProgram(text.substr(slash + 1))};
    }
  }
  throw CliError("a key starts with HKLM, HKCU or HKCR, not '" + rootName + "'", kUsage);
}

std::string FullName(const TKeyName& key) {
  return std::string(key.root->longName) + (key.path.empty() ? "" : "\\" + ToHost(key.path));
}

struct TRegArgs {
  TKeyName key;
  std::optional<std::string> value;  // "" for the default value
  bool allValues = false;
  bool recursive = false;
  bool force = false;
  std::string type = "REG_SZ";
  std::optional<std::string> data;
};

TRegArgs ParseArgs(const Args& args, const std::string& allowed) {
  if (args.empty()) throw CliError("reg needs a key", kUsage);
  TRegArgs out;
  out.key = ParseKey(args[0]);
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string option = LowerCase(args[i]);
    auto next = [&]() -> std::string {
      if (i + 1 >= args.size()) throw CliError(args[i] + " needs a value", kUsage);
      return args[++i];
    };
    if (allowed.find(option + " ") == std::string::npos) {
      throw CliError("this reg command does not take '" + args[i] + "'", kUsage);
    }
    if (option == "/v") {
      out.value = ToProgram(next());
    } else if (option == "/ve") {
      out.value = "";
    } else if (option == "/va") {
      out.allValues = true;
    } else if (option == "/s") {
      out.recursive = true;
    } else if (option == "/f") {
      out.force = true;
    } else if (option == "/t") {
      out.type = UpperCase(next());
    } else if (option == "/d") {
      out.data = ToProgram(next());
    }
  }
  return out;
}

struct TypeName {
  const char* name;
  uint32_t type;
};
constexpr TypeName kTypes[] = {
    {"REG_NONE", kRegNone},     {"REG_SZ", kRegSz},       {"REG_EXPAND_SZ", kRegExpandSz},
    {"REG_BINARY", kRegBinary}, {"REG_DWORD", kRegDword}, {"REG_MULTI_SZ", kRegMultiSz},
    {"REG_QWORD", kRegQword},
};

std::string TypeText(uint32_t type) {
  for (const auto& t : kTypes) {
    if (t.type == type) return t.name;
  }
  return "REG_0x" + std::to_string(type);
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char buffer[4];
  for (unsigned char b : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02X", b);
    out += buffer;
  }
  return out;
}

uint64_t LittleEndian(const std::string& bytes) {
  uint64_t value = 0;
  for (std::size_t i = bytes.size(); i-- > 0;)
    value = value << 8 | static_cast<unsigned char>(bytes[i]);
  return value;
}

std::string DataText(uint32_t type, const std::string& data) {
  if (type == kRegSz || type == kRegExpandSz) return ToHost(data.substr(0, data.find('\0')));
  if (type == kRegMultiSz) {
    std::string text = data;
    while (!text.empty() && text.back() == '\0')
      text.pop_back();
    std::string out;
    for (char c : text)
      out += c == '\0' ? std::string("\\0") : std::string(1, c);
    return ToHost(out);
  }
  if ((type == kRegDword && data.size() == 4) || (type == kRegQword && data.size() == 8)) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%llx",
                  static_cast<unsigned long long>(LittleEndian(data)));
    return buffer;
  }
  return Hex(data);
}

// The value as the registry takes it for its type.
std::string EncodeData(const std::string& type, const std::string& text) {
  if (type == "REG_SZ" || type == "REG_EXPAND_SZ") return text;
  if (type == "REG_MULTI_SZ") {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text.compare(i, 2, "\\0") == 0) {
        out.push_back('\0');
        ++i;
      } else {
        out.push_back(text[i]);
      }
    }
    out.push_back('\0');
    return out + '\0';
  }
  if (type == "REG_DWORD" || type == "REG_QWORD") {
    const auto number = TryStrToInt(text.empty() ? "0" : text);
    const bool dword = type == "REG_DWORD";
    if (!number || *number < 0 || (dword && *number > 0xFFFFFFFFll)) {
      throw CliError("'" + ToHost(text) + "' is not a " + type + " number", kUsage);
    }
    std::string out;
    for (int k = 0; k < (dword ? 4 : 8); ++k)
      out.push_back(static_cast<char>(*number >> (8 * k)));
    return out;
  }
  if (type == "REG_BINARY" || type == "REG_NONE") {
    if (text.size() % 2 != 0 ||
        text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      throw CliError(type + " data is an even number of hex digits", kUsage);
    }
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
      out.push_back(static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16)));
    }
    return out;
  }
  throw CliError("unknown type " + type, kUsage);
}

uint32_t TypeNumber(const std::string& name) {
  for (const auto& t : kTypes) {
    if (name == t.name) return t.type;
  }
  throw CliError("unknown type " + name, kUsage);
}

void Check(TPosixPlatform& platform, WinError result, const std::string& what) {
  if (result == WinError::Success) return;
  std::string text = what + ": " + WinErrorText(result);
  if (result == WinError::InvalidData || result == WinError::WriteFault) {
    text += " (" + platform.RegistryError() + ")";
  }
  throw CliError(text, kFailed);
}

// An open key, closed (and so saved) when it goes.
class OpenKey {
 public:
  OpenKey(TPosixPlatform& platform, const TKeyName& name, bool create) : platform_(platform) {
    const WinError result = create ? platform.RegCreateKey(name.root->key, name.path, key_)
                                   : platform.RegOpenKey(name.root->key, name.path, key_);
    if (result == WinError::FileNotFound) {
      throw CliError("the key " + FullName(name) + " does not exist", kFailed);
    }
    Check(platform, result, FullName(name));
  }
  ~OpenKey() {
    if (key_) platform_.RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  RegKey Get() const { return key_; }
  // Closes now, so a failed save is reported.
  void Close(const std::string& what) {
    const WinError result = platform_.RegCloseKey(key_);
    key_ = 0;
    Check(platform_, result, what);
  }

 private:
  TPosixPlatform& platform_;
  RegKey key_ = 0;
};

void PrintValue(TPosixPlatform& platform, RegKey key, const std::string& name) {
  uint32_t type = 0;
  std::string data;
  Check(platform, platform.RegQueryValue(key, name, type, data), "query");
  std::cout << "    " << (name.empty() ? "(Default)" : ToHost(name)) << "    " << TypeText(type)
            << "    " << DataText(type, data) << "\n";
}

void PrintKey(TPosixPlatform& platform, const TKeyName& name, bool recursive) {
  OpenKey key(platform, name, false);
  std::cout << "\n" << FullName(name) << "\n";
  std::string item;
  for (uint32_t i = 0; platform.RegEnumValue(key.Get(), i, item) == WinError::Success; ++i) {
    PrintValue(platform, key.Get(), item);
  }
  std::vector<std::string> subKeys;
  for (uint32_t i = 0; platform.RegEnumKey(key.Get(), i, item) == WinError::Success; ++i) {
    subKeys.push_back(item);
  }
  for (const auto& sub : subKeys) {
    const TKeyName child{name.root, name.path.empty() ? sub : name.path + "\\" + sub};
    if (recursive) {
      PrintKey(platform, child, true);
    } else {
      std::cout << FullName(child) << "\n";
    }
  }
}

int Query(TPosixPlatform& platform, const Args& args) {
  const TRegArgs a = ParseArgs(args, "/v /ve /s ");
  if (a.value) {
    OpenKey key(platform, a.key, false);
    uint32_t type = 0;
    std::string data;
    if (platform.RegQueryValue(key.Get(), *a.value, type, data) == WinError::FileNotFound) {
      throw CliError("the value " + (a.value->empty() ? "(Default)" : ToHost(*a.value)) + " of " +
                         FullName(a.key) + " does not exist",
                     kFailed);
    }
    std::cout << "\n" << FullName(a.key) << "\n";
    PrintValue(platform, key.Get(), *a.value);
    return 0;
  }
  PrintKey(platform, a.key, a.recursive);
  return 0;
}

int Add(TPosixPlatform& platform, const Args& args) {
  const TRegArgs a = ParseArgs(args, "/v /ve /t /d /f ");
  OpenKey key(platform, a.key, true);
  if (a.value) {
    const uint32_t type = TypeNumber(a.type);
    const std::string data = EncodeData(a.type, a.data.value_or(""));
    uint32_t oldType = 0;
    std::string old;
    if (!a.force &&
        platform.RegQueryValue(key.Get(), *a.value, oldType, old) == WinError::Success) {
      throw CliError("the value exists; add /f to replace it", kFailed);
    }
    Check(platform, platform.RegSetValue(key.Get(), *a.value, type, data), "write");
  } else if (a.data) {
    throw CliError("/d needs /v NAME or /ve", kUsage);
  }
  key.Close("save " + FullName(a.key));
  std::cout << "The operation completed successfully.\n";
  return 0;
}

int Delete(TPosixPlatform& platform, const Args& args) {
  const TRegArgs a = ParseArgs(args, "/v /ve /va /f ");
  if (!a.force) throw CliError("reg delete needs /f (it does not ask)", kUsage);
  if (!a.value && !a.allValues) {
    if (a.key.path.empty()) throw CliError("a root key cannot be deleted", kUsage);
    const std::size_t slash = a.key.path.rfind('\\');
    const TKeyName parent{a.key.root,
                          slash == std::string::npos ? "" : a.key.path.substr(0, slash)};
    OpenKey key(platform, parent, false);
    const std::string leaf = slash == std::string::npos ? a.key.path : a.key.path.substr(slash + 1);
    const WinError result = platform.RegDeleteTree(key.Get(), leaf);
    if (result == WinError::FileNotFound) {
      throw CliError("the key " + FullName(a.key) + " does not exist", kFailed);
    }
    Check(platform, result, "delete " + FullName(a.key));
    key.Close("save");
  } else {
    OpenKey key(platform, a.key, false);
    std::vector<std::string> names;
    if (a.allValues) {
      std::string name;
      for (uint32_t i = 0; platform.RegEnumValue(key.Get(), i, name) == WinError::Success; ++i) {
        names.push_back(name);
      }
    } else {
      names.push_back(*a.value);
    }
    for (const auto& name : names) {
      const WinError result = platform.RegDeleteValue(key.Get(), name);
      if (result == WinError::FileNotFound) {
        throw CliError(
            "the value " + (name.empty() ? "(Default)" : ToHost(name)) + " does not exist",
            kFailed);
      }
      Check(platform, result, "delete");
    }
    key.Close("save " + FullName(a.key));
  }
  std::cout << "The operation completed successfully.\n";
  return 0;
}

}  // namespace

int RegCommand(TPosixPlatform& platform, const Args& args) {
  if (args.empty()) throw CliError("reg needs query, add or delete", kUsage);
  const Args rest(args.begin() + 1, args.end());
  const std::string verb = LowerCase(args[0]);
  if (verb == "query") return Query(platform, rest);
  if (verb == "add") return Add(platform, rest);
  if (verb == "delete") return Delete(platform, rest);
  throw CliError("reg takes query, add or delete, not '" + args[0] + "'", kUsage);
}

}  // namespace tarn::prefixtool

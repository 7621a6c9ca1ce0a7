#include "platform/posix/PathMapper.h"

#include <sys/stat.h>

#include <vector>

#include "base/Cp936.h"
#include "base/Exception.h"
#include "platform/posix/Utf16.h"

namespace tarn {
namespace {

bool Exists(const std::filesystem::path& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

char LowerLetter(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() == b.size() && a == b) return true;
  return CompareNoCase(Utf8ToUtf16(a), Utf8ToUtf16(b)) == 0;
}

std::optional<std::filesystem::path> TPathMapper::DriveLink(char letter) const {
  if (!IsLetter(letter)) return std::nullopt;
  std::filesystem::path link = prefix_ / "dosdevices" / std::string{LowerLetter(letter), ':'};
  if (!Exists(link)) return std::nullopt;
  return link;
}

std::optional<std::filesystem::path> TPathMapper::ToHost(std::string_view path) const {
  if (path.empty()) return std::nullopt;
  std::string text;
  try {
    text = Cp936ToUtf8(path, Conversion::Throw);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
  if (text[0] == '/') return std::filesystem::path(text);
  if (text.starts_with("\\\\?\\")) text.erase(0, 4);
  if (text.starts_with("\\\\") || text.starts_with("//")) return std::nullopt;

  char letter = 0;
  std::string rest;
  if (text.size() >= 2 && IsLetter(text[0]) && text[1] == ':') {
    letter = text[0];
    rest = text.substr(2);
  } else if (text[0] == '\\') {
    letter = 'c';
    rest = text;
  } else {
    for (auto& c : text) {
      if (c == '\\') c = '/';
    }
    return std::filesystem::path(text);
  }
  const auto drive = DriveLink(letter);
  if (!drive) return std::nullopt;

  // Dots are resolved in the Windows path, so ".." never climbs above the drive's root.
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find_first_of("\\/", start);
    if (end == std::string::npos) end = rest.size();
    const std::string part = rest.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }

  std::filesystem::path host = *drive;
  bool exists = true;
  for (const auto& part : parts) {
    if (exists && !Exists(host / part)) {
      exists = false;
      std::error_code error;
      for (const auto& entry : std::filesystem::directory_iterator(host, error)) {
        const std::string name = entry.path().filename().string();
        if (SameFileName(name, part)) {
          host /= name;
          exists = true;
          break;
        }
      }
      if (exists) continue;
    }
    host /= part;
  }
  return host;
}

}  // namespace tarn

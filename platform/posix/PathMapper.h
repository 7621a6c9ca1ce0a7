// Windows paths of the prefix's drives mapped to host paths: "X:\..." goes through the link
// dosdevices/x:, each existing component is found without regard to case, names are converted
// from code page 936 to the host's UTF-8. A path that lies on no drive maps to nothing, so
// nothing is ever read or written in its place.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

class TPathMapper {
 public:
  explicit TPathMapper(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

  // "C:\Program Files\x" -> <prefix>/dosdevices/c:/Program Files/x (with the case of what
  // exists). A rooted path without a drive ("\x") is on the system drive C:. A host path
  // ("/tmp/x") is taken as it is, converted to UTF-8; so is a relative path, with '/' for '\'.
  // Nothing for an unknown drive, a network path or text that is not valid code page 936.
  std::optional<std::filesystem::path> ToHost(std::string_view path) const;
  // <prefix>/dosdevices/x: when that drive exists (its link may point nowhere).
  std::optional<std::filesystem::path> DriveLink(char letter) const;
  const std::filesystem::path& Prefix() const { return prefix_; }

 private:
  std::filesystem::path prefix_;
};

// Whether the host names are equal without regard to case, as Windows compares file names.
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace tarn

// Pieces of registry file text for the tests that check what a save changed.
#pragma once

#include <string>

namespace tarn::testing {

// The file without the block of one key (from its key line to the blank line after it), so that
// two versions of a file can be compared outside the key that changed.
inline std::string WithoutKey(const std::string& file, const std::string& keyLine) {
  const std::size_t start = file.find("\n" + keyLine);
  if (start == std::string::npos) return file;
  const std::size_t end = file.find("\n\n", start + 1);
  return file.substr(0, start) + (end == std::string::npos ? "\n" : file.substr(end + 1));
}

}  // namespace tarn::testing

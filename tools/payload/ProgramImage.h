// Stand-in program files (.exe, .dll, .ax, .acm): a 32-bit PE image with a code section, read-
// only data (imports, strings, tables), data, resources and relocations, in the proportions of
// its kind, exactly `size` bytes long (bytes past the last section are an overlay, as
// installers and packed programs carry).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarn::payload {

enum class ProgramKind {
  Application,  // a program of the player with a user interface: many resources
  Library,      // a helper library: mostly code
  Codec,        // a decoder: code and large constant tables
};

std::vector<uint8_t> ProgramImage(const std::string& name, std::size_t size, ProgramKind kind);

}  // namespace tarn::payload

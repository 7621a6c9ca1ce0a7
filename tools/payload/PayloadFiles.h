// The player's 59 files as the install package holds them, in the package's order, with the
// size and kind of each stand-in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/payload/ProgramImage.h"

namespace tarn::payload {

enum class FileKind { Program, Icon, Skin };

struct PayloadFile {
  const char* name;
  std::size_t size;
  FileKind kind;
  ProgramKind program = ProgramKind::Library;  // for programs
};

const std::vector<PayloadFile>& PayloadFiles();
constexpr std::size_t kPayloadBytes = 40442048;  // all 59 together

std::vector<uint8_t> MakeFile(const PayloadFile& file);

}  // namespace tarn::payload

// Stand-in machine code: 32-bit x86 functions as a compiler lays them out — prologues and
// epilogues, local-variable traffic through the frame pointer, calls between functions and
// through the import table, short branches, padding between functions. Like a compiler's output
// it repeats itself: short instruction sequences recur across functions. So it compresses the
// way real code sections do, which is what the package's packing and unpacking times depend on.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/payload/Bytes.h"
#include "tools/payload/Random.h"

namespace tarn::payload {

struct CodeContext {
  uint32_t base = 0;                    // address of the code's first byte
  std::vector<uint32_t> importSlots;    // addresses of the import table's slots
  std::vector<uint32_t> dataAddresses;  // addresses of strings and globals
  uint32_t repetition = 45;             // percent of sequences that repeat an earlier one
};

struct EmittedCode {
  std::vector<uint32_t> functions;    // addresses where functions start
  std::vector<uint32_t> relocations;  // offsets (from the code's start) of absolute addresses
};

// Appends `size` bytes of code.
EmittedCode EmitCode(Random& random, Bytes& out, std::size_t size, const CodeContext& context);

}  // namespace tarn::payload

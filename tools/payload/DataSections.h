// The data of stand-in programs: import tables, strings, constant tables, resources and
// relocations, each written to an exact size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/payload/Bytes.h"
#include "tools/payload/Random.h"

namespace tarn::payload {

// Import directory, name table and address table; returns the addresses of the slots that
// calls go through (image base + rva of each slot). Writes at most `size` bytes.
std::vector<uint32_t> EmitImports(Random& random, Bytes& out, std::size_t size, uint32_t imageBase,
                                  uint32_t rva);
// Messages, paths, format strings and names, NUL-terminated and 4-aligned; returns the
// addresses where strings start.
std::vector<uint32_t> EmitStrings(Random& random, Bytes& out, std::size_t size, uint32_t address);
// Decoder tables: cosine and quantiser tables, code-length tables, clamping ramps.
void EmitTables(Random& random, Bytes& out, std::size_t size);
// Initialised globals: mostly zero, with counters, flags and pointers.
void EmitGlobals(Random& random, Bytes& out, std::size_t size, uint32_t imageBase);
// Resources: version block, dialog templates, string tables (UTF-16), toolbar and icon
// pictures (uncompressed pixels), a manifest.
void EmitResources(Random& random, Bytes& out, std::size_t size, const std::string& name);
// Base relocations of the absolute addresses at these offsets of the code at `codeRva`, in
// blocks per 4 KB page; the rest of the section is zero, as linkers pad it.
void EmitRelocations(Bytes& out, std::size_t size, uint32_t codeRva,
                     const std::vector<uint32_t>& offsets);

}  // namespace tarn::payload

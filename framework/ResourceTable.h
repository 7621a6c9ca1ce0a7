// The table of the program's own resources that the build step (tools/tarn-rc, through
// tarn_resources in CMake) generates and links into an executable. Each generated table
// registers itself before main runs; lookups (Resources.h) search every registered table.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn {

// One resource. A type or name given by number has a null text.
struct TResourceEntry {
  uint32_t TypeNumber;
  const char* TypeName;
  uint32_t NameNumber;
  const char* Name;
  const unsigned char* Data;
  std::size_t Size;
};

void RegisterResourceTable(const TResourceEntry* entries, std::size_t count);
void UnregisterResourceTable(const TResourceEntry* entries);

// Registers a table for the lifetime of the object (a generated table holds a static one).
class TResourceTableRegistration {
 public:
  TResourceTableRegistration(const TResourceEntry* entries, std::size_t count) : entries_(entries) {
    RegisterResourceTable(entries, count);
  }
  ~TResourceTableRegistration() { UnregisterResourceTable(entries_); }
  TResourceTableRegistration(const TResourceTableRegistration&) = delete;
  TResourceTableRegistration& operator=(const TResourceTableRegistration&) = delete;

 private:
  const TResourceEntry* entries_;
};

}  // namespace tarn

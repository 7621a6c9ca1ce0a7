// Feeds arbitrary text to the reader of Wine's registry files. Whatever it accepts must write
// back to a text that reads to the same thing again (nothing lost on a second save), and every
// value it understood must survive being written and read.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/posix/RegistryHive.h"

namespace {

void CheckValues(const tarn::TRegNode& node) {
  for (const auto& entry : node.entries) {
    if (entry.kind != tarn::TRegEntry::Kind::Value) continue;
    std::string line = tarn::regtext::FormatValue(entry.value);
    for (std::size_t at; (at = line.find("\\\n  ")) != std::string::npos;)
      line.erase(at, 4);
    const auto again = tarn::regtext::ParseValue(line);
    if (!again || again->Name != entry.value.Name || again->Type != entry.value.Type ||
        again->Data != entry.value.Data) {
      std::abort();
    }
  }
  for (const auto& child : node.children)
    CheckValues(*child);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tarn::TRegistryHive hive;
  if (!hive.Parse(text)) return 0;
  const std::string once = hive.Serialise();
  tarn::TRegistryHive again;
  if (!again.Parse(once) || again.Serialise() != once) std::abort();
  CheckValues(hive.Root());
  return 0;
}

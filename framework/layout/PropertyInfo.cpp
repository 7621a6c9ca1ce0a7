#include "framework/layout/PropertyInfo.h"

#include "base/StringUtils.h"

namespace tarn {

std::optional<int> TEnumInfo::Find(std::string_view name) const {
  for (std::size_t i = 0; i < Names.size(); ++i) {
    if (SameText(Names[i], name)) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<uint64_t> TSetInfo::Find(std::string_view name) const {
  for (const auto& [flag, bits] : Flags) {
    if (SameText(flag, name)) return bits;
  }
  return std::nullopt;
}

bool TPropertyInfo::ShouldStore(TObject& object) const {
  if (Stored && !Stored(object)) return false;
  if (AlwaysStored) return true;
  if (!Get) return false;
  if (!StreamDefault) return true;
  return Get(object) != *StreamDefault;
}

}  // namespace tarn

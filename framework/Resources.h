// The program's own resources: lookups by type and name (or number), compared without letter
// case, over the tables the build step links in. A missing resource raises EResNotFound, the
// framework's resource error; string-table entries that do not exist read as empty text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/Exception.h"
#include "framework/ResourceId.h"
#include "framework/ResourceTable.h"

namespace tarn {

class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

// The resource, or none.
const TResourceEntry* FindResource(const TResourceId& type, const TResourceId& name);
// The resource's bytes; raises EResNotFound when there is no such resource.
std::span<const uint8_t> LoadResource(const TResourceId& type, const TResourceId& name);
// Entry `id` of the string table (code page 936), or empty text when it has none.
std::string LoadStr(uint32_t id);

}  // namespace tarn

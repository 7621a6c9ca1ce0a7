// Writing one of the program's own resources out to a file.
#pragma once

#include <string>

#include "framework/ResourceId.h"

namespace tarn {

// Writes the resource of that type and name to the file (created or replaced); true when it
// was written whole. Any failure (no such resource, a file that cannot be written) gives false
// and nothing is reported; a file left half-written by a failure is removed.
bool SaveResourceToFile(const TResourceId& type, const TResourceId& name, const std::string& file);

}  // namespace tarn

#include "app/syshelpers/ui/ResourceFiles.h"

#include <cstdio>
#include <memory>

#include "base/Exception.h"
#include "base/FileStream.h"
#include "framework/ResourceStream.h"

namespace tarn {

bool SaveResourceToFile(const TResourceId& type, const TResourceId& name, const std::string& file) {
  std::unique_ptr<TResourceStream> resource;
  try {
    resource = std::make_unique<TResourceStream>(name, type);
  } catch (const Exception&) {
    return false;  // no such resource: the file is not touched
  }
  try {
    TFileStream out(file, FileMode::Create, FileShare::Exclusive);
    try {
      const auto bytes = resource->Bytes();
      out.WriteBuffer(bytes.data(), bytes.size());
      return true;
    } catch (const Exception&) {
      // A half-written copy would pass for the real thing later: it goes.
      std::remove(HostPath(file).c_str());
      return false;
    }
  } catch (const Exception&) {
    return false;
  }
}

}  // namespace tarn

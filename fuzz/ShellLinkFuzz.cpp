// Feeds arbitrary bytes to the shell link reader: it must refuse or read without going past the
// bytes, and a link it read must come back the same after being written anew.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/shelllink/ShellLinkReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto link =
      tarn::ReadShellLink(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!link) return 0;
  tarn::TShellLinkData written = link->Data;
  const auto once = tarn::ReadShellLink(tarn::BuildShellLink(written, link->Target));
  if (!once) std::abort();
  const auto twice = tarn::ReadShellLink(tarn::BuildShellLink(once->Data, once->Target));
  if (!twice || twice->Data.Target != once->Data.Target ||
      twice->Data.Arguments != once->Data.Arguments ||
      twice->Data.WorkingDir != once->Data.WorkingDir ||
      twice->Data.Description != once->Data.Description) {
    std::abort();
  }
  return 0;
}

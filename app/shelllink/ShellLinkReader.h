// Reads what a shell link says: target, arguments, working folder, description. Used by the
// tests and tarn-prefix; it takes any bytes and never reads past them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/shelllink/ShellLink.h"

namespace tarn {

struct TShellLinkRead {
  TShellLinkData Data;
  uint32_t Flags = 0;
  TLinkTargetInfo Target;
  std::string RelativePath;
};

// Nothing, with a reason in error, when the bytes are not a shell link.
std::optional<TShellLinkRead> ReadShellLink(std::string_view bytes, std::string* error = nullptr);

}  // namespace tarn

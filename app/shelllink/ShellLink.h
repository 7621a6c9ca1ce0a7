// Shell links (.lnk files), written the way the system's shell-link object writes a link that
// has a path, arguments, a working folder and a description: header, link info with the local
// base path, Unicode string data, show command normal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/WinTypes.h"

namespace tarn {

// The properties of a link; texts are code page 936.
struct TShellLinkData {
  std::string Target;
  std::string Arguments;
  std::string WorkingDir;
  std::string Description;
  std::string IconLocation;
  uint32_t ShowCommand = 1;
};

// What the link records of its target at the time it is made.
struct TLinkTargetInfo {
  uint32_t Attributes = 0;                                   // 0 when the target does not exist
  uint64_t CreationTime = 0, AccessTime = 0, WriteTime = 0;  // FILETIME
  uint32_t FileSize = 0;
  DriveType Drive = DriveType::Fixed;
  uint32_t SerialNumber = 0;
};

// The bytes of a link file.
std::string BuildShellLink(const TShellLinkData& link, const TLinkTargetInfo& target);

// The target's attributes, times and size from the host (through HostPath), and its drive
// type from the platform when one is set up.
TLinkTargetInfo InspectLinkTarget(const std::string& target);

// Creates or replaces linkFile with a link to target: the arguments, the target's folder as the
// working folder, the description. Raises tarn::Exception "快捷方式的扩展名必须是.lnk !" when
// the name does not end in ".lnk" (any case). A file that cannot be written is not reported
// as an error; the result tells whether it was written.
bool CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& linkFile, const std::string& description);

}  // namespace tarn

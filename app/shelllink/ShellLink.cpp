#include "app/shelllink/ShellLink.h"

#include <sys/stat.h>

#include "app/shelllink/ShellLinkFormat.h"
#include "base/Cp936.h"
#include "base/Exception.h"
#include "base/FileStream.h"
#include "base/StringUtils.h"
#include "platform/Platform.h"

namespace tarn {
namespace {

void Put16(std::string& out, uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void Put64(std::string& out, uint64_t value) {
  Put32(out, static_cast<uint32_t>(value));
  Put32(out, static_cast<uint32_t>(value >> 32));
}

// A counted UTF-16 string of the string data.
void PutString(std::string& out, std::string_view text) {
  const std::u32string chars = Cp936ToUtf32(text, Conversion::Replace);
  std::u16string units;
  for (char32_t c : chars) {
    if (c >= 0x10000) {
      units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(c));
    }
  }
  if (units.size() > 0xFFFF) units.resize(0xFFFF);
  Put16(out, static_cast<uint32_t>(units.size()));
  for (char16_t unit : units)
    Put16(out, unit);
}

uint64_t FileTime(const struct timespec& time) {
  return (static_cast<uint64_t>(time.tv_sec) + lnk::kFileTimeEpochSeconds) * 10000000ull +
         static_cast<uint64_t>(time.tv_nsec) / 100;
}

}  // namespace

std::string BuildShellLink(const TShellLinkData& link, const TLinkTargetInfo& target) {
  uint32_t flags = lnk::kIsUnicode;
  if (!link.Target.empty()) flags |= lnk::kHasLinkInfo;
  if (!link.Description.empty()) flags |= lnk::kHasName;
  if (!link.WorkingDir.empty()) flags |= lnk::kHasWorkingDir;
  if (!link.Arguments.empty()) flags |= lnk::kHasArguments;
  if (!link.IconLocation.empty()) flags |= lnk::kHasIconLocation;

  std::string out;
  Put32(out, lnk::kHeaderSize);
  out.append(reinterpret_cast<const char*>(lnk::kLinkClsid), sizeof lnk::kLinkClsid);
  Put32(out, flags);
  Put32(out, target.Attributes);
  Put64(out, target.CreationTime);
  Put64(out, target.AccessTime);
  Put64(out, target.WriteTime);
  Put32(out, target.FileSize);
  Put32(out, 0);  // icon index
  Put32(out, link.ShowCommand);
  Put16(out, 0);  // no hot key
  out.append(10, '\0');

  if (flags & lnk::kHasLinkInfo) {
    // The local base path is in the system's ANSI code page, which is the program's own.
    const std::string& path = link.Target;
    const uint32_t volumeOffset = lnk::kLinkInfoHeaderSize;
    const uint32_t pathOffset = volumeOffset + lnk::kVolumeIdSize;
    const uint32_t suffixOffset = pathOffset + static_cast<uint32_t>(path.size()) + 1;
    const uint32_t size = suffixOffset + 1;
    Put32(out, size);
    Put32(out, lnk::kLinkInfoHeaderSize);
    Put32(out, lnk::kVolumeIdAndLocalBasePath);
    Put32(out, volumeOffset);
    Put32(out, pathOffset);
    Put32(out, 0);  // no network location
    Put32(out, suffixOffset);
    Put32(out, lnk::kVolumeIdSize);
    Put32(out, static_cast<uint32_t>(target.Drive));
    Put32(out, target.SerialNumber);
    Put32(out, lnk::kVolumeLabelOffset);
    out.push_back('\0');  // empty volume label
    out += path;
    out.push_back('\0');
    out.push_back('\0');  // empty common path suffix
  }
  if (flags & lnk::kHasName) PutString(out, link.Description);
  if (flags & lnk::kHasWorkingDir) PutString(out, link.WorkingDir);
  if (flags & lnk::kHasArguments) PutString(out, link.Arguments);
  if (flags & lnk::kHasIconLocation) PutString(out, link.IconLocation);
  Put32(out, 0);  // terminal block
  return out;
}

TLinkTargetInfo InspectLinkTarget(const std::string& target) {
  TLinkTargetInfo info;
  struct stat st {};
  const std::string host = HostPath(target);
  if (!host.empty() && ::stat(host.c_str(), &st) == 0) {
    info.Attributes = S_ISDIR(st.st_mode) ? lnk::kAttributeDirectory : lnk::kAttributeArchive;
    info.CreationTime = FileTime(st.st_ctim);
    info.AccessTime = FileTime(st.st_atim);
    info.WriteTime = FileTime(st.st_mtim);
    info.FileSize = S_ISDIR(st.st_mode) ? 0 : static_cast<uint32_t>(st.st_size);
  }
  if (HasPlatform() && target.size() >= 2 && target[1] == ':') {
    const DriveType type = Platform().GetDriveType(target.substr(0, 2) + "\\");
    if (type != DriveType::NoRootDir) info.Drive = type;
  }
  return info;
}

bool CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& linkFile, const std::string& description) {
  if (UpperCase(ExtractFileExt(linkFile)) != ".LNK") {
    throw Exception(Utf8ToCp936("快捷方式的扩展名必须是.lnk !"));
  }
  TShellLinkData link;
  link.Target = target;
  link.Arguments = arguments;
  link.WorkingDir = ExtractFilePath(target);
  link.Description = description;
  const std::string bytes = BuildShellLink(link, InspectLinkTarget(target));
  try {
    TFileStream file(linkFile, FileMode::Create, FileShare::Exclusive);
    file.WriteBuffer(bytes.data(), bytes.size());
    return true;
  } catch (const Exception&) {
    return false;  // a link that cannot be saved is skipped without a message
  }
}

}  // namespace tarn

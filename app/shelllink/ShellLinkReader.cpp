#include "app/shelllink/ShellLinkReader.h"

#include <cstring>

#include "app/shelllink/ShellLinkFormat.h"
#include "base/Cp936.h"

namespace tarn {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool Has(std::size_t at, std::size_t count) const {
    return at <= bytes_.size() && count <= bytes_.size() - at;
  }
  uint32_t U16(std::size_t at) const {
    return static_cast<uint8_t>(bytes_[at]) | static_cast<uint8_t>(bytes_[at + 1]) << 8;
  }
  uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }
  uint64_t U64(std::size_t at) const { return U32(at) | uint64_t{U32(at + 4)} << 32; }
  // A zero-terminated 8-bit string that starts at and ends before limit; nothing if unterminated.
  std::optional<std::string> Ansi(std::size_t at, std::size_t limit) const {
    if (at >= limit || limit > bytes_.size()) return std::nullopt;
    const std::size_t end = bytes_.find('\0', at);
    if (end == std::string_view::npos || end >= limit) return std::nullopt;
    return std::string(bytes_.substr(at, end - at));
  }
  std::optional<std::u16string> Wide(std::size_t at, std::size_t limit) const {
    std::u16string text;
    for (std::size_t i = at; i + 1 < limit && i + 1 < bytes_.size(); i += 2) {
      const auto unit = static_cast<char16_t>(U16(i));
      if (unit == 0) return text;
      text.push_back(unit);
    }
    return std::nullopt;
  }
  std::string_view Bytes(std::size_t at, std::size_t count) const {
    return bytes_.substr(at, count);
  }

 private:
  std::string_view bytes_;
};

std::string Utf16ToProgram(std::u16string_view units) {
  std::u32string chars;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000) {
      chars.push_back(0x10000 + ((char32_t(c) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else {
      chars.push_back(c);
    }
  }
  return Utf32ToCp936(chars, Conversion::Replace);
}

std::nullopt_t Fail(std::string* error, const char* reason) {
  if (error) *error = reason;
  return std::nullopt;
}

}  // namespace

std::optional<TShellLinkRead> ReadShellLink(std::string_view bytes, std::string* error) {
  const Reader r(bytes);
  TShellLinkRead link;
  if (!r.Has(0, lnk::kHeaderSize) || r.U32(0) != lnk::kHeaderSize ||
      std::memcmp(bytes.data() + 4, lnk::kLinkClsid, sizeof lnk::kLinkClsid) != 0) {
    return Fail(error, "not a shell link (header)");
  }
  link.Flags = r.U32(0x14);
  link.Target.Attributes = r.U32(0x18);
  link.Target.CreationTime = r.U64(0x1C);
  link.Target.AccessTime = r.U64(0x24);
  link.Target.WriteTime = r.U64(0x2C);
  link.Target.FileSize = r.U32(0x34);
  link.Data.ShowCommand = r.U32(0x3C);
  std::size_t at = lnk::kHeaderSize;

  if (link.Flags & lnk::kHasLinkTargetIdList) {
    if (!r.Has(at, 2)) return Fail(error, "ID list cut short");
    at += 2 + r.U16(at);
  }
  if (link.Flags & lnk::kHasLinkInfo) {
    if (!r.Has(at, lnk::kLinkInfoHeaderSize)) return Fail(error, "link info cut short");
    const std::size_t size = r.U32(at);
    const std::size_t headerSize = r.U32(at + 4);
    if (size < lnk::kLinkInfoHeaderSize || !r.Has(at, size) ||
        headerSize < lnk::kLinkInfoHeaderSize || headerSize > size) {
      return Fail(error, "link info has a bad size");
    }
    const std::size_t end = at + size;
    if (r.U32(at + 8) & lnk::kVolumeIdAndLocalBasePath) {
      const std::size_t volume = at + r.U32(at + 0x0C);
      if (r.Has(volume, 16) && volume + 16 <= end) {
        link.Target.Drive = static_cast<DriveType>(r.U32(volume + 4));
        link.Target.SerialNumber = r.U32(volume + 8);
      }
      std::optional<std::string> base;
      if (headerSize >= lnk::kLinkInfoHeaderSizeUnicode) {
        if (const auto wide = r.Wide(at + r.U32(at + 0x1C), end)) base = Utf16ToProgram(*wide);
      }
      if (!base) base = r.Ansi(at + r.U32(at + 0x10), end);
      if (!base) return Fail(error, "local base path is not terminated");
      std::optional<std::string> suffix = r.Ansi(at + r.U32(at + 0x18), end);
      link.Data.Target = *base + suffix.value_or(std::string());
    }
    at = end;
  }
  const std::pair<uint32_t, std::string*> strings[] = {
      {lnk::kHasName, &link.Data.Description},          {lnk::kHasRelativePath, &link.RelativePath},
      {lnk::kHasWorkingDir, &link.Data.WorkingDir},     {lnk::kHasArguments, &link.Data.Arguments},
      {lnk::kHasIconLocation, &link.Data.IconLocation},
  };
  const bool unicode = link.Flags & lnk::kIsUnicode;
  for (const auto& [flag, target] : strings) {
    if (!(link.Flags & flag)) continue;
    if (!r.Has(at, 2)) return Fail(error, "string data cut short");
    const std::size_t count = r.U16(at);
    const std::size_t length = unicode ? count * 2 : count;
    at += 2;
    if (!r.Has(at, length)) return Fail(error, "string data cut short");
    if (unicode) {
      std::u16string units;
      for (std::size_t i = 0; i < count; ++i)
        units.push_back(static_cast<char16_t>(r.U16(at + 2 * i)));
      *target = Utf16ToProgram(units);
    } else {
      *target = std::string(r.Bytes(at, length));
    }
    at += length;
  }
  return link;
}

}  // namespace tarn

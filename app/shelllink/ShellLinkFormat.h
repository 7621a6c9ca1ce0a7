// Constants of the Shell Link (.lnk) binary format, next to the code that reads and writes it.
#pragma once

#include <cstdint>

namespace tarn::lnk {

inline constexpr uint32_t kHeaderSize = 0x4C;
// {00021401-0000-0000-C000-000000000046} as stored.
inline constexpr uint8_t kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                           0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Link flags.
inline constexpr uint32_t kHasLinkTargetIdList = 0x1;
inline constexpr uint32_t kHasLinkInfo = 0x2;
inline constexpr uint32_t kHasName = 0x4;
inline constexpr uint32_t kHasRelativePath = 0x8;
inline constexpr uint32_t kHasWorkingDir = 0x10;
inline constexpr uint32_t kHasArguments = 0x20;
inline constexpr uint32_t kHasIconLocation = 0x40;
inline constexpr uint32_t kIsUnicode = 0x80;

// File attributes of the target.
inline constexpr uint32_t kAttributeDirectory = 0x10;
inline constexpr uint32_t kAttributeArchive = 0x20;

inline constexpr uint32_t kShowNormal = 1;

// Link info.
inline constexpr uint32_t kLinkInfoHeaderSize = 0x1C;
inline constexpr uint32_t kLinkInfoHeaderSizeUnicode = 0x24;
inline constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
inline constexpr uint32_t kVolumeIdSize = 0x11;  // with an empty label
inline constexpr uint32_t kVolumeLabelOffset = 0x10;

// Seconds from 1601 to 1970, for FILETIME values.
inline constexpr uint64_t kFileTimeEpochSeconds = 11644473600ull;

}  // namespace tarn::lnk

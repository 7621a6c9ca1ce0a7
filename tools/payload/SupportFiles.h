// The stand-in files that are not programs: the file-type icons the associations point to, and
// the player's default skin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarn::payload {

// A Windows icon (16, 24, 32, 48 and 64 pixels, 32 bits with alpha): a rounded tile in the
// type's colour with a white play mark. Every icon is kIconSize bytes.
constexpr std::size_t kIconSize = 34494;
std::vector<uint8_t> IconFile(const std::string& name);

// The skin: a small header, the skin's description in XML, then its pictures, stored packed
// (so the file hardly packs further, as real skins do), cut to exactly `size` bytes.
std::vector<uint8_t> SkinFile(std::size_t size);

}  // namespace tarn::payload

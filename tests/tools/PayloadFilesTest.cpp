// The install package's stand-in files: each must have its listed size (the package's total
// and the copy's timing rest on them), be the same on every run, and be built as what it stands
// for — a program whose headers, sections and relocations agree with each other, an icon whose
// directory matches its images — so that it packs as such files do.
#include <gtest/gtest.h>
#include <zlib.h>

#include <set>
#include <string>

#include "tools/payload/PayloadFiles.h"
#include "tools/payload/SupportFiles.h"

namespace tarn::payload {
namespace {

uint32_t U16(const std::vector<uint8_t>& b, std::size_t at) {
  return b.at(at) | b.at(at + 1) << 8;
}
uint32_t U32(const std::vector<uint8_t>& b, std::size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

const PayloadFile& Find(const std::string& name) {
  for (const PayloadFile& f : PayloadFiles())
    if (name == f.name) return f;
  throw std::logic_error("no file " + name);
}

double PackedShare(const std::vector<uint8_t>& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> packed(size);
  compress2(packed.data(), &size, data.data(), static_cast<uLong>(data.size()), 9);
  return static_cast<double>(size) / static_cast<double>(data.size());
}

TEST(PayloadFilesTest, FiftyNineUniqueNamesAddUpToThePackagesSize) {
  std::set<std::string> names;
  std::size_t total = 0;
  for (const PayloadFile& f : PayloadFiles()) {
    names.insert(f.name);
    total += f.size;
  }
  EXPECT_EQ(names.size(), 59u);
  EXPECT_EQ(PayloadFiles().size(), 59u);
  EXPECT_EQ(total, kPayloadBytes);
  EXPECT_EQ(Find("TarnCore.exe").size, 17773936u);
}

// Programs of every kind, one with bytes past its last section.
const char* const kPrograms[] = {"TarnUP.exe", "UnInstall.exe", "rv40.dll", "pncrt.dll",
                                 "hxltcolor.dll"};

TEST(PayloadFilesTest, ProgramsAreConsistentImagesOfTheirSize) {
  for (const char* name : kPrograms) {
    SCOPED_TRACE(name);
    const PayloadFile& file = Find(name);
    const std::vector<uint8_t> b = MakeFile(file);
    ASSERT_EQ(b.size(), file.size);
    ASSERT_EQ(U16(b, 0), 0x5A4Du);  // MZ
    const uint32_t pe = U32(b, 0x3C);
    ASSERT_EQ(U32(b, pe), 0x4550u);  // PE\0\0
    EXPECT_EQ(U16(b, pe + 4), 0x14Cu);
    const bool dll = std::string(name).ends_with(".exe") == false;
    EXPECT_EQ((U16(b, pe + 22) & 0x2000) != 0, dll);
    const uint32_t sections = U16(b, pe + 6), optional = pe + 24;
    const uint32_t image_base = U32(b, optional + 28), image_size = U32(b, optional + 56);
    // Sections lie back to back from the end of the headers, each a whole number of 512-byte
    // blocks; what follows the last (an overlay) is less than one block.
    uint32_t next = U32(b, optional + 60);
    uint32_t text_at = 0, text_size = 0, text_rva = 0, reloc_at = 0, reloc_size = 0;
    for (uint32_t s = 0; s < sections; ++s) {
      const uint32_t h = optional + 0xE0 + 40 * s;
      const std::string section(reinterpret_cast<const char*>(&b[h]));
      const uint32_t rva = U32(b, h + 12), raw = U32(b, h + 16), at = U32(b, h + 20);
      EXPECT_EQ(at, next) << section;
      EXPECT_EQ(raw % 512, 0u) << section;
      EXPECT_LE(rva + raw, image_size) << section;
      next = at + raw;
      if (section == ".text") text_at = at, text_size = raw, text_rva = rva;
      if (section == ".reloc") reloc_at = at, reloc_size = raw;
    }
    EXPECT_LT(b.size() - next, 512u);
    ASSERT_GT(text_size, 0u);
    ASSERT_GT(reloc_size, 0u);
    // Every relocation marks an absolute address in the code, and that address lies in the
    // image: the code and its relocations were made together.
    int checked = 0;
    for (uint32_t block = reloc_at; block + 8 <= reloc_at + reloc_size && U32(b, block) != 0;) {
      const uint32_t page = U32(b, block), length = U32(b, block + 4);
      ASSERT_GE(length, 8u);
      for (uint32_t e = block + 8; e < block + length; e += 2) {
        const uint32_t entry = U16(b, e);
        if (entry == 0) continue;  // padding
        ASSERT_EQ(entry >> 12, 3u);
        const uint32_t offset = page + (entry & 0xFFF) - text_rva;
        ASSERT_LE(offset + 4, text_size);
        const uint32_t address = U32(b, text_at + offset);
        EXPECT_GE(address, image_base);
        EXPECT_LT(address, image_base + image_size);
        ++checked;
      }
      block += length;
    }
    EXPECT_GT(checked, static_cast<int>(text_size / 200));
    // Packed at zlib's best level, programs keep between a third and two thirds of their bytes.
    const double share = PackedShare(b);
    EXPECT_GT(share, 0.33);
    EXPECT_LT(share, 0.66);
  }
}

TEST(PayloadFilesTest, FilesAreTheSameOnEveryRunAndDifferFromEachOther) {
  EXPECT_EQ(MakeFile(Find("rv10.dll")), MakeFile(Find("rv10.dll")));
  EXPECT_EQ(MakeFile(Find("avi.ico")), MakeFile(Find("avi.ico")));
  EXPECT_NE(MakeFile(Find("rv10.dll")), MakeFile(Find("rv20.dll")));
  EXPECT_NE(MakeFile(Find("avi.ico")), MakeFile(Find("mkv.ico")));
}

TEST(PayloadFilesTest, IconsAreWindowsIconsWithTransparentCorners) {
  const std::vector<uint8_t> b = MakeFile(Find("dvd.ico"));
  ASSERT_EQ(b.size(), kIconSize);
  EXPECT_EQ(U16(b, 0), 0u);
  EXPECT_EQ(U16(b, 2), 1u);
  const uint32_t count = U16(b, 4);
  ASSERT_EQ(count, 5u);
  uint32_t expected_at = 6 + 16 * count;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t entry = 6 + 16 * i;
    const uint32_t s = b[entry], bytes = U32(b, entry + 8), at = U32(b, entry + 12);
    EXPECT_EQ(at, expected_at);
    expected_at = at + bytes;
    EXPECT_EQ(U32(b, at), 40u);
    EXPECT_EQ(U32(b, at + 4), s);
    EXPECT_EQ(U32(b, at + 8), 2 * s);
    EXPECT_EQ(U16(b, at + 14), 32u);
    // Pixels run bottom row first: the bottom-left corner is clear, the middle solid.
    const uint32_t pixels = at + 40;
    EXPECT_EQ(b[pixels + 3], 0u) << s;
    EXPECT_EQ(b[pixels + 4 * (s / 2 * s + s / 2) + 3], 255u) << s;
    // The mask marks the clear corner.
    const uint32_t mask = pixels + 4 * s * s;
    EXPECT_EQ(b[mask] & 0x80, 0x80) << s;
  }
  EXPECT_EQ(expected_at, kIconSize);
}

TEST(PayloadFilesTest, TheSkinIsItsDescriptionAndPackedPictures) {
  const PayloadFile& skin = Find("default.skn");
  const std::vector<uint8_t> b = MakeFile(skin);
  ASSERT_EQ(b.size(), skin.size);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "TSKN");
  const std::string text(b.begin(), b.end());
  EXPECT_NE(text.find("</skin>"), std::string::npos);
  // Its pictures are packed already, so it hardly packs further.
  EXPECT_GT(PackedShare(b), 0.85);
}

}  // namespace
}  // namespace tarn::payload

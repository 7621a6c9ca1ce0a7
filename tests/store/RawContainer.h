// An independent reader of the container byte layout for tests: it decodes the head, walks the
// live chain by hand and inflates each block with zlib's one-shot uncompress, sharing no code
// with the store. It also reads and patches raw fields so tests can damage files on purpose.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarn::testing {

using Bytes = std::vector<uint8_t>;

inline Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// Little-endian integer of width bytes; 4-byte fields are signed, as the format's offsets are.
inline int64_t GetLE(const Bytes& b, std::size_t at, int width) {
  uint64_t v = 0;
  for (int i = 0; i < width; ++i)
    v |= uint64_t{b.at(at + static_cast<std::size_t>(i))} << 8 * i;
  if (width == 4) return static_cast<int32_t>(static_cast<uint32_t>(v));
  return static_cast<int64_t>(v);
}

inline void PutLE(Bytes& b, std::size_t at, int width, int64_t value) {
  auto v = static_cast<uint64_t>(value);
  for (int i = 0; i < width; ++i, v >>= 8)
    b.at(at + static_cast<std::size_t>(i)) = static_cast<uint8_t>(v);
}

// Field offsets, straight from the layout table.
namespace raw {
inline constexpr std::size_t kVersion = 8, kMark = 9;
inline constexpr std::size_t kMaxID = 20, kDataCount = 24, kFirstIdx = 26, kDelCount = 30,
                             kFirstDelIdx = 32, kLastIdx = 36, kLastDelIdx = 40;
// Within a record.
inline constexpr std::size_t kID = 0, kPrev = 4, kInUse = 8, kSelf = 9, kInfo = 13, kSize = 17,
                             kNext = 21;
// Within a data info (at record + 25).
inline constexpr std::size_t kKind = 0, kTag = 1, kName = 5, kNote = 66;
}  // namespace raw

struct RawEntry {
  int64_t offset = 0;
  int64_t id = 0, prev = 0, inUse = 0, selfPos = 0, infoPos = 0, dataSize = 0, next = 0;
  int kind = 0;
  int64_t tag = 0;
  std::string name, note;
  Bytes content;
};

struct RawContainer {
  double createTime = 0;
  int version = 0;
  std::string mark;
  int64_t maxId = 0, dataCount = 0, firstIdx = 0, delCount = 0, firstDelIdx = 0, lastIdx = 0,
          lastDelIdx = 0;
  std::vector<RawEntry> live;     // in chain order
  std::vector<RawEntry> deleted;  // in deleted-chain order, contents not inflated
};

inline std::string ShortString(const Bytes& b, std::size_t at, std::size_t capacity) {
  const std::size_t n = b.at(at);
  if (n > capacity) throw std::runtime_error("short string too long");
  return std::string(reinterpret_cast<const char*>(&b.at(at + 1)), n);
}

inline RawEntry ParseEntry(const Bytes& b, int64_t pos, bool inflate) {
  if (pos < 44 || static_cast<std::size_t>(pos) + 112 > b.size())
    throw std::runtime_error("bad offset");
  const auto p = static_cast<std::size_t>(pos);
  RawEntry e;
  e.offset = pos;
  e.id = GetLE(b, p + raw::kID, 4);
  e.prev = GetLE(b, p + raw::kPrev, 4);
  e.inUse = b.at(p + raw::kInUse);
  e.selfPos = GetLE(b, p + raw::kSelf, 4);
  e.infoPos = GetLE(b, p + raw::kInfo, 4);
  e.dataSize = GetLE(b, p + raw::kSize, 4);
  e.next = GetLE(b, p + raw::kNext, 4);
  const std::size_t info = p + 25;
  e.kind = b.at(info + raw::kKind);
  e.tag = GetLE(b, info + raw::kTag, 4);
  e.name = ShortString(b, info + raw::kName, 60);
  e.note = ShortString(b, info + raw::kNote, 20);
  if (inflate && e.dataSize > 0) {
    const std::size_t block = p + 112;
    if (block + static_cast<std::size_t>(e.dataSize) > b.size())
      throw std::runtime_error("block past end");
    uLongf length = static_cast<uLongf>(GetLE(b, block, 8));
    e.content.resize(length);
    if (uncompress(e.content.data(), &length, &b.at(block + 8),
                   static_cast<uLong>(e.dataSize - 8)) != Z_OK ||
        length != e.content.size()) {
      throw std::runtime_error("block does not inflate");
    }
  }
  return e;
}

inline RawContainer ParseContainer(const Bytes& b) {
  if (b.size() < 44) throw std::runtime_error("short head");
  RawContainer c;
  std::memcpy(&c.createTime, b.data(), 8);
  c.version = b[raw::kVersion];
  c.mark = ShortString(b, raw::kMark, 10);
  c.maxId = GetLE(b, raw::kMaxID, 4);
  c.dataCount = GetLE(b, raw::kDataCount, 2);
  c.firstIdx = GetLE(b, raw::kFirstIdx, 4);
  c.delCount = GetLE(b, raw::kDelCount, 2);
  c.firstDelIdx = GetLE(b, raw::kFirstDelIdx, 4);
  c.lastIdx = GetLE(b, raw::kLastIdx, 4);
  c.lastDelIdx = GetLE(b, raw::kLastDelIdx, 4);
  for (int64_t pos = c.firstIdx; pos != 0;) {
    c.live.push_back(ParseEntry(b, pos, true));
    if (c.live.size() > b.size() / 112) throw std::runtime_error("chain loops");
    pos = c.live.back().next;
  }
  for (int64_t pos = c.firstDelIdx; pos != 0;) {
    c.deleted.push_back(ParseEntry(b, pos, false));
    if (c.deleted.size() > b.size() / 112) throw std::runtime_error("deleted chain loops");
    pos = c.deleted.back().next;
  }
  return c;
}

inline Bytes ToBytes(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

}  // namespace tarn::testing

// The byte layout of a package container, in one place: a 20-byte file head, a 24-byte index
// head, then entries of an index record (25 bytes), a data info (87 bytes) and a packed block.
// All integers are little-endian and nothing is padded; the structures below are the decoded
// form and Encode/Decode are the only code that knows where each field lies.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarn {

inline constexpr std::size_t kFileHeadSize = 20;
inline constexpr std::size_t kIndexHeadSize = 24;
inline constexpr int32_t kIndexHeadPos = 20;
inline constexpr int32_t kFirstEntryPos = 44;  // the head's size: where entries begin
inline constexpr std::size_t kIndexRecSize = 25;
inline constexpr std::size_t kDataInfoSize = 87;
inline constexpr int32_t kEntryHeadSize = 112;      // record and data info: the block follows
inline constexpr std::size_t kBlockLengthSize = 8;  // the unpacked length before the zlib stream

inline constexpr std::size_t kMarkCapacity = 10;
inline constexpr std::size_t kNameCapacity = 60;
inline constexpr std::size_t kNoteCapacity = 20;

// The 16-bit counters of the index head bound live entries and deletions alike.
inline constexpr uint32_t kMaxEntryCount = 0xFFFF;
// Offsets are signed 32-bit: no byte of a container may lie at or beyond 2 GiB.
inline constexpr int64_t kMaxFileSize = INT32_MAX;

// A length byte and N bytes of which the first Length are significant. The bytes beyond may
// hold leftovers of an earlier, longer text; they are kept as read so a rewrite keeps them.
template <std::size_t N>
struct TShortString {
  uint8_t Length = 0;
  std::array<char, N> Chars{};

  // The significant bytes; a length byte beyond the capacity shows the whole capacity (readers
  // that care check Valid() first).
  std::string_view View() const { return {Chars.data(), Length <= N ? Length : N}; }
  std::string Str() const { return std::string(View()); }
  bool Valid() const { return Length <= N; }
  // Stores text cut to its first N bytes; the unused bytes become zero.
  void Assign(std::string_view text) {
    Chars.fill(0);
    Length = static_cast<uint8_t>(text.size() < N ? text.size() : N);
    text.copy(Chars.data(), Length);
  }
};

struct TFileHead {
  double CreateTime = 0;  // days since 1899-12-30, local time
  uint8_t Version = 0;
  TShortString<kMarkCapacity> Mark;
};

struct TIndexHead {
  int32_t MaxID = 0;
  uint16_t DataCount = 0;
  int32_t FirstIdx = 0;
  uint16_t DelCount = 0;
  int32_t FirstDelIdx = 0;
  int32_t LastIdx = 0;
  int32_t LastDelIdx = 0;
};

struct TIndexRec {
  int32_t ID = 0;
  int32_t PrevIdx = 0;
  uint8_t InUse = 0;
  int32_t SelfPos = 0;
  int32_t InfoPos = 0;
  int32_t DataSize = 0;
  int32_t NextIdx = 0;
};

struct TDataInfo {
  uint8_t Kind = 0;
  int32_t Tag = 0;
  TShortString<kNameCapacity> Name;
  TShortString<kNoteCapacity> Note;
};

using FileHeadBytes = std::array<uint8_t, kFileHeadSize>;
using IndexHeadBytes = std::array<uint8_t, kIndexHeadSize>;
using IndexRecBytes = std::array<uint8_t, kIndexRecSize>;
using DataInfoBytes = std::array<uint8_t, kDataInfoSize>;

FileHeadBytes Encode(const TFileHead& head);
IndexHeadBytes Encode(const TIndexHead& head);
IndexRecBytes Encode(const TIndexRec& rec);
DataInfoBytes Encode(const TDataInfo& info);

TFileHead DecodeFileHead(const FileHeadBytes& bytes);
TIndexHead DecodeIndexHead(const IndexHeadBytes& bytes);
TIndexRec DecodeIndexRec(const IndexRecBytes& bytes);
TDataInfo DecodeDataInfo(const DataInfoBytes& bytes);

}  // namespace tarn

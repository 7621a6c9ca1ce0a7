// The data block of an entry: the unpacked length as an 8-byte little-endian integer, then one
// complete zlib stream of the content. Packing and unpacking work in place on a memory stream
// and hold at most the packed and the unpacked bytes at once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Exception.h"
#include "base/MemoryStream.h"

namespace tarn {

// A block whose zlib stream is not valid (bad header, bad data, bad checksum) or holds more
// than its stated length.
class EInflateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

inline constexpr int kBestCompression = 9;

// Replaces non-empty content by its block; empty content stays empty. Position 0 afterwards.
void PackBlock(TMemoryStream& stream, int level);

// Replaces a non-empty block by the content it holds; position 0 afterwards. On any failure the
// stream keeps the block. Raises EContainerDamaged for a length field that cannot be right
// (negative, 2 GiB or more, or more than the zlib stream can possibly yield, checked before
// anything is allocated), EInflateError for a stream that does not inflate and EReadError for
// one that yields fewer bytes than stated.
void UnpackBlock(TMemoryStream& stream);

// The unpacked length stated in a block's first eight bytes (the caller has checked that they
// exist).
int64_t StatedLength(const uint8_t* block);

// The most bytes that packedSize bytes of zlib stream can inflate to. Deflate cannot beat
// 1032:1 (a 258-byte match coded in two bits); the slack covers block headers.
constexpr uint64_t MaxInflatedSize(std::size_t packedSize) {
  return static_cast<uint64_t>(packedSize) * 1032 + 4096;
}

}  // namespace tarn

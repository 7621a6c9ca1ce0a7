#include "store/PackedBlock.h"

#include <zlib.h>

#include <limits>
#include <memory>
#include <new>
#include <string>

#include "base/StringUtils.h"
#include "store/ContainerFormat.h"
#include "store/XPException.h"

namespace tarn {
namespace {

void PutLength(uint8_t* out, uint64_t n) {
  for (std::size_t i = 0; i < kBlockLengthSize; ++i, n >>= 8)
    out[i] = static_cast<uint8_t>(n);
}

// Ends the inflater or deflater on every path out.
struct InflateGuard {
  z_stream* zs;
  ~InflateGuard() { inflateEnd(zs); }
};
struct DeflateGuard {
  z_stream* zs;
  ~DeflateGuard() { deflateEnd(zs); }
};

}  // namespace

int64_t StatedLength(const uint8_t* block) {
  uint64_t n = 0;
  for (std::size_t i = 0; i < kBlockLengthSize; ++i)
    n |= uint64_t{block[i]} << 8 * i;
  return static_cast<int64_t>(n);
}

void PackBlock(TMemoryStream& stream, int level) {
  const std::size_t n = stream.Length();
  if (n == 0) return;
  // Blocks live behind 32-bit offsets, and zlib counts in 32 bits.
  if (n > static_cast<std::size_t>(kMaxFileSize)) {
    throw EWriteError("Content of " + IntToStr(static_cast<int64_t>(n)) +
                      " bytes is too large for a container");
  }
  z_stream zs{};
  if (deflateInit(&zs, level) != Z_OK) throw EWriteError("Cannot start the zlib packer");
  DeflateGuard guard{&zs};
  const uLong bound = deflateBound(&zs, static_cast<uLong>(n));
  auto out = std::unique_ptr<uint8_t[]>(new uint8_t[kBlockLengthSize + bound]);
  PutLength(out.get(), n);
  zs.next_in = stream.Memory();
  zs.avail_in = static_cast<uInt>(n);
  zs.next_out = out.get() + kBlockLengthSize;
  zs.avail_out = static_cast<uInt>(bound);
  if (deflate(&zs, Z_FINISH) != Z_STREAM_END) throw EWriteError("zlib could not pack the content");
  stream.Adopt(std::move(out), kBlockLengthSize + zs.total_out);
}

void UnpackBlock(TMemoryStream& stream) {
  const std::size_t size = stream.Length();
  if (size == 0) return;
  if (size < kBlockLengthSize) {
    throw EContainerDamaged("a packed block of " + IntToStr(static_cast<int64_t>(size)) +
                            " bytes is shorter than its length field");
  }
  const int64_t stated = StatedLength(stream.Memory());
  const std::size_t packed = size - kBlockLengthSize;
  if (stated < 0 || stated > std::numeric_limits<int32_t>::max() ||
      static_cast<uint64_t>(stated) > MaxInflatedSize(packed)) {
    throw EContainerDamaged("a packed block of " + IntToStr(static_cast<int64_t>(size)) +
                            " bytes claims " + IntToStr(stated) + " unpacked bytes");
  }
  const auto n = static_cast<std::size_t>(stated);
  // new[] of zero bytes still gives a distinct pointer, which zlib needs as next_out.
  auto out = std::unique_ptr<uint8_t[]>(new uint8_t[n == 0 ? 1 : n]);

  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) throw EInflateError("Cannot start the zlib unpacker");
  InflateGuard guard{&zs};
  zs.next_in = stream.Memory() + kBlockLengthSize;
  zs.avail_in = static_cast<uInt>(packed);
  zs.next_out = out.get();
  zs.avail_out = static_cast<uInt>(n);
  const int rc = inflate(&zs, Z_FINISH);
  if (rc == Z_STREAM_END && zs.total_out == n) {
    stream.Adopt(std::move(out), n);
    return;
  }
  if (rc == Z_MEM_ERROR) throw std::bad_alloc();
  const std::string what = "a packed block of " + IntToStr(static_cast<int64_t>(size)) + " bytes";
  if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_STREAM_ERROR) {
    throw EInflateError(what + " does not inflate (" + (zs.msg != nullptr ? zs.msg : "bad data") +
                        ")");
  }
  const std::string got = IntToStr(static_cast<int64_t>(zs.total_out));
  if (rc == Z_STREAM_END) {
    throw EReadError(what + " inflates to " + got + " bytes, fewer than its stated " +
                     IntToStr(stated));
  }
  if (zs.avail_in == 0) {
    throw EReadError(what + " is cut short: " + got + " of its stated " + IntToStr(stated) +
                     " bytes inflated before its zlib stream ran out");
  }
  throw EInflateError(what + " holds more than its stated " + IntToStr(stated) + " bytes");
}

}  // namespace tarn

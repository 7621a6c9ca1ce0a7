#include "base/Stream.h"

#include <algorithm>
#include <vector>

#include "base/Exception.h"

namespace tarn {

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count < 0) throw EStreamError("Stream copy of a negative count");
  constexpr int64_t kChunk = 64 * 1024;
  std::vector<char> chunk(static_cast<std::size_t>(std::min(count, kChunk)));
  for (int64_t left = count; left > 0;) {
    const auto n = static_cast<std::size_t>(std::min(left, kChunk));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= static_cast<int64_t>(n);
  }
  return count;
}

}  // namespace tarn

// The nearest-pixel mapping shared by Bitmap32::StretchBlock and the canvas's scaled draws.
#pragma once

#include <vector>

namespace tarn {

// For destination positions start .. start+count-1 of a block at `pos` with signed length `len`
// stretched from a source block at `spos` with signed length `slen`, the source position of
// each, or -1 when it falls outside 0 .. limit-1. Position i of the block (counted from pos in
// the direction of len) takes source position j = floor((2i + 1) |slen| / (2 |len|)) (counted
// from spos in the direction of slen).
inline void StretchMap(int start, int count, int pos, int len, int spos, int slen, int limit,
                       std::vector<int>& out) {
  out.resize(static_cast<std::size_t>(count));
  const long long n = len > 0 ? len : -static_cast<long long>(len);
  const long long sn = slen > 0 ? slen : -static_cast<long long>(slen);
  for (int k = 0; k < count; ++k) {
    const long long d = static_cast<long long>(start) + k;
    const long long i = len > 0 ? d - pos : pos - d;
    const long long j = (2 * i + 1) * sn / (2 * n);
    const long long s = slen > 0 ? spos + j : spos - j;
    out[static_cast<std::size_t>(k)] = s >= 0 && s < limit ? static_cast<int>(s) : -1;
  }
}

}  // namespace tarn

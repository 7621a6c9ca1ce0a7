// The nearest-pixel mapping shared by Bitmap32::StretchBlock and the canvas's scaled draws.
#pragma once

#include <cstdint>
#include <vector>

namespace tarn {

// For destination positions start .. start+count-1 of a block at `pos` with signed length `len`
// stretched from a source block at `spos` with signed length `slen`, the source position of
// each, or -1 when it falls outside 0 .. limit-1. Position i of the block (counted from pos in
// the direction of len) takes source position j = floor((2i + 1) |slen| / (2 |len|)) (counted
// from spos in the direction of slen).
inline void StretchMap(int start, int count, int pos, int len, int spos, int slen, int limit,
                       std::vector<int>& out) {
  out.resize(static_cast<std::size_t>(count > 0 ? count : 0));
  if (count <= 0 || len == 0) return;
  const int64_t den = 2 * (len > 0 ? static_cast<int64_t>(len) : -static_cast<int64_t>(len));
  const int64_t sn = slen > 0 ? static_cast<int64_t>(slen) : -static_cast<int64_t>(slen);
  // i grows from the end of the range nearest pos; the quotient is stepped along it rather
  // than divided out at every position.
  const int64_t first = len > 0
                            ? static_cast<int64_t>(start) - pos
                            : static_cast<int64_t>(pos) - (static_cast<int64_t>(start) + count - 1);
  const int64_t num = (2 * first + 1) * sn;
  int64_t q = num / den, r = num % den;
  const int64_t stepQ = 2 * sn / den, stepR = 2 * sn % den;
  for (int n = 0; n < count; ++n) {
    const int k = len > 0 ? n : count - 1 - n;
    const int64_t s = slen > 0 ? spos + q : spos - q;
    out[static_cast<std::size_t>(k)] = s >= 0 && s < limit ? static_cast<int>(s) : -1;
    q += stepQ;
    r += stepR;
    if (r >= den) {
      r -= den;
      ++q;
    }
  }
}

}  // namespace tarn

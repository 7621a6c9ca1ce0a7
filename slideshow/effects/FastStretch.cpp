#include "slideshow/effects/FastStretch.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tarn {
namespace {

// The source pixels a block with signed sizes covers.
TRect SourceSpan(int sx, int sy, int sw, int sh) {
  const int left = sw > 0 ? sx : sx + sw + 1, top = sh > 0 ? sy : sy + sh + 1;
  return {left, top, left + std::abs(sw), top + std::abs(sh)};
}

// The sampling map of graphics/StretchMap.h, position for position: destination position
// start + k of a block at pos with signed length len takes source position
// spos +- floor((2i + 1) |slen| / (2 |len|)), i counted from pos in the direction of len, or -1
// outside 0 .. limit - 1. The quotient is stepped along i instead of divided out each time.
void NearestMap(int start, int count, int pos, int len, int spos, int slen, int limit,
                std::vector<int>& out) {
  out.resize(static_cast<std::size_t>(count));
  if (count <= 0) return;
  const int64_t den = 2 * std::abs(static_cast<int64_t>(len));
  const int64_t sn = std::abs(static_cast<int64_t>(slen));
  // i runs upward from the destination end nearest pos.
  const int64_t first = len > 0
                            ? static_cast<int64_t>(start) - pos
                            : static_cast<int64_t>(pos) - (static_cast<int64_t>(start) + count - 1);
  const int64_t num = (2 * first + 1) * sn;
  int64_t q = num / den, r = num % den;
  const int64_t stepQ = (2 * sn) / den, stepR = (2 * sn) % den;
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

}  // namespace

void FastStretch(Bitmap32& Dest, int x, int y, int w, int h, const Bitmap32& Source, int sx, int sy,
                 int sw, int sh) {
  if (w == 0 || h == 0 || sw == 0 || sh == 0 || Source.Empty() || Dest.Empty()) return;
  if (Dest.HasClip()) {
    Dest.StretchBlock(x, y, w, h, Source, sx, sy, sw, sh);
    return;
  }
  const long long left = w > 0 ? x : static_cast<long long>(x) + w + 1;
  const long long top = h > 0 ? y : static_cast<long long>(y) + h + 1;
  const long long right = left + std::abs(static_cast<long long>(w));
  const long long bottom = top + std::abs(static_cast<long long>(h));
  const TRect dst{static_cast<int>(std::max<long long>(left, 0)),
                  static_cast<int>(std::max<long long>(top, 0)),
                  static_cast<int>(std::min<long long>(right, Dest.Width())),
                  static_cast<int>(std::min<long long>(bottom, Dest.Height()))};
  if (dst.IsEmpty()) return;

  std::vector<int> cols, rows;
  NearestMap(dst.Left, dst.Width(), x, w, sx, sw, Source.Width(), cols);
  NearestMap(dst.Top, dst.Height(), y, h, sy, sh, Source.Height(), rows);
  const int n = static_cast<int>(cols.size());

  // Within one bitmap, rows are drawn in an order that never reads a row already drawn (the
  // squeezes read rows at or beyond the one they draw, on one side), and a row read by itself is
  // drawn from the side that reads ahead. Anything else reads a copy of the block.
  bool rowsDown = true, rowsUp = true, colsRight = true, colsLeft = true;
  if (&Source == &Dest) {
    for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
      if (rows[k] < 0) continue;
      rowsDown = rowsDown && rows[k] >= dst.Top + k;
      rowsUp = rowsUp && rows[k] <= dst.Top + k;
    }
    for (int k = 0; k < n; ++k) {
      if (cols[k] < 0) continue;
      colsRight = colsRight && cols[k] >= dst.Left + k;
      colsLeft = colsLeft && cols[k] <= dst.Left + k;
    }
    if (!(rowsDown || rowsUp) || !(colsRight || colsLeft)) {
      const TRect block = SourceSpan(sx, sy, sw, sh).Intersect(Source.BoundsRect());
      if (block.IsEmpty()) return;
      // Only the part of the block inside the bitmap is taken aside; positions outside it stay
      // outside the copy, so they still leave their destination pixels alone.
      Bitmap32 copy(block.Width(), block.Height());
      copy.CopyBlock(0, 0, block.Width(), block.Height(), Source, block.Left, block.Top);
      FastStretch(Dest, x, y, w, h, copy, sx - block.Left, sy - block.Top, sw, sh);
      return;
    }
  }

  const bool allValid = std::none_of(cols.begin(), cols.end(), [](int c) { return c < 0; });
  bool straight = allValid;  // the columns map 1:1 onto consecutive source columns
  for (int k = 1; straight && k < n; ++k)
    straight = cols[k] == cols[0] + k;
  const std::size_t bytes = cols.size() * sizeof(Pixel32);

  const Pixel32* previous = nullptr;  // the last row drawn whole, and its source row
  int previousRow = -1;
  const int count = static_cast<int>(rows.size());
  for (int i = 0; i < count; ++i) {
    const int k = rowsDown ? i : count - 1 - i;
    const int srow = rows[k];
    Pixel32* out = Dest.ScanLine(dst.Top + k) + dst.Left;
    if (srow < 0) {
      previous = nullptr;
      continue;
    }
    const Pixel32* in = Source.ScanLine(srow);
    if (previous != nullptr && srow == previousRow) {
      std::memcpy(out, previous, bytes);
    } else if (straight) {
      std::memmove(out, in + cols[0], bytes);
    } else if (allValid && colsRight) {
      for (int c = 0; c < n; ++c)
        out[c] = in[cols[c]];
    } else if (colsRight) {
      for (int c = 0; c < n; ++c) {
        if (cols[c] >= 0) out[c] = in[cols[c]];
      }
    } else {
      for (int c = n - 1; c >= 0; --c) {
        if (cols[c] >= 0) out[c] = in[cols[c]];
      }
    }
    if (allValid) {
      previous = out;
      previousRow = srow;
    }
  }
}

}  // namespace tarn

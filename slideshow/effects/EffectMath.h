// The integer conventions every effect computes with: division truncates toward zero, and
// MulDiv rounds a 64-bit product to the nearest integer the way the platform's MulDiv does.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace tarn {

// pi in extended precision; the effects' angles are computed in long double throughout.
inline constexpr long double kPi = 3.141592653589793238462643383279502884L;

// a div 2, truncating toward zero (so half(-3) = -1).
constexpr int Half(int a) {
  return a / 2;
}

// a * b / c with a 64-bit intermediate, rounded to nearest with halves away from zero; -1 when
// c = 0 or when the result does not fit in 32 bits.
constexpr int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const uint64_t magnitude =
      product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
  const uint64_t divisor =
      c < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(c)) : static_cast<uint64_t>(c);
  const uint64_t quotient = (magnitude + divisor / 2) / divisor;
  if (negative) {
    if (quotient > static_cast<uint64_t>(std::numeric_limits<int>::max()) + 1) return -1;
    return static_cast<int>(0 - static_cast<int64_t>(quotient));
  }
  if (quotient > static_cast<uint64_t>(std::numeric_limits<int>::max())) return -1;
  return static_cast<int>(quotient);
}

}  // namespace tarn

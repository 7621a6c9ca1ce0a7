// The payload's own random numbers: SplitMix64, so that every machine and library produces the
// same files from the same seed (the standard library's distributions differ between
// implementations).
#pragma once

#include <cstdint>
#include <string_view>

namespace tarn::payload {

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  // A seed from a text (FNV-1a), so that each file has its own stream.
  static uint64_t SeedOf(std::string_view text) {
    uint64_t h = 0xCBF29CE484222325ull;
    for (char c : text)
      h = (h ^ static_cast<uint8_t>(c)) * 0x100000001B3ull;
    return h;
  }

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1.
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(((Next() >> 32) * n) >> 32); }
  bool Chance(uint32_t percent) { return Below(100) < percent; }
  uint8_t Byte() { return static_cast<uint8_t>(Next() >> 56); }
  // Small values far more often than large ones, as offsets and counts in programs are.
  uint32_t Skewed(uint32_t n) {
    const uint32_t a = Below(n), b = Below(n);
    return a < b ? a : b;
  }

 private:
  uint64_t state_;
};

}  // namespace tarn::payload

// The process-wide seeded generator the effects draw from, and a guard for the effects that
// need the same pattern in every frame.
#pragma once

#include <cstdint>

namespace tarn {

// The shared 32-bit seed. It is deliberately not guarded by a lock: an effect that reseeds saves
// and restores it around its drawing, and no other code runs the generator at the same time.
uint32_t RandSeed();
void SetRandSeed(uint32_t seed);

// Advances the seed (seed * 134775813 + 1, modulo 2^32) and returns the upper half of the
// 64-bit product seed * N: 0 <= result < N, and 0 when N <= 0. The seed advances in every case.
int Random(int N);

// One step of the same recurrence on a caller's copy of the seed, for loops that draw one number
// per pixel and restore the seed afterwards anyway.
inline int NextRandom(uint32_t& seed, int N) {
  seed = seed * 134775813u + 1u;
  if (N <= 0) return 0;
  return static_cast<int>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(N)) >> 32);
}

// Saves the seed, sets a new one and restores the saved seed when it goes out of scope, also
// when drawing throws, so the program's own sequence continues as if the effect had not run.
class TSeedScope {
 public:
  explicit TSeedScope(uint32_t seed) : saved_(RandSeed()) { SetRandSeed(seed); }
  ~TSeedScope() { SetRandSeed(saved_); }
  TSeedScope(const TSeedScope&) = delete;
  TSeedScope& operator=(const TSeedScope&) = delete;

 private:
  uint32_t saved_;
};

}  // namespace tarn

// The process-wide seeded generator. Effects that need the same pattern in every frame run the
// same recurrence on a private copy seeded from the picture size (NextRandom), which yields the
// sequence a save / reseed / restore of the shared seed would, without touching it.
#pragma once

#include <cstdint>

namespace tarn {

// The shared 32-bit seed; not guarded by a lock (the effects that run on another thread and
// need a fixed pattern do not touch it).
uint32_t RandSeed();
void SetRandSeed(uint32_t seed);

// Advances the seed (seed * 134775813 + 1, modulo 2^32) and returns the upper half of the
// 64-bit product seed * N: 0 <= result < N, and 0 when N <= 0. The seed advances in every case.
int Random(int N);

inline constexpr uint32_t kRandMultiplier = 134775813u;

// One step of the same recurrence on a caller's own seed.
inline int NextRandom(uint32_t& seed, int N) {
  seed = seed * kRandMultiplier + 1u;
  if (N <= 0) return 0;
  return static_cast<int>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(N)) >> 32);
}

// k steps of the recurrence at once: seed -> seed x Multiplier + Increment (modulo 2^32).
struct RandStep {
  uint32_t Multiplier = 1;
  uint32_t Increment = 0;
};
constexpr RandStep RandJump(int k) {
  RandStep step;
  for (int i = 0; i < k; ++i) {
    step = {step.Multiplier * kRandMultiplier, step.Increment * kRandMultiplier + 1u};
  }
  return step;
}

}  // namespace tarn

#include "slideshow/effects/EffectRandom.h"

#include <atomic>

namespace tarn {
namespace {

// Relaxed atomic loads and stores: no ordering is promised (the seed is unguarded by design), but
// a read that overlaps a write from another thread is not undefined behaviour.
std::atomic<uint32_t> seed{0};

}  // namespace

uint32_t RandSeed() {
  return seed.load(std::memory_order_relaxed);
}

void SetRandSeed(uint32_t value) {
  seed.store(value, std::memory_order_relaxed);
}

int Random(int N) {
  uint32_t value = RandSeed();
  const int result = NextRandom(value, N);
  SetRandSeed(value);
  return result;
}

}  // namespace tarn

#include "tests/support/HeapMeter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> gLive{0};
std::atomic<std::size_t> gPeak{0};
// Each block carries its size in front, aligned like any allocation.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t n) {
  auto* p = static_cast<unsigned char*>(std::malloc(n + kHeader));
  if (p == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(p) = n;
  const std::size_t live = gLive.fetch_add(n, std::memory_order_relaxed) + n;
  std::size_t peak = gPeak.load(std::memory_order_relaxed);
  while (live > peak && !gPeak.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
  }
  return p + kHeader;
}

void Release(void* q) {
  if (q == nullptr) return;
  auto* p = static_cast<unsigned char*>(q) - kHeader;
  gLive.fetch_sub(*reinterpret_cast<std::size_t*>(p), std::memory_order_relaxed);
  std::free(p);
}

}  // namespace

namespace tarn::testing {

HeapPeakMeter::HeapPeakMeter() : base_(gLive.load()) {
  gPeak = base_;
}

std::size_t HeapPeakMeter::Peak() const {
  return gPeak.load() - base_;
}

}  // namespace tarn::testing

void* operator new(std::size_t n) {
  return Allocate(n);
}
void* operator new[](std::size_t n) {
  return Allocate(n);
}
void operator delete(void* p) noexcept {
  Release(p);
}
void operator delete[](void* p) noexcept {
  Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  Release(p);
}

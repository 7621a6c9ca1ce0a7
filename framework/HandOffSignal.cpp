#include "framework/HandOffSignal.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tarn {
namespace {

struct State {
  std::mutex mutex;
  std::condition_variable changed;
  uint64_t generation = 0;
};

State& Shared() {
  static State state;
  return state;
}

}  // namespace

uint64_t THandOffSignal::Generation() {
  State& s = Shared();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.generation;
}

void THandOffSignal::Notify() {
  State& s = Shared();
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    ++s.generation;
  }
  s.changed.notify_all();
}

bool THandOffSignal::WaitChange(uint64_t seen, int timeoutMs) {
  State& s = Shared();
  std::unique_lock<std::mutex> lock(s.mutex);
  auto changed = [&s, seen] { return s.generation != seen; };
  if (timeoutMs < 0) {
    s.changed.wait(lock, changed);
    return true;
  }
  return s.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), changed);
}

}  // namespace tarn

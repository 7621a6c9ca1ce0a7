// A process-wide signal that a thread waited for on the user-interface thread may need that
// thread's attention: a call was handed over (Synchronize, which also carries repaint requests
// from other threads) or a thread finished. A wait reads the generation, does its work, and
// sleeps only while the generation is unchanged, so no signal between the two is lost.
#pragma once

#include <cstdint>

namespace tarn {

class THandOffSignal {
 public:
  static uint64_t Generation();
  static void Notify();
  // Returns once the generation differs from `seen`, or after timeoutMs (negative: no limit).
  // True when it changed.
  static bool WaitChange(uint64_t seen, int timeoutMs);
};

}  // namespace tarn

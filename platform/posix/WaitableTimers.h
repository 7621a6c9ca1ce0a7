// Named auto-reset waitable timers of this process. A timer signals once at its due time; a
// wait that sees the signal resets it. The wait for "the timer or any message" hands the
// waiting to the message loop, so the loop sleeps in its own way until input or the due time.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tarn {

class TWaitableTimers {
 public:
  TimerHandle Create(std::string_view name);
  bool Set(TimerHandle handle, int64_t dueTime);
  WaitResult Wait(TimerHandle handle, IMessagePump* pump);
  bool Close(TimerHandle handle);
  // How many timers exist (each named timer once, whatever its handles).
  std::size_t Count() const;

 private:
  using Clock = std::chrono::steady_clock;
  struct Timer {
    std::string name;
    bool armed = false;
    Clock::time_point due;
  };
  std::shared_ptr<Timer> Find(TimerHandle handle) const;

  mutable std::mutex lock_;
  std::map<TimerHandle, std::shared_ptr<Timer>> handles_;
  std::map<std::string, std::weak_ptr<Timer>> names_;
  TimerHandle next_ = 1;
};

}  // namespace tarn

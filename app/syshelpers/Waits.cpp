#include "app/syshelpers/Waits.h"

#include <atomic>
#include <chrono>
#include <ctime>

#include "platform/Platform.h"

namespace tarn {
namespace {

// The time of day as "HNSZ" (hours, minutes, seconds, milliseconds without leading zeros:
// 9:05:07.031 gives 95731), followed by a count, so two timers made in the same millisecond
// (a wait inside a handler that runs inside another wait) never share one.
std::string TimerName() {
  static std::atomic<unsigned> sequence{0};
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  return std::to_string(local.tm_hour) + std::to_string(local.tm_min) +
         std::to_string(local.tm_sec) + std::to_string(ms) + "#" + std::to_string(++sequence);
}

}  // namespace

void WaitPumping(uint32_t ms) {
  TPlatform& platform = Platform();
  IMessagePump* pump = MessagePump();
  if (!pump) {
    platform.Sleep(ms);  // nothing to handle: no reason to spin
    return;
  }
  const uint32_t start = platform.TickCount();
  while (static_cast<uint32_t>(platform.TickCount() - start) <= ms)
    pump->ProcessMessages();
}

void WaitSleeping(uint32_t ms, uint32_t sleepMs) {
  TPlatform& platform = Platform();
  const uint32_t start = platform.TickCount();
  while (static_cast<uint32_t>(platform.TickCount() - start) <= ms) {
    platform.Sleep(sleepMs);
    if (IMessagePump* pump = MessagePump()) pump->ProcessMessages();
  }
}

void WaitTimer(uint32_t amount, int unit) {
  TPlatform& platform = Platform();
  const TimerHandle timer = platform.CreateWaitableTimer(TimerName());
  if (timer == 0) return;
  try {
    int64_t dueTime = 0;  // another unit: due at once
    if (unit == 1) dueTime = int64_t{amount} * -10 * 1000;
    if (unit == 2) dueTime = int64_t{amount} * -10 * 1000 * 1000;
    if (platform.SetWaitableTimer(timer, dueTime)) {
      for (;;) {
        const WaitResult result = platform.WaitForTimerOrInput(timer, MessagePump());
        if (IMessagePump* pump = MessagePump()) pump->ProcessMessages();
        if (result != WaitResult::Input) break;  // the timer, or a wait that cannot go on
      }
    }
  } catch (...) {
    // A wait is never a reason to fail: the error is dropped and the timer closed.
  }
  platform.CloseTimer(timer);
}

}  // namespace tarn

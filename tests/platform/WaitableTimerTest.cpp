// Protects the timer wait that keeps the window alive during the copy: it must end at the due
// time, hand every message to the loop meanwhile, and keep timers of the same name apart only
// as far as the system does.
#include <chrono>

#include "platform/posix/WaitableTimers.h"
#include "tests/platform/PrefixFixture.h"

namespace tarn::testing {
namespace {

using Clock = std::chrono::steady_clock;

// A loop that has a message every 10 ms.
class TickingPump : public IMessagePump {
 public:
  void ProcessMessages() override { ++handled; }
  bool WaitForInput(uint32_t timeoutMs) override {
    const uint32_t wait = std::min<uint32_t>(timeoutMs, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    ++waits;
    return wait == 10;
  }
  int handled = 0;
  int waits = 0;
};

TEST(WaitableTimers, SignalsOnceAtTheDueTime) {
  TWaitableTimers timers;
  const TimerHandle timer = timers.Create("t1");
  ASSERT_NE(timer, 0u);
  ASSERT_TRUE(timers.Set(timer, -50 * 10000));  // 50 ms
  const auto start = Clock::now();
  EXPECT_EQ(timers.Wait(timer, nullptr), WaitResult::Timer);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(50));
  // Auto-reset: the signal was taken; with nothing to wait for the wait fails at once.
  EXPECT_EQ(timers.Wait(timer, nullptr), WaitResult::Failed);
  EXPECT_TRUE(timers.Close(timer));
  EXPECT_FALSE(timers.Close(timer));
  EXPECT_EQ(timers.Wait(timer, nullptr), WaitResult::Failed);
}

TEST(WaitableTimers, InputEndsTheWaitEarly) {
  TWaitableTimers timers;
  TickingPump pump;
  const TimerHandle timer = timers.Create("");
  timers.Set(timer, -100 * 10000);
  int inputs = 0;
  const auto start = Clock::now();
  while (timers.Wait(timer, &pump) == WaitResult::Input)
    ++inputs;
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_GE(inputs, 5);
}

TEST(WaitableTimers, SameNameOpensTheSameTimer) {
  TWaitableTimers timers;
  const TimerHandle a = timers.Create("95731");
  const TimerHandle b = timers.Create("95731");
  const TimerHandle c = timers.Create("other");
  EXPECT_NE(a, b);
  EXPECT_EQ(timers.Count(), 2u);
  timers.Set(a, 0);
  EXPECT_EQ(timers.Wait(b, nullptr), WaitResult::Timer);
  timers.Close(a);
  timers.Close(b);
  timers.Close(c);
  EXPECT_EQ(timers.Count(), 0u);
  const TimerHandle d = timers.Create("95731");  // a fresh timer once the old one is gone
  EXPECT_EQ(timers.Wait(d, nullptr), WaitResult::Failed);
}

}  // namespace
}  // namespace tarn::testing

#include "platform/posix/WaitableTimers.h"

#include <set>
#include <thread>

namespace tarn {

TimerHandle TWaitableTimers::Create(std::string_view name) {
  std::lock_guard<std::mutex> guard(lock_);
  std::shared_ptr<Timer> timer;
  if (!name.empty()) {
    if (auto it = names_.find(std::string(name)); it != names_.end()) timer = it->second.lock();
  }
  if (!timer) {
    timer = std::make_shared<Timer>();
    timer->name = name;
    if (!name.empty()) names_[timer->name] = timer;
  }
  const TimerHandle handle = next_++;
  handles_[handle] = std::move(timer);
  return handle;
}

std::shared_ptr<TWaitableTimers::Timer> TWaitableTimers::Find(TimerHandle handle) const {
  std::lock_guard<std::mutex> guard(lock_);
  const auto it = handles_.find(handle);
  return it == handles_.end() ? nullptr : it->second;
}

bool TWaitableTimers::Set(TimerHandle handle, int64_t dueTime) {
  const auto timer = Find(handle);
  if (!timer) return false;
  std::lock_guard<std::mutex> guard(lock_);
  // Absolute due times (positive, FILETIME) are not used by the installer; they count from
  // now as relative ones do when they lie in the past.
  const int64_t relative = dueTime < 0 ? -dueTime : 0;
  timer->due = Clock::now() + std::chrono::nanoseconds(relative * 100);
  timer->armed = true;
  return true;
}

WaitResult TWaitableTimers::Wait(TimerHandle handle, IMessagePump* pump) {
  const auto timer = Find(handle);
  if (!timer) return WaitResult::Failed;
  for (;;) {
    Clock::duration left;
    bool armed;
    {
      std::lock_guard<std::mutex> guard(lock_);
      armed = timer->armed;
      left = timer->due - Clock::now();
      if (armed && left <= Clock::duration::zero()) {
        timer->armed = false;  // auto-reset: the wait that sees the signal takes it
        return WaitResult::Timer;
      }
    }
    const auto ms = armed ? std::chrono::ceil<std::chrono::milliseconds>(left).count() : -1;
    if (pump) {
      if (pump->WaitForInput(ms < 0 ? kInfinite : static_cast<uint32_t>(ms))) {
        return WaitResult::Input;
      }
    } else if (armed) {
      std::this_thread::sleep_for(left);
    } else {
      return WaitResult::Failed;  // nothing could ever end this wait
    }
  }
}

bool TWaitableTimers::Close(TimerHandle handle) {
  std::lock_guard<std::mutex> guard(lock_);
  const auto it = handles_.find(handle);
  if (it == handles_.end()) return false;
  const std::string name = it->second->name;
  handles_.erase(it);
  if (!name.empty()) {
    if (auto named = names_.find(name); named != names_.end() && named->second.expired()) {
      names_.erase(named);
    }
  }
  return true;
}

std::size_t TWaitableTimers::Count() const {
  std::lock_guard<std::mutex> guard(lock_);
  std::set<const Timer*> timers;
  for (const auto& entry : handles_)
    timers.insert(entry.second.get());
  return timers.size();
}

}  // namespace tarn

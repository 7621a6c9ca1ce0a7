// A critical section: a lock that the thread holding it may enter again (it must leave as often
// as it entered), as the platform's critical sections behave. The picture show serialises its
// frame drawing with changes of style and progress through one of these.
#pragma once

#include <mutex>

namespace tarn {

class TCriticalSection {
 public:
  TCriticalSection() = default;
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void Enter() { mutex_.lock(); }
  void Leave() { mutex_.unlock(); }
  bool TryEnter() { return mutex_.try_lock(); }
  void Acquire() { Enter(); }
  void Release() { Leave(); }

  // For std::lock_guard and std::unique_lock.
  void lock() { Enter(); }
  void unlock() { Leave(); }
  bool try_lock() { return TryEnter(); }

 private:
  std::recursive_mutex mutex_;
};

// Holds a critical section for the scope, also when the scope is left by an exception.
class TCriticalSectionLock {
 public:
  explicit TCriticalSectionLock(TCriticalSection& section) : section_(section) { section_.Enter(); }
  ~TCriticalSectionLock() { section_.Leave(); }
  TCriticalSectionLock(const TCriticalSectionLock&) = delete;
  TCriticalSectionLock& operator=(const TCriticalSectionLock&) = delete;

 private:
  TCriticalSection& section_;
};

}  // namespace tarn

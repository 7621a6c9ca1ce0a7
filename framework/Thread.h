// TThread: a thread of the program with a body (Execute), created running or suspended. Other
// threads reach the user-interface thread through Synchronize, which runs a call inside the
// message loop while the calling thread waits. Waiting for a thread on the user-interface thread
// keeps serving those calls (and the repaint requests that travel the same way), so a thread
// that is waited for while it waits for the user-interface thread can still finish.
//
// A thread with FreeOnTerminate frees itself when its body has ended; nothing may touch it after
// it has been started. Any other thread is freed by its creator: the destructor asks it to
// terminate and waits for it. A derived class whose Execute uses the derived class's own members
// must therefore call TerminateAndWait first in its own destructor.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

#include "base/Object.h"
#include "framework/ControlTypes.h"

namespace tarn {

enum class TThreadPriority {
  tpIdle,
  tpLowest,
  tpLower,
  tpNormal,
  tpHigher,
  tpHighest,
  tpTimeCritical
};

using TThreadMethod = std::function<void()>;

class TThread : public TObject {
 public:
  // A thread created suspended starts with Start; one created running starts once it is whole,
  // which Create below (or a call of AfterConstruction) marks.
  explicit TThread(bool createSuspended);
  ~TThread() override;

  // Builds a thread of class T and, unless it was created suspended, starts it.
  template <class T, class... Args>
  static T* Create(Args&&... args) {
    T* thread = new T(std::forward<Args>(args)...);
    thread->AfterConstruction();
    return thread;
  }
  // Starts the thread unless it was created suspended.
  void AfterConstruction();

  // Starts a thread that has not run yet (Resume is the older name).
  void Start();
  void Resume() { Start(); }
  bool Suspended() const;

  // Asks the body to end; the body checks Terminated.
  void Terminate() { terminated_.store(true); }
  bool Terminated() const { return terminated_.load(); }
  bool Finished() const { return finished_.load(); }

  // Waits until the body has ended and returns ReturnValue. On the user-interface thread the
  // calls this (or any) thread hands over are served meanwhile. Not for a thread that frees
  // itself.
  int WaitFor();
  // The same with a limit; false when the thread was still running after timeoutMs.
  bool WaitFor(int timeoutMs);
  void TerminateAndWait() {
    Terminate();
    if (Started()) WaitFor();
  }

  bool FreeOnTerminate() const { return free_on_terminate_.load(); }
  void SetFreeOnTerminate(bool value) { free_on_terminate_.store(value); }

  // The scheduling priority: stored always, applied to the running thread where the host allows
  // (lowering always works; raising may need privileges the program does not have).
  TThreadPriority Priority() const { return priority_.load(); }
  void SetPriority(TThreadPriority priority);

  int ReturnValue() const { return return_value_.load(); }
  // The exception that ended the body, if any.
  std::exception_ptr FatalException() const;
  std::thread::id ThreadID() const;

  // Runs the call on the user-interface thread and waits for it; an exception it raises is
  // raised again here. Any thread may call it; on the user-interface thread it runs at once.
  static void Synchronize(const TThreadMethod& method);

  // Raised on the user-interface thread once the body has ended (before a self-freeing thread
  // goes); not raised when the application has already ended.
  TNotifyEvent OnTerminate;

 protected:
  virtual void Execute() = 0;
  void SetReturnValue(int value) { return_value_.store(value); }
  // Raises OnTerminate through Synchronize.
  virtual void DoTerminate();

 private:
  static void ThreadProc(TThread* self);
  bool Started() const;
  void ApplyPriority();

  const bool create_suspended_;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::atomic<bool> free_on_terminate_{false};
  std::atomic<TThreadPriority> priority_{TThreadPriority::tpNormal};
  std::atomic<int> return_value_{0};
  std::atomic<int> native_id_{0};  // the kernel's thread id while running
  std::atomic<int> base_nice_{0};  // the niceness it started with

  mutable std::mutex mutex_;  // guards what follows
  std::condition_variable finished_changed_;
  std::thread thread_;
  std::thread::id id_;
  bool started_ = false;
  std::exception_ptr fatal_;
};

}  // namespace tarn

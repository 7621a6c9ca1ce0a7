#include "framework/Thread.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>

#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/HandOffSignal.h"

namespace tarn {
namespace {

// Niceness steps of the priorities, relative to the niceness the thread started with.
[[maybe_unused]] int NiceDelta(TThreadPriority priority) {
  switch (priority) {
    case TThreadPriority::tpIdle:
      return 19;
    case TThreadPriority::tpLowest:
      return 10;
    case TThreadPriority::tpLower:
      return 5;
    case TThreadPriority::tpNormal:
      return 0;
    case TThreadPriority::tpHigher:
      return -5;
    case TThreadPriority::tpHighest:
      return -10;
    case TThreadPriority::tpTimeCritical:
      return -20;
  }
  return 0;
}

}  // namespace

TThread::TThread(bool createSuspended) : create_suspended_(createSuspended) {}

TThread::~TThread() {
  std::thread::id id;
  bool joinable;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    joinable = thread_.joinable();
    id = thread_.get_id();
  }
  if (!joinable) return;
  if (id == std::this_thread::get_id()) {
    // Freed from its own body: nobody can join it any more.
    std::lock_guard<std::mutex> lock(mutex_);
    thread_.detach();
    return;
  }
  Terminate();
  WaitFor();
}

void TThread::AfterConstruction() {
  if (!create_suspended_) Start();
}

void TThread::Start() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (started_) throw Exception("The thread has already been started");
  started_ = true;
  // The body cannot reach its end (which takes this lock) before the handle is stored.
  thread_ = std::thread(&TThread::ThreadProc, this);
  id_ = thread_.get_id();
}

bool TThread::Suspended() const {
  return !Started();
}

bool TThread::Started() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return started_;
}

std::thread::id TThread::ThreadID() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return id_;
}

std::exception_ptr TThread::FatalException() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return fatal_;
}

void TThread::ThreadProc(TThread* self) {
#if defined(__linux__)
  self->base_nice_.store(getpriority(PRIO_PROCESS, 0));
  self->native_id_.store(static_cast<int>(gettid()));
  self->ApplyPriority();
#endif
  std::exception_ptr error;
  if (!self->Terminated()) {
    try {
      self->Execute();
    } catch (...) {
      error = std::current_exception();
    }
  }
  try {
    self->DoTerminate();
  } catch (...) {
    if (!error) error = std::current_exception();
  }
  const bool free = self->FreeOnTerminate();
  {
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->fatal_ = error;
    self->native_id_.store(0);
    self->finished_.store(true);
    if (free) self->thread_.detach();
  }
  self->finished_changed_.notify_all();
  THandOffSignal::Notify();
  if (free) delete self;
}

void TThread::DoTerminate() {
  if (!OnTerminate || Application == nullptr) return;
  try {
    Synchronize([this] { OnTerminate(this); });
  } catch (...) {
    // The application ended meanwhile, or the handler failed: the thread ends all the same.
  }
}

bool TThread::WaitFor(int timeoutMs) {
  std::thread::id id;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_) throw Exception("Cannot wait for a thread that has not been started");
    id = id_;
  }
  if (id == std::this_thread::get_id()) throw Exception("A thread cannot wait for itself");
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline =
      Clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
  auto left = [&]() -> int {
    if (timeoutMs < 0) return -1;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<int64_t>(0, ms));
  };
  if (Application != nullptr && Application->IsUIThread()) {
    // The thread may be waiting for this one: keep running what it hands over.
    for (;;) {
      const uint64_t seen = THandOffSignal::Generation();
      Application->ProcessSynchronized();
      if (finished_.load()) break;
      const int ms = left();
      if (ms == 0) return false;
      THandOffSignal::WaitChange(seen, ms);
    }
  } else {
    std::unique_lock<std::mutex> lock(mutex_);
    auto done = [this] { return finished_.load(); };
    if (timeoutMs < 0) {
      finished_changed_.wait(lock, done);
    } else if (!finished_changed_.wait_until(lock, deadline, done)) {
      return false;
    }
  }
  std::thread to_join;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (thread_.joinable()) to_join = std::move(thread_);
  }
  if (to_join.joinable()) to_join.join();
  return true;
}

int TThread::WaitFor() {
  WaitFor(-1);
  return ReturnValue();
}

void TThread::SetPriority(TThreadPriority priority) {
  priority_.store(priority);
  if (native_id_.load() != 0) ApplyPriority();
}

void TThread::ApplyPriority() {
#if defined(__linux__)
  const int tid = native_id_.load();
  if (tid == 0) return;
  const int nice = std::clamp(base_nice_.load() + NiceDelta(priority_.load()), -20, 19);
  // Refused without the privilege to raise a priority; the value stays stored.
  (void)setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice);
#endif
}

void TThread::Synchronize(const TThreadMethod& method) {
  if (Application == nullptr) throw Exception("There is no application to hand the call to");
  Application->Synchronize(method);
}

}  // namespace tarn

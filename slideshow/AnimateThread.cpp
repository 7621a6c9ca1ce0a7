#include "slideshow/AnimateThread.h"

#include <chrono>

#include "framework/Application.h"
#include "slideshow/XPPicShow.h"

namespace tarn {

TAnimateThread::TAnimateThread(TCustomXPPicShow* picShow) : TThread(true), pic_show_(picShow) {
  SetPriority(picShow->ThreadPriority());
}

TAnimateThread::~TAnimateThread() {
  // The body uses this class's own members: it must be over before they go.
  Cancel();
  TerminateAndWait();
}

void TAnimateThread::Cancel() {
  {
    std::lock_guard<std::mutex> lock(pause_mutex_);
    Terminate();
  }
  pause_.notify_all();
}

void TAnimateThread::PauseUntil(std::chrono::steady_clock::time_point until) {
  std::unique_lock<std::mutex> lock(pause_mutex_);
  pause_.wait_until(lock, until, [this] { return Terminated(); });
}

void TAnimateThread::PostDone() {
  if (Application != nullptr) Application->PostMessage(pic_show_->Handle(), WM_ANIMATIONDONE);
}

void TAnimateThread::Execute() {
  started_ = true;
  // Posted however the body ends, an error included (the error stays with the thread).
  struct DoneOnExit {
    TAnimateThread* thread;
    ~DoneOnExit() { thread->PostDone(); }
  } done{this};
  TCustomXPPicShow& show = *pic_show_;
  int step = show.Step();
  while (!Terminated()) {
    const auto frame_start = std::chrono::steady_clock::now();
    int elapsed = 0;
    if (!show.StepProgress(step, elapsed)) {
      completed_ = true;
      Terminate();
    } else if (!Terminated()) {
      const int delay = show.Delay();
      if (delay - elapsed >= 0) {
        // The rest of the delay, timed from the frame's start to the microsecond rather than
        // from the whole milliseconds the tick count gives, so frames do not drift late.
        PauseUntil(frame_start + std::chrono::milliseconds(delay));
        step = show.Step();
      } else if (show.ExactTiming()) {
        step = show.CompensatedStep(elapsed);
      }
    }
  }
}

}  // namespace tarn

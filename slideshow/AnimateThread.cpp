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

void TAnimateThread::Pause(int ms) {
  std::unique_lock<std::mutex> lock(pause_mutex_);
  pause_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return Terminated(); });
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
    int elapsed = 0;
    if (!show.StepProgress(step, elapsed)) {
      completed_ = true;
      Terminate();
    } else if (!Terminated()) {
      const int remaining = show.Delay() - elapsed;
      if (remaining >= 0) {
        Pause(remaining);
        step = show.Step();
      } else if (show.ExactTiming()) {
        step = show.CompensatedStep(elapsed);
      }
    }
  }
}

}  // namespace tarn

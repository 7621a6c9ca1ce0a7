// TAnimateThread: advances one transition of a picture show, a frame every Delay milliseconds,
// until the end value is reached or it is told to terminate; whichever way its body ends, it
// posts WM_ANIMATIONDONE to the control, whose handler frees the thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "framework/Thread.h"

namespace tarn {

class TCustomXPPicShow;

class TAnimateThread : public TThread {
 public:
  // Created suspended, with the control's thread priority; Start runs it.
  explicit TAnimateThread(TCustomXPPicShow* picShow);
  ~TAnimateThread() override;

  TCustomXPPicShow* PicShow() const { return pic_show_; }
  // Set as the first act of the body: from then on the body posts WM_ANIMATIONDONE.
  bool Started() const { return started_.load(); }
  // The transition reached its end value.
  bool Completed() const { return completed_.load(); }
  // Terminates the body and cuts the pause before the next frame short.
  void Cancel();

 protected:
  void Execute() override;

 private:
  // Sleeps until then, or less when cancelled.
  void PauseUntil(std::chrono::steady_clock::time_point until);
  void PostDone();

  TCustomXPPicShow* const pic_show_;
  std::atomic<bool> started_{false};
  std::atomic<bool> completed_{false};
  std::mutex pause_mutex_;
  std::condition_variable pause_;
};

}  // namespace tarn

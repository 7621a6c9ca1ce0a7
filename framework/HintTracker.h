// THintTracker: the application's hint timing. It follows the control under the pointer and
// shows that control's hint after the application's HintPause, hides it after HintHidePause,
// when the pointer leaves the control, or on a click or key press. The timing runs on the
// application's timers, so a test's clock drives it.
#pragma once

#include <cstdint>

#include "platform/host/HostEvent.h"

namespace tarn {

class TApplication;
class TControl;
class THintWindow;

class THintTracker {
 public:
  explicit THintTracker(TApplication& app) : app_(app) {}

  // Called around the forms' handling of each host event.
  void BeforeInput(const THostEvent& event);
  void AfterInput(const THostEvent& event);
  // Hides the hint; it comes back only once the pointer has moved to another control.
  void Cancel();
  void ControlGoing(TControl* control);
  THintWindow* ActiveWindow() const;

  // The control whose hint shows over `control`: the nearest one (itself or a parent) whose
  // ShowHint is on, when its Hint is not empty.
  static TControl* HintControl(TControl* control);

 private:
  void Track(TControl* control);
  void ShowNow();
  void Hide();
  void StopTimers();

  TApplication& app_;
  TControl* control_ = nullptr;  // whose hint is pending or shown
  bool suppressed_ = false;      // cancelled until the pointer moves on
  uint32_t pause_timer_ = 0;
  uint32_t hide_timer_ = 0;
  THintWindow* window_ = nullptr;  // owned by the application, made on first use
};

}  // namespace tarn

#include "framework/Timer.h"

#include "framework/Application.h"

namespace tarn {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  UpdateTimer();
}

TTimer::~TTimer() {
  if (id_ != 0 && Application != nullptr) Application->KillTimer(id_);
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  // Every change starts the interval anew, as re-arming the platform's timer does.
  if (id_ != 0 && Application != nullptr) Application->KillTimer(id_);
  id_ = 0;
  if (enabled_ && interval_ > 0 && Application != nullptr) {
    id_ = Application->SetTimer(interval_, [this] { Timer(); });
  }
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

}  // namespace tarn

// TTimer: raises OnTimer every Interval milliseconds on the user-interface thread, from the
// message loop, while it is enabled.
#pragma once

#include <cstdint>

#include "base/Component.h"
#include "framework/ControlTypes.h"

namespace tarn {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  uint32_t Interval() const { return interval_; }
  // 0 stops the timer until a positive interval is set.
  void SetInterval(uint32_t ms);

  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  uint32_t id_ = 0;
};

}  // namespace tarn

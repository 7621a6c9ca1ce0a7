// Tells a double click from two single ones: a second press of the same button on the same
// control, soon enough and near enough to the first. A third press starts over.
#pragma once

#include <cstdint>

#include "base/Geometry.h"
#include "platform/host/HostEvent.h"

namespace tarn {

class TControl;

class TDoubleClickTracker {
 public:
  static constexpr uint64_t kTimeMs = 500;
  static constexpr int kSlop = 2;  // pixels the pointer may move between the two presses

  // Records a press at `pos` (form client coordinates) at time `now`; true when it is the
  // second press of a double click.
  bool Press(const TControl* target, THostButton button, TPoint pos, uint64_t now);
  // Forgets the last press when it was on `control` or inside it (the control goes away).
  void Forget(const TControl* control);

 private:
  uint64_t time_ = 0;
  TPoint pos_;
  const TControl* control_ = nullptr;
  THostButton button_ = THostButton::None;
};

}  // namespace tarn

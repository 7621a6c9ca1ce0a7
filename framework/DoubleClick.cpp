#include "framework/DoubleClick.h"

#include <cstdlib>

#include "framework/Control.h"

namespace tarn {

bool TDoubleClickTracker::Press(const TControl* target, THostButton button, TPoint pos,
                                uint64_t now) {
  const bool dbl = button == button_ && target == control_ && now - time_ <= kTimeMs &&
                   std::abs(pos.X - pos_.X) <= kSlop && std::abs(pos.Y - pos_.Y) <= kSlop;
  if (dbl) {
    control_ = nullptr;  // a third press starts over
  } else {
    control_ = target;
    time_ = now;
    pos_ = pos;
    button_ = button;
  }
  return dbl;
}

void TDoubleClickTracker::Forget(const TControl* control) {
  if (InSubtree(control, control_)) control_ = nullptr;
}

}  // namespace tarn

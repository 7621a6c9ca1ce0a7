#include "app/syshelpers/ui/WindowPlacement.h"

#include "framework/Form.h"
#include "platform/Platform.h"

namespace tarn {

void CenterOnMonitor(TCustomForm& form, int index) {
  const std::vector<TRect> monitors = Platform().Monitors();
  if (monitors.empty()) return;
  if (index < 0 || index >= static_cast<int>(monitors.size())) index = 0;
  int left = 0;
  for (int i = 0; i < index; ++i)
    left += monitors[i].Width();
  const TRect& monitor = monitors[index];
  left += (monitor.Width() - form.Width()) / 2;
  const int top = (monitor.Height() - form.Height()) / 2;
  form.SetBounds(left, top, form.Width(), form.Height());
}

void SetRoundRegion(TCustomForm& form, int cornerW, int cornerH, int extraH, int extraW) {
  const TRect bounds{0, 0, form.Width() + extraW + 1, form.Height() + extraH + 1};
  Platform().SetWindowRoundRegion(&form, bounds, cornerW, cornerH);
}

}  // namespace tarn

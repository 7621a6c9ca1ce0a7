// The wizard window's place and shape: centred on a monitor, with rounded corners.
#pragma once

namespace tarn {

class TCustomForm;

// Index 0 centres on the primary screen. Index n > 0 places the form right of monitors 0 to
// n - 1 (taken as standing side by side) and centres it in monitor n. A monitor that does not
// exist is taken as the primary one, so the window never ends up off every screen.
void CenterOnMonitor(TCustomForm& form, int index);
// The window's region becomes the rounded rectangle (0, 0) - (width + extraW + 1,
// height + extraH + 1) with corner ellipses cornerW x cornerH; the window is redrawn.
void SetRoundRegion(TCustomForm& form, int cornerW, int cornerH, int extraH, int extraW);

}  // namespace tarn

// The desktop as forms see it: monitors, the primary screen's size, the pointer, the active
// form and control. Read through the application's host.
#pragma once

#include "base/Geometry.h"
#include "framework/ControlTypes.h"

namespace tarn {

class TCustomForm;
class TWinControl;

class TScreen {
 public:
  static int Width();  // primary monitor
  static int Height();
  static int MonitorCount();
  static TRect MonitorBounds(int index);
  static TPoint CursorPos();
  static TCustomForm* ActiveForm();
  static TWinControl* ActiveControl();
  // Shows this pointer shape now (a control answering WM_SETCURSOR calls it).
  static void SetCursor(TCursor cursor);
};

}  // namespace tarn

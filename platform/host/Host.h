// The desktop below the framework: top-level windows that show a 32-bit buffer, the input they
// receive, the clock, the monitors, the clipboard and a wake-up for the message loop. The
// framework reaches the desktop only through this interface; an SDL2 host serves desktops and a
// headless host serves tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "platform/host/HostEvent.h"

namespace tarn {

class Bitmap32;
class Region;

enum class THostCursor { Arrow, IBeam, Wait, Cross, HandPoint, SizeAll, SizeWE, SizeNS, No };

struct THostWindowParams {
  TRect Bounds;             // screen position and size of the client area
  bool Framed = false;      // decorated by the desktop (title bar, border) or borderless
  std::string Title;        // code page 936
  bool ToolWindow = false;  // not shown in the task bar (pop-ups, hidden helper forms)
  bool Popup = false;       // a menu or hint: above the others, never takes the keyboard focus
};

class THost {
 public:
  virtual ~THost() = default;

  // Windows. Every window starts hidden.
  virtual THostWindowId CreateWindow(const THostWindowParams& params) = 0;
  virtual void DestroyWindow(THostWindowId window) = 0;
  virtual void SetWindowBounds(THostWindowId window, const TRect& bounds) = 0;
  virtual void ShowWindow(THostWindowId window, bool visible, bool activate) = 0;
  virtual void SetWindowTitle(THostWindowId window, const std::string& title) = 0;
  // The window's shape in client coordinates; none restores the full rectangle.
  virtual void SetWindowShape(THostWindowId window, const Region* shape) = 0;
  virtual void MinimizeWindow(THostWindowId window) = 0;
  virtual void RestoreWindow(THostWindowId window) = 0;
  virtual void ActivateWindow(THostWindowId window) = 0;
  // Shows the given rectangles of the buffer (the window's whole client area) on screen.
  virtual void Present(THostWindowId window, const Bitmap32& buffer,
                       const std::vector<TRect>& changed) = 0;
  // Keeps the pointer's events with the window while a button is held outside it.
  virtual void CaptureMouse(THostWindowId window, bool capture) = 0;
  virtual void SetCursor(THostCursor cursor) = 0;
  // Text input (an input method may compose characters) while an editable control has focus.
  virtual void SetTextInput(THostWindowId window, bool enabled) = 0;

  // Screen.
  virtual int MonitorCount() = 0;
  virtual TRect MonitorBounds(int index) = 0;  // index 0 is the primary monitor
  virtual TPoint CursorPos() = 0;              // screen coordinates

  // Clipboard text, code page 936 inside the program.
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;

  virtual void Beep() = 0;

  // Milliseconds since an arbitrary start; never goes backwards.
  virtual uint64_t TickCount() = 0;

  // Takes the next pending event without waiting.
  virtual bool PollEvent(THostEvent& event) = 0;
  // Waits until an event is pending, Wake is called or timeoutMs have passed (-1: no limit).
  virtual void WaitEvent(int timeoutMs) = 0;
  // Ends a WaitEvent early; safe from any thread.
  virtual void Wake() = 0;
};

}  // namespace tarn

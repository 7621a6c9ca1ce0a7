// What a host reports about its windows: input, activation, closing, exposure. Coordinates are
// in the window's own pixels (its client area); screen coordinates come along for dragging.
#pragma once

#include <cstdint>
#include <string>

namespace tarn {

using THostWindowId = uint32_t;

enum class THostEventKind {
  MouseMove,
  MouseDown,
  MouseUp,
  MouseWheel,
  MouseLeave,  // the pointer left the window
  KeyDown,
  KeyUp,
  Char,      // text typed; Text holds one character in code page 936
  Close,     // the user asked to close the window
  Activate,  // the window got the keyboard focus of the desktop
  Deactivate,
  Expose,  // the window's content was lost and must be presented again
  Moved,   // the desktop moved the window; X, Y are its new screen position
  Minimized,
  Restored,
  Quit,  // the desktop session asks the program to end
};

enum class THostButton { None = 0, Left = 1, Right = 2, Middle = 3 };

// Modifier and button state at the time of an event.
enum THostModifier : uint32_t {
  hmShift = 1,
  hmCtrl = 2,
  hmAlt = 4,
  hmLeft = 8,
  hmRight = 16,
  hmMiddle = 32,
};

struct THostEvent {
  THostEventKind Kind = THostEventKind::MouseMove;
  THostWindowId Window = 0;
  int X = 0;  // window coordinates (mouse events), or screen position (Moved)
  int Y = 0;
  int ScreenX = 0;
  int ScreenY = 0;
  THostButton Button = THostButton::None;
  int WheelDelta = 0;  // 120 per notch, positive away from the user
  uint16_t Key = 0;    // virtual key (KeyDown / KeyUp)
  bool Repeat = false;
  uint32_t Modifiers = 0;
  std::string Text;  // Char: one character, code page 936
};

}  // namespace tarn

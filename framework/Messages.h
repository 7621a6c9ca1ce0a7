// Messages are values: a kind and two parameters, with a result the handler fills in. The kinds
// use the platform's window-message numbers, so that the numbers controls post to each other
// (WM_USER + 1, 2024, ...) mean what they mean there. Notifications of the framework itself
// (CM_*) live in a range of their own.
#pragma once

#include <cstdint>

namespace tarn {

struct TMessage {
  uint32_t Msg = 0;
  intptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// Mouse positions travel in LParam as two signed 16-bit halves, x low.
constexpr intptr_t MakeLParam(int x, int y) {
  return static_cast<intptr_t>(static_cast<uint32_t>(static_cast<uint16_t>(x)) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}
constexpr int LParamX(intptr_t lp) {
  return static_cast<int16_t>(lp & 0xFFFF);
}
constexpr int LParamY(intptr_t lp) {
  return static_cast<int16_t>((lp >> 16) & 0xFFFF);
}

// Window messages.
enum : uint32_t {
  WM_NULL = 0x0000,
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_ENABLE = 0x000A,
  WM_PAINT = 0x000F,  // WParam: the TCanvas* to paint on
  WM_CLOSE = 0x0010,
  WM_ERASEBKGND = 0x0014,  // WParam: the TCanvas*; Result 1 = erased
  WM_SHOWWINDOW = 0x0018,
  WM_SETCURSOR = 0x0020,
  WM_WINDOWPOSCHANGED = 0x0047,
  WM_CONTEXTMENU = 0x007B,  // LParam: screen position, (-1, -1) from the keyboard
  WM_NCCALCSIZE = 0x0083,   // LParam: TRect* of border widths to fill in
  WM_NCPAINT = 0x0085,      // WParam: the TCanvas*, origin at the window's top-left
  WM_GETDLGCODE = 0x0087,
  WM_KEYDOWN = 0x0100,  // WParam: virtual key; LParam bit 30: key was already down
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,  // WParam: one byte of code-page-936 text
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_SYSCHAR = 0x0106,
  WM_SYSCOMMAND = 0x0112,
  WM_TIMER = 0x0113,  // WParam: timer id
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
  WM_MBUTTONDBLCLK = 0x0209,
  WM_MOUSEWHEEL = 0x020A,      // WParam high 16 bits: signed delta; LParam: screen position
  WM_CAPTURECHANGED = 0x0215,  // LParam: the control that gets the capture (or none)
  WM_USER = 0x0400,
};

// Mouse key state in WParam of mouse messages.
enum : uint32_t {
  MK_LBUTTON = 0x0001,
  MK_RBUTTON = 0x0002,
  MK_SHIFT = 0x0004,
  MK_CONTROL = 0x0008,
  MK_MBUTTON = 0x0010,
};

// WM_SYSCOMMAND values.
enum : uint32_t {
  SC_MINIMIZE = 0xF020,
  SC_MOVE = 0xF010,
  SC_CLOSE = 0xF060,
  SC_RESTORE = 0xF120,
  HTCAPTION = 2,
};

// WM_GETDLGCODE results: what keys a control wants to see itself.
enum : uint32_t {
  DLGC_WANTARROWS = 0x0001,
  DLGC_WANTTAB = 0x0002,
  DLGC_WANTALLKEYS = 0x0004,
  DLGC_WANTCHARS = 0x0080,
};

// Notifications of the framework.
enum : uint32_t {
  CM_BASE = 0xB000,
  CM_ACTIVATE = CM_BASE + 0,
  CM_DEACTIVATE = CM_BASE + 1,
  CM_ENABLEDCHANGED = CM_BASE + 3,
  CM_COLORCHANGED = CM_BASE + 4,
  CM_FONTCHANGED = CM_BASE + 5,
  CM_CURSORCHANGED = CM_BASE + 6,
  CM_PARENTFONTCHANGED = CM_BASE + 8,
  CM_PARENTCOLORCHANGED = CM_BASE + 9,
  CM_SHOWHINTCHANGED = CM_BASE + 11,
  CM_PARENTSHOWHINTCHANGED = CM_BASE + 12,
  CM_SYSCOLORCHANGE = CM_BASE + 13,
  CM_WININICHANGE = CM_BASE + 14,
  CM_FONTCHANGE = CM_BASE + 15,
  CM_TIMECHANGE = CM_BASE + 16,
  CM_TABSTOPCHANGED = CM_BASE + 17,
  CM_UIACTIVATE = CM_BASE + 18,
  CM_CONTROLLISTCHANGE = CM_BASE + 20,
  CM_DIALOGKEY = CM_BASE + 21,   // WParam: virtual key; Result 1 = handled
  CM_DIALOGCHAR = CM_BASE + 22,  // WParam: character byte; Result 1 = handled
  CM_FOCUSCHANGED = CM_BASE + 23,
  CM_VISIBLECHANGED = CM_BASE + 26,
  CM_ENTER = CM_BASE + 27,
  CM_EXIT = CM_BASE + 28,
  CM_MOUSEENTER = CM_BASE + 30,
  CM_MOUSELEAVE = CM_BASE + 31,
  CM_TEXTCHANGED = CM_BASE + 32,
  CM_RELEASE = CM_BASE + 33,  // a form asks to be freed once its current message is done
  CM_SHOWINGCHANGED = CM_BASE + 34,
  CM_MOUSEWHEEL = CM_BASE + 35,
};

}  // namespace tarn

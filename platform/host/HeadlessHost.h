// A host with no desktop, for tests: windows are records with a copy of what was presented,
// input is injected by the test, and the clock is either the real one or a manual one that
// moves only when the test (or a timed wait of the message loop) advances it.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "graphics/Bitmap32.h"
#include "graphics/Region.h"
#include "platform/host/Host.h"

namespace tarn {

enum class THeadlessClock {
  Manual,  // time stands still; a timed wait with nothing to do jumps the clock forward
  Real,    // the steady clock of the machine
};

class THeadlessHost : public THost {
 public:
  explicit THeadlessHost(THeadlessClock clock = THeadlessClock::Manual);
  ~THeadlessHost() override;

  struct Window {
    THostWindowParams Params;
    TRect Bounds;
    bool Visible = false;
    bool Minimized = false;
    std::unique_ptr<Region> Shape;
    Bitmap32 Screen;  // what has been presented so far
    int PresentCount = 0;
    std::vector<TRect> LastChanged;
    std::string Title;
  };

  // --- THost
  THostWindowId CreateWindow(const THostWindowParams& params) override;
  void DestroyWindow(THostWindowId window) override;
  void SetWindowBounds(THostWindowId window, const TRect& bounds) override;
  void ShowWindow(THostWindowId window, bool visible, bool activate) override;
  void SetWindowTitle(THostWindowId window, const std::string& title) override;
  void SetWindowShape(THostWindowId window, const Region* shape) override;
  void MinimizeWindow(THostWindowId window) override;
  void RestoreWindow(THostWindowId window) override;
  void ActivateWindow(THostWindowId window) override;
  void Present(THostWindowId window, const Bitmap32& buffer,
               const std::vector<TRect>& changed) override;
  void CaptureMouse(THostWindowId window, bool capture) override;
  void SetCursor(THostCursor cursor) override { cursor_ = cursor; }
  void SetTextInput(THostWindowId window, bool enabled) override;
  int MonitorCount() override { return static_cast<int>(monitors_.size()); }
  TRect MonitorBounds(int index) override;
  TPoint CursorPos() override { return cursor_pos_; }
  std::string ClipboardText() override { return clipboard_; }
  void SetClipboardText(const std::string& text) override { clipboard_ = text; }
  void Beep() override { ++beeps_; }
  uint64_t TickCount() override;
  bool PollEvent(THostEvent& event) override;
  void WaitEvent(int timeoutMs) override;
  void Wake() override;

  // --- for tests
  const Window* FindWindow(THostWindowId window) const;
  bool WindowExists(THostWindowId window) const { return FindWindow(window) != nullptr; }
  int WindowCount() const { return static_cast<int>(windows_.size()); }
  THostWindowId ActiveWindow() const { return active_; }
  THostWindowId CaptureWindow() const { return capture_; }
  THostCursor Cursor() const { return cursor_; }
  bool TextInputEnabled() const { return text_input_; }
  int BeepCount() const { return beeps_; }
  void SetMonitors(std::vector<TRect> monitors) { monitors_ = std::move(monitors); }

  void Advance(uint64_t ms);  // manual clock only

  // Injected input is queued and handled by the next turn of the message loop. Mouse positions
  // are window coordinates; the held buttons and modifiers are tracked here.
  void MouseMove(THostWindowId window, int x, int y);
  void MouseDown(THostWindowId window, int x, int y, THostButton button = THostButton::Left);
  void MouseUp(THostWindowId window, int x, int y, THostButton button = THostButton::Left);
  void MouseWheel(THostWindowId window, int x, int y, int delta);
  void MouseLeave(THostWindowId window);
  void KeyDown(THostWindowId window, uint16_t key);
  void KeyUp(THostWindowId window, uint16_t key);
  // One key stroke: down, the characters it types (code page 936 text, may be empty), up.
  void PressKey(THostWindowId window, uint16_t key, const std::string& text = {});
  void TypeText(THostWindowId window, const std::string& cp936);
  void RequestClose(THostWindowId window);
  void SetActive(THostWindowId window, bool active);
  void Inject(THostEvent event);

  // Writes what the window shows to a PNG file (host path).
  void SavePng(THostWindowId window, const std::string& hostPath) const;

 private:
  THostEvent MouseEvent(THostEventKind kind, THostWindowId window, int x, int y);

  THeadlessClock clock_mode_;
  uint64_t manual_now_ = 0;
  uint64_t real_start_ = 0;
  std::map<THostWindowId, Window> windows_;
  THostWindowId next_id_ = 1;
  THostWindowId active_ = 0;
  THostWindowId capture_ = 0;
  THostCursor cursor_ = THostCursor::Arrow;
  bool text_input_ = false;
  int beeps_ = 0;
  uint32_t modifiers_ = 0;
  TPoint cursor_pos_;
  std::vector<TRect> monitors_ = {Rect(0, 0, 1024, 768)};
  std::string clipboard_;

  std::mutex mutex_;  // guards the queue and the wake flag, which other threads touch
  std::condition_variable cv_;
  std::deque<THostEvent> queue_;
  bool woken_ = false;
};

}  // namespace tarn

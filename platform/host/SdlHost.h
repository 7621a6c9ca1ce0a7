// The desktop host on SDL2: one SDL window per form (on X11 a form's window region cuts the
// window itself through the shape extension), the back buffer presented through the window
// surface, input converted to virtual keys and code-page-936 characters, the clipboard, the
// monitors, and a wake-up event for posted messages from other threads.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "graphics/Region.h"
#include "platform/host/Host.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace tarn {

class TSdlHost : public THost {
 public:
  // Raises Exception when SDL's video cannot start (no display).
  TSdlHost();
  ~TSdlHost() override;

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
  void SetCursor(THostCursor cursor) override;
  void SetTextInput(THostWindowId window, bool enabled) override;
  int MonitorCount() override;
  TRect MonitorBounds(int index) override;
  TPoint CursorPos() override;
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  void Beep() override;
  uint64_t TickCount() override;
  bool PollEvent(THostEvent& event) override;
  void WaitEvent(int timeoutMs) override;
  void Wake() override;

 private:
  struct Window {
    SDL_Window* Sdl = nullptr;
    TRect Bounds;
    std::unique_ptr<Region> Shape;
  };
  Window* Find(THostWindowId id);
  THostWindowId IdOf(uint32_t sdlWindowId) const;
  void ApplyShape(Window& w);
  // Converts an SDL event; false when it means nothing to the framework.
  bool Convert(const SDL_Event& e, std::deque<THostEvent>& out);
  uint32_t Modifiers() const;

  std::map<THostWindowId, Window> windows_;
  THostWindowId next_id_ = 1;
  std::map<THostCursor, SDL_Cursor*> cursors_;
  uint32_t wake_event_ = 0;
  std::deque<THostEvent> pending_;
};

}  // namespace tarn

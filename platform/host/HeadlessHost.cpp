#include "platform/host/HeadlessHost.h"

#include <chrono>

#include "base/Cp936.h"
#include "base/Exception.h"
#include "platform/host/PngWriter.h"

namespace tarn {
namespace {

uint64_t SteadyMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint32_t ButtonFlag(THostButton button) {
  switch (button) {
    case THostButton::Left:
      return hmLeft;
    case THostButton::Right:
      return hmRight;
    case THostButton::Middle:
      return hmMiddle;
    case THostButton::None:
      break;
  }
  return 0;
}

uint32_t ModifierFlag(uint16_t key) {
  switch (key) {
    case 0x10:
      return hmShift;
    case 0x11:
      return hmCtrl;
    case 0x12:
      return hmAlt;
  }
  return 0;
}

}  // namespace

THeadlessHost::THeadlessHost(THeadlessClock clock) : clock_mode_(clock), real_start_(SteadyMs()) {}

THeadlessHost::~THeadlessHost() = default;

THostWindowId THeadlessHost::CreateWindow(const THostWindowParams& params) {
  const THostWindowId id = next_id_++;
  Window& w = windows_[id];
  w.Params = params;
  w.Bounds = params.Bounds;
  w.Title = params.Title;
  w.Screen.SetSize(params.Bounds.Width(), params.Bounds.Height());
  return id;
}

void THeadlessHost::DestroyWindow(THostWindowId window) {
  windows_.erase(window);
  if (active_ == window) active_ = 0;
  if (capture_ == window) capture_ = 0;
}

void THeadlessHost::SetWindowBounds(THostWindowId window, const TRect& bounds) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  Window& w = it->second;
  if (bounds.Width() != w.Bounds.Width() || bounds.Height() != w.Bounds.Height()) {
    // A resized window shows nothing until the framework presents it again.
    w.Screen.SetSize(bounds.Width(), bounds.Height());
  }
  w.Bounds = bounds;
}

void THeadlessHost::ShowWindow(THostWindowId window, bool visible, bool activate) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  it->second.Visible = visible;
  if (visible && activate && active_ != window) {
    SetActive(window, true);
  } else if (!visible && active_ == window) {
    SetActive(window, false);
  }
}

void THeadlessHost::SetWindowTitle(THostWindowId window, const std::string& title) {
  auto it = windows_.find(window);
  if (it != windows_.end()) it->second.Title = title;
}

void THeadlessHost::SetWindowShape(THostWindowId window, const Region* shape) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  it->second.Shape = shape ? std::make_unique<Region>(*shape) : nullptr;
}

void THeadlessHost::MinimizeWindow(THostWindowId window) {
  auto it = windows_.find(window);
  if (it == windows_.end() || it->second.Minimized) return;
  it->second.Minimized = true;
  THostEvent e;
  e.Kind = THostEventKind::Minimized;
  e.Window = window;
  Inject(e);
  if (active_ == window) SetActive(window, false);
}

void THeadlessHost::RestoreWindow(THostWindowId window) {
  auto it = windows_.find(window);
  if (it == windows_.end() || !it->second.Minimized) return;
  it->second.Minimized = false;
  THostEvent e;
  e.Kind = THostEventKind::Restored;
  e.Window = window;
  Inject(e);
}

void THeadlessHost::ActivateWindow(THostWindowId window) {
  if (active_ != window) SetActive(window, true);
}

void THeadlessHost::Present(THostWindowId window, const Bitmap32& buffer,
                            const std::vector<TRect>& changed) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  Window& w = it->second;
  if (w.Screen.Width() != buffer.Width() || w.Screen.Height() != buffer.Height()) {
    w.Screen.SetSize(buffer.Width(), buffer.Height());
  }
  for (const TRect& r : changed) {
    w.Screen.CopyBlock(r.Left, r.Top, r.Width(), r.Height(), buffer, r.Left, r.Top);
  }
  w.LastChanged = changed;
  ++w.PresentCount;
}

void THeadlessHost::CaptureMouse(THostWindowId window, bool capture) {
  if (capture) {
    capture_ = window;
  } else if (capture_ == window) {
    capture_ = 0;
  }
}

void THeadlessHost::SetTextInput(THostWindowId, bool enabled) {
  text_input_ = enabled;
}

TRect THeadlessHost::MonitorBounds(int index) {
  if (index < 0 || index >= MonitorCount()) return {};
  return monitors_[static_cast<std::size_t>(index)];
}

uint64_t THeadlessHost::TickCount() {
  if (clock_mode_ == THeadlessClock::Real) return SteadyMs() - real_start_;
  std::lock_guard<std::mutex> lock(mutex_);
  return manual_now_;
}

void THeadlessHost::Advance(uint64_t ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  manual_now_ += ms;
}

bool THeadlessHost::PollEvent(THostEvent& event) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (queue_.empty()) return false;
  event = std::move(queue_.front());
  queue_.pop_front();
  return true;
}

void THeadlessHost::WaitEvent(int timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  auto ready = [this] { return woken_ || !queue_.empty(); };
  if (ready()) {
    woken_ = false;
    return;
  }
  if (timeoutMs < 0) {
    cv_.wait(lock, ready);
  } else if (clock_mode_ == THeadlessClock::Manual) {
    // Nothing can happen on its own while time stands still: the wait is simply over.
    manual_now_ += static_cast<uint64_t>(timeoutMs);
  } else {
    cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
  }
  woken_ = false;
}

void THeadlessHost::Wake() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    woken_ = true;
  }
  cv_.notify_all();
}

const THeadlessHost::Window* THeadlessHost::FindWindow(THostWindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

void THeadlessHost::Inject(THostEvent event) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(std::move(event));
  }
  cv_.notify_all();
}

THostEvent THeadlessHost::MouseEvent(THostEventKind kind, THostWindowId window, int x, int y) {
  THostEvent e;
  e.Kind = kind;
  e.Window = window;
  e.X = x;
  e.Y = y;
  TRect bounds;
  if (const Window* w = FindWindow(window)) bounds = w->Bounds;
  e.ScreenX = bounds.Left + x;
  e.ScreenY = bounds.Top + y;
  cursor_pos_ = {e.ScreenX, e.ScreenY};
  return e;
}

void THeadlessHost::MouseMove(THostWindowId window, int x, int y) {
  THostEvent e = MouseEvent(THostEventKind::MouseMove, window, x, y);
  e.Modifiers = modifiers_;
  Inject(e);
}

void THeadlessHost::MouseDown(THostWindowId window, int x, int y, THostButton button) {
  THostEvent e = MouseEvent(THostEventKind::MouseDown, window, x, y);
  modifiers_ |= ButtonFlag(button);
  e.Button = button;
  e.Modifiers = modifiers_;
  Inject(e);
}

void THeadlessHost::MouseUp(THostWindowId window, int x, int y, THostButton button) {
  THostEvent e = MouseEvent(THostEventKind::MouseUp, window, x, y);
  modifiers_ &= ~ButtonFlag(button);
  e.Button = button;
  e.Modifiers = modifiers_;
  Inject(e);
}

void THeadlessHost::MouseWheel(THostWindowId window, int x, int y, int delta) {
  THostEvent e = MouseEvent(THostEventKind::MouseWheel, window, x, y);
  e.WheelDelta = delta;
  e.Modifiers = modifiers_;
  Inject(e);
}

void THeadlessHost::MouseLeave(THostWindowId window) {
  THostEvent e;
  e.Kind = THostEventKind::MouseLeave;
  e.Window = window;
  e.Modifiers = modifiers_;
  cursor_pos_ = {-10000, -10000};
  Inject(e);
}

void THeadlessHost::KeyDown(THostWindowId window, uint16_t key) {
  modifiers_ |= ModifierFlag(key);
  THostEvent e;
  e.Kind = THostEventKind::KeyDown;
  e.Window = window;
  e.Key = key;
  e.Modifiers = modifiers_;
  Inject(e);
}

void THeadlessHost::KeyUp(THostWindowId window, uint16_t key) {
  modifiers_ &= ~ModifierFlag(key);
  THostEvent e;
  e.Kind = THostEventKind::KeyUp;
  e.Window = window;
  e.Key = key;
  e.Modifiers = modifiers_;
  Inject(e);
}

void THeadlessHost::PressKey(THostWindowId window, uint16_t key, const std::string& text) {
  KeyDown(window, key);
  TypeText(window, text);
  KeyUp(window, key);
}

void THeadlessHost::TypeText(THostWindowId window, const std::string& cp936) {
  for (std::size_t i = 0; i < cp936.size();) {
    const std::size_t n =
        IsLeadByte(static_cast<uint8_t>(cp936[i])) && i + 1 < cp936.size() ? 2 : 1;
    THostEvent e;
    e.Kind = THostEventKind::Char;
    e.Window = window;
    e.Text = cp936.substr(i, n);
    e.Modifiers = modifiers_;
    Inject(e);
    i += n;
  }
}

void THeadlessHost::RequestClose(THostWindowId window) {
  THostEvent e;
  e.Kind = THostEventKind::Close;
  e.Window = window;
  Inject(e);
}

void THeadlessHost::SetActive(THostWindowId window, bool active) {
  if (active) {
    if (active_ != 0 && active_ != window) {
      THostEvent off;
      off.Kind = THostEventKind::Deactivate;
      off.Window = active_;
      Inject(off);
    }
    active_ = window;
  } else if (active_ == window) {
    active_ = 0;
  }
  THostEvent e;
  e.Kind = active ? THostEventKind::Activate : THostEventKind::Deactivate;
  e.Window = window;
  Inject(e);
}

void THeadlessHost::SavePng(THostWindowId window, const std::string& hostPath) const {
  const Window* w = FindWindow(window);
  if (w == nullptr) throw Exception("No such headless window");
  WritePng(w->Screen, hostPath);
}

}  // namespace tarn

#include "platform/host/SdlHost.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/Cp936.h"
#include "base/Exception.h"
#include "graphics/Bitmap32.h"
#include "platform/host/VirtualKeys.h"
#include "platform/host/X11Shape.h"

namespace tarn {
namespace {

uint16_t ToVirtualKey(SDL_Keycode k) {
  if (k >= SDLK_a && k <= SDLK_z) return static_cast<uint16_t>('A' + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9) return static_cast<uint16_t>('0' + (k - SDLK_0));
  if (k >= SDLK_F1 && k <= SDLK_F12) return static_cast<uint16_t>(VK_F1 + (k - SDLK_F1));
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9)
    return static_cast<uint16_t>(VK_NUMPAD0 + 1 + (k - SDLK_KP_1));
  switch (k) {
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
      return VK_MENU;
    case SDLK_PAUSE:
      return VK_PAUSE;
    case SDLK_CAPSLOCK:
      return VK_CAPITAL;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_END:
      return VK_END;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_INSERT:
      return VK_INSERT;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_APPLICATION:
      return VK_APPS;
    case SDLK_KP_0:
      return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY:
      return VK_MULTIPLY;
    case SDLK_KP_PLUS:
      return VK_ADD;
    case SDLK_KP_MINUS:
      return VK_SUBTRACT;
    case SDLK_KP_PERIOD:
      return VK_DECIMAL;
    case SDLK_KP_DIVIDE:
      return VK_DIVIDE;
    default:
      return 0;
  }
}

THostButton ToButton(uint8_t b) {
  switch (b) {
    case SDL_BUTTON_LEFT:
      return THostButton::Left;
    case SDL_BUTTON_RIGHT:
      return THostButton::Right;
    case SDL_BUTTON_MIDDLE:
      return THostButton::Middle;
    default:
      return THostButton::None;
  }
}

}  // namespace

TSdlHost::TSdlHost() {
  // The window surface is written by the CPU; a renderer behind it would re-create the window
  // (losing its shape) and gains nothing.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    throw Exception(std::string("Cannot start the desktop host: ") + SDL_GetError());
  }
  wake_event_ = SDL_RegisterEvents(1);
  // Characters arrive as text events; dialog characters need them even without an edit box.
  SDL_StartTextInput();
}

TSdlHost::~TSdlHost() {
  for (auto& [id, w] : windows_)
    SDL_DestroyWindow(w.Sdl);
  for (auto& [shape, cursor] : cursors_)
    SDL_FreeCursor(cursor);
  SDL_Quit();
}

TSdlHost::Window* TSdlHost::Find(THostWindowId id) {
  auto it = windows_.find(id);
  return it == windows_.end() ? nullptr : &it->second;
}

THostWindowId TSdlHost::IdOf(uint32_t sdlWindowId) const {
  for (const auto& [id, w] : windows_) {
    if (SDL_GetWindowID(w.Sdl) == sdlWindowId) return id;
  }
  return 0;
}

THostWindowId TSdlHost::CreateWindow(const THostWindowParams& params) {
  const std::string title = Cp936ToUtf8(params.Title, Conversion::Replace);
  const TRect& b = params.Bounds;
  Window w;
  w.Bounds = b;
  uint32_t flags = SDL_WINDOW_HIDDEN;
  if (params.ToolWindow) flags |= SDL_WINDOW_SKIP_TASKBAR;
  if (!params.Framed) flags |= SDL_WINDOW_BORDERLESS;
  // The desktop's window manager leaves such windows alone: no focus, no decoration.
  if (params.Popup) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_ALWAYS_ON_TOP;
  w.Sdl = SDL_CreateWindow(title.c_str(), b.Left, b.Top, b.Width(), b.Height(), flags);
  if (w.Sdl == nullptr) throw Exception(std::string("Cannot create a window: ") + SDL_GetError());
  const THostWindowId id = next_id_++;
  windows_.emplace(id, std::move(w));
  return id;
}

void TSdlHost::DestroyWindow(THostWindowId window) {
  Window* w = Find(window);
  if (w == nullptr) return;
  SDL_DestroyWindow(w->Sdl);
  windows_.erase(window);
}

void TSdlHost::SetWindowBounds(THostWindowId window, const TRect& bounds) {
  Window* w = Find(window);
  if (w == nullptr) return;
  const bool resized = bounds.Width() != w->Bounds.Width() || bounds.Height() != w->Bounds.Height();
  w->Bounds = bounds;
  if (resized) SDL_SetWindowSize(w->Sdl, bounds.Width(), bounds.Height());
  SDL_SetWindowPosition(w->Sdl, bounds.Left, bounds.Top);
  if (resized && w->Shape) ApplyShape(*w);
}

void TSdlHost::ShowWindow(THostWindowId window, bool visible, bool activate) {
  Window* w = Find(window);
  if (w == nullptr) return;
  if (visible) {
    SDL_ShowWindow(w->Sdl);
    // Mapping the window may drop a shape set while it was hidden.
    if (w->Shape) ApplyShape(*w);
    if (activate) SDL_RaiseWindow(w->Sdl);
  } else {
    SDL_HideWindow(w->Sdl);
  }
}

void TSdlHost::SetWindowTitle(THostWindowId window, const std::string& title) {
  if (Window* w = Find(window)) {
    SDL_SetWindowTitle(w->Sdl, Cp936ToUtf8(title, Conversion::Replace).c_str());
  }
}

void TSdlHost::SetWindowShape(THostWindowId window, const Region* shape) {
  Window* w = Find(window);
  if (w == nullptr) return;
  w->Shape = shape ? std::make_unique<Region>(*shape) : nullptr;
  ApplyShape(*w);
}

void TSdlHost::ApplyShape(Window& w) {
  std::vector<TRect> rects;
  if (w.Shape) rects = w.Shape->Rects();
  // Desktops other than X11 keep the window rectangular.
  SetX11WindowShape(w.Sdl, w.Shape ? &rects : nullptr);
}

void TSdlHost::MinimizeWindow(THostWindowId window) {
  if (Window* w = Find(window)) SDL_MinimizeWindow(w->Sdl);
}

void TSdlHost::RestoreWindow(THostWindowId window) {
  if (Window* w = Find(window)) SDL_RestoreWindow(w->Sdl);
}

void TSdlHost::ActivateWindow(THostWindowId window) {
  if (Window* w = Find(window)) SDL_RaiseWindow(w->Sdl);
}

void TSdlHost::Present(THostWindowId window, const Bitmap32& buffer,
                       const std::vector<TRect>& changed) {
  Window* w = Find(window);
  if (w == nullptr) return;
  SDL_Surface* surface = SDL_GetWindowSurface(w->Sdl);
  if (surface == nullptr) return;
  std::vector<SDL_Rect> rects;
  const TRect all =
      Rect(0, 0, std::min(buffer.Width(), surface->w), std::min(buffer.Height(), surface->h));
  for (const TRect& r0 : changed) {
    const TRect r = r0.Intersect(all);
    if (r.IsEmpty()) continue;
    // The back buffer's pixels are ARGB8888 in memory; a staging surface converts them to
    // whatever the window surface uses.
    SDL_Surface* stage =
        SDL_CreateRGBSurfaceWithFormat(0, r.Width(), r.Height(), 32, SDL_PIXELFORMAT_ARGB8888);
    if (stage == nullptr) continue;
    for (int y = 0; y < r.Height(); ++y) {
      std::memcpy(static_cast<uint8_t*>(stage->pixels) + y * stage->pitch,
                  buffer.ScanLine(r.Top + y) + r.Left, static_cast<std::size_t>(r.Width()) * 4);
    }
    SDL_SetSurfaceBlendMode(stage, SDL_BLENDMODE_NONE);
    SDL_Rect dest{r.Left, r.Top, r.Width(), r.Height()};
    SDL_BlitSurface(stage, nullptr, surface, &dest);
    SDL_FreeSurface(stage);
    rects.push_back({r.Left, r.Top, r.Width(), r.Height()});
  }
  if (!rects.empty()) {
    SDL_UpdateWindowSurfaceRects(w->Sdl, rects.data(), static_cast<int>(rects.size()));
  }
}

void TSdlHost::CaptureMouse(THostWindowId, bool capture) {
  SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

void TSdlHost::SetCursor(THostCursor cursor) {
  SDL_Cursor*& c = cursors_[cursor];
  if (c == nullptr) {
    SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
    switch (cursor) {
      case THostCursor::Arrow:
        id = SDL_SYSTEM_CURSOR_ARROW;
        break;
      case THostCursor::IBeam:
        id = SDL_SYSTEM_CURSOR_IBEAM;
        break;
      case THostCursor::Wait:
        id = SDL_SYSTEM_CURSOR_WAIT;
        break;
      case THostCursor::Cross:
        id = SDL_SYSTEM_CURSOR_CROSSHAIR;
        break;
      case THostCursor::HandPoint:
        id = SDL_SYSTEM_CURSOR_HAND;
        break;
      case THostCursor::SizeAll:
        id = SDL_SYSTEM_CURSOR_SIZEALL;
        break;
      case THostCursor::SizeWE:
        id = SDL_SYSTEM_CURSOR_SIZEWE;
        break;
      case THostCursor::SizeNS:
        id = SDL_SYSTEM_CURSOR_SIZENS;
        break;
      case THostCursor::No:
        id = SDL_SYSTEM_CURSOR_NO;
        break;
    }
    c = SDL_CreateSystemCursor(id);
  }
  if (c != nullptr && SDL_GetCursor() != c) SDL_SetCursor(c);
}

void TSdlHost::SetTextInput(THostWindowId, bool) {
  // Text input stays on: plain letters also reach check boxes and buttons as dialog characters.
}

int TSdlHost::MonitorCount() {
  return std::max(0, SDL_GetNumVideoDisplays());
}

TRect TSdlHost::MonitorBounds(int index) {
  SDL_Rect r;
  if (SDL_GetDisplayBounds(index, &r) != 0) return {};
  return Bounds(r.x, r.y, r.w, r.h);
}

TPoint TSdlHost::CursorPos() {
  int x = 0, y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  return {x, y};
}

std::string TSdlHost::ClipboardText() {
  char* text = SDL_GetClipboardText();
  if (text == nullptr) return {};
  std::string result = Utf8ToCp936(text, Conversion::Replace);
  SDL_free(text);
  return result;
}

void TSdlHost::SetClipboardText(const std::string& text) {
  SDL_SetClipboardText(Cp936ToUtf8(text, Conversion::Replace).c_str());
}

void TSdlHost::Beep() {
  // SDL has no system sound; the terminal bell is the closest thing a desktop offers.
  std::fputc('\a', stderr);
}

uint64_t TSdlHost::TickCount() {
  return SDL_GetTicks64();
}

uint32_t TSdlHost::Modifiers() const {
  uint32_t m = 0;
  const SDL_Keymod mod = SDL_GetModState();
  if (mod & KMOD_SHIFT) m |= hmShift;
  if (mod & KMOD_CTRL) m |= hmCtrl;
  if (mod & KMOD_ALT) m |= hmAlt;
  const uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  if (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) m |= hmLeft;
  if (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) m |= hmRight;
  if (buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE)) m |= hmMiddle;
  return m;
}

bool TSdlHost::Convert(const SDL_Event& e, std::deque<THostEvent>& out) {
  THostEvent h;
  h.Modifiers = Modifiers();
  switch (e.type) {
    case SDL_MOUSEMOTION:
      h.Kind = THostEventKind::MouseMove;
      h.Window = IdOf(e.motion.windowID);
      h.X = e.motion.x;
      h.Y = e.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      h.Kind = e.type == SDL_MOUSEBUTTONDOWN ? THostEventKind::MouseDown : THostEventKind::MouseUp;
      h.Window = IdOf(e.button.windowID);
      h.X = e.button.x;
      h.Y = e.button.y;
      h.Button = ToButton(e.button.button);
      if (h.Button == THostButton::None) return false;
      break;
    case SDL_MOUSEWHEEL: {
      h.Kind = THostEventKind::MouseWheel;
      h.Window = IdOf(e.wheel.windowID);
      h.WheelDelta = e.wheel.y * 120;
      if (h.WheelDelta == 0) return false;
      SDL_GetMouseState(&h.X, &h.Y);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      h.Kind = e.type == SDL_KEYDOWN ? THostEventKind::KeyDown : THostEventKind::KeyUp;
      h.Window = IdOf(e.key.windowID);
      h.Key = ToVirtualKey(e.key.keysym.sym);
      h.Repeat = e.key.repeat != 0;
      if (h.Key == 0) return false;
      break;
    case SDL_TEXTINPUT: {
      const THostWindowId window = IdOf(e.text.windowID);
      const std::string text = Utf8ToCp936(e.text.text, Conversion::Replace);
      for (std::size_t i = 0; i < text.size();) {
        const std::size_t n =
            IsLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
        THostEvent c = h;
        c.Kind = THostEventKind::Char;
        c.Window = window;
        c.Text = text.substr(i, n);
        out.push_back(c);
        i += n;
      }
      return !text.empty();
    }
    case SDL_WINDOWEVENT:
      h.Window = IdOf(e.window.windowID);
      switch (e.window.event) {
        case SDL_WINDOWEVENT_LEAVE:
          h.Kind = THostEventKind::MouseLeave;
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          h.Kind = THostEventKind::Activate;
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          h.Kind = THostEventKind::Deactivate;
          break;
        case SDL_WINDOWEVENT_CLOSE:
          h.Kind = THostEventKind::Close;
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          h.Kind = THostEventKind::Expose;
          break;
        case SDL_WINDOWEVENT_MINIMIZED:
          h.Kind = THostEventKind::Minimized;
          break;
        case SDL_WINDOWEVENT_RESTORED:
          h.Kind = THostEventKind::Restored;
          break;
        case SDL_WINDOWEVENT_MOVED: {
          h.Kind = THostEventKind::Moved;
          h.X = e.window.data1;
          h.Y = e.window.data2;
          Window* w = Find(h.Window);
          if (w == nullptr || (w->Bounds.Left == h.X && w->Bounds.Top == h.Y)) return false;
          w->Bounds = Bounds(h.X, h.Y, w->Bounds.Width(), w->Bounds.Height());
          break;
        }
        default:
          return false;
      }
      break;
    case SDL_QUIT:
      h.Kind = THostEventKind::Quit;
      break;
    default:
      return false;
  }
  if (h.Window == 0 && h.Kind != THostEventKind::Quit) return false;
  // The screen position of a mouse event: the window's place (as we last put it) plus the
  // event's window coordinates; the desktop's global pointer query can lag behind the events.
  if (const Window* w = Find(h.Window); w != nullptr && h.Kind != THostEventKind::Moved) {
    h.ScreenX = w->Bounds.Left + h.X;
    h.ScreenY = w->Bounds.Top + h.Y;
  }
  if (std::getenv("TARN_HOST_TRACE") != nullptr) {
    std::fprintf(stderr, "host event %d window %u at %d,%d screen %d,%d mods %x\n",
                 static_cast<int>(h.Kind), h.Window, h.X, h.Y, h.ScreenX, h.ScreenY, h.Modifiers);
  }
  out.push_back(h);
  return true;
}

bool TSdlHost::PollEvent(THostEvent& event) {
  SDL_Event e;
  while (pending_.empty() && SDL_PollEvent(&e) != 0) {
    if (e.type == wake_event_) continue;
    Convert(e, pending_);
  }
  if (pending_.empty()) return false;
  event = std::move(pending_.front());
  pending_.pop_front();
  return true;
}

void TSdlHost::WaitEvent(int timeoutMs) {
  if (!pending_.empty()) return;
  SDL_Event e;
  const int got = timeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeoutMs);
  if (got != 0 && e.type != wake_event_) Convert(e, pending_);
}

void TSdlHost::Wake() {
  SDL_Event e;
  SDL_zero(e);
  e.type = wake_event_;
  SDL_PushEvent(&e);
}

}  // namespace tarn

#include "framework/WinControl.h"

#include <algorithm>
#include <unordered_map>

#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "graphics/Canvas.h"
#include "graphics/Region.h"

namespace tarn {
namespace {

std::unordered_map<THandle, TWinControl*>& HandleTable() {
  static std::unordered_map<THandle, TWinControl*> table;
  return table;
}
THandle next_handle = 1;

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  handle_ = next_handle++;
  HandleTable()[handle_] = this;
}

TWinControl::~TWinControl() {
  IncludeState(csDestroying);
  DestroyChildren();
  // Leave the parent while still a windowed control: its lists tell the two kinds apart.
  SetParent(nullptr);
  HandleTable().erase(handle_);
  if (Application != nullptr) Application->KillTimers(this);
}

void TWinControl::DestroyChildren() {
  // Children go with their parent, whoever owns them (their owner's list forgets them).
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    RemoveControl(child);
    delete child;
  }
}

TWinControl* TWinControl::FindControl(THandle handle) {
  auto& table = HandleTable();
  auto it = table.find(handle);
  return it == table.end() ? nullptr : it->second;
}

// --- Children

TControl* TWinControl::Controls(int index) const {
  return controls_.at(static_cast<std::size_t>(index));
}

bool TWinControl::ContainsControl(const TControl* control) const {
  return InSubtree(this, control);
}

void TWinControl::RebuildControlList() {
  controls_.assign(graphic_.begin(), graphic_.end());
  controls_.insert(controls_.end(), windowed_.begin(), windowed_.end());
}

void TWinControl::InsertControl(TControl* control) {
  control->SetParentField(this);
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    windowed_.push_back(w);
    if (std::find(tab_list_.begin(), tab_list_.end(), w) == tab_list_.end()) tab_list_.push_back(w);
  } else {
    graphic_.push_back(control);
  }
  RebuildControlList();
  control->UpdateAnchorRules();
  if (control->ParentColor()) control->Perform(CM_PARENTCOLORCHANGED);
  if (control->ParentFont()) control->Perform(CM_PARENTFONTCHANGED);
  if (control->ParentShowHint()) control->Perform(CM_PARENTSHOWHINTCHANGED);
  if (control->Visible()) {
    // A control shows its frame and client area when it arrives.
    InvalidateRect(control->BoundsRect(), true);
  }
  if (control->Align() != TAlign::alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->Visible()) InvalidateRect(control->BoundsRect(), true);
  if (TCustomForm* form = ParentForm()) form->ControlGoing(control);
  if (Application != nullptr) Application->ControlGoing(control);
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    windowed_.erase(std::remove(windowed_.begin(), windowed_.end(), w), windowed_.end());
    tab_list_.erase(std::remove(tab_list_.begin(), tab_list_.end(), w), tab_list_.end());
  } else {
    graphic_.erase(std::remove(graphic_.begin(), graphic_.end(), control), graphic_.end());
  }
  RebuildControlList();
  control->SetParentField(nullptr);
  if (control->Align() != TAlign::alNone && !Destroying()) Realign();
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool deep) const {
  for (auto it = windowed_.rbegin(); it != windowed_.rend(); ++it) {
    TWinControl* c = *it;
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    if (!c->BoundsRect().Contains(p)) continue;
    if (deep) {
      const TPoint off = c->ClientOffset();
      const TPoint q{p.X - c->Left() - off.X, p.Y - c->Top() - off.Y};
      if (c->ClientRect().Contains(q)) {
        if (TControl* inner = c->ControlAtPos(q, allowDisabled, true)) return inner;
      }
    }
    return c;
  }
  for (auto it = graphic_.rbegin(); it != graphic_.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    if (c->BoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  // Copy: a handler may add or remove controls.
  const std::vector<TControl*> list = controls_;
  for (TControl* c : list) {
    if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
    c->WndProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(uint32_t msg, intptr_t wParam, intptr_t lParam) {
  const std::vector<TControl*> list = controls_;
  for (TControl* c : list) {
    if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
    c->Perform(msg, wParam, lParam);
  }
}

// --- Client area and border

TRect TWinControl::ClientRect() const {
  const int w = Width() - border_.Left - border_.Right;
  const int h = Height() - border_.Top - border_.Bottom;
  return Rect(0, 0, std::max(0, w), std::max(0, h));
}

void TWinControl::UpdateBorder() {
  TRect border;
  Perform(WM_NCCALCSIZE, 0, reinterpret_cast<intptr_t>(&border));
  border_ = border;
}

void TWinControl::FrameChanged() {
  UpdateBorder();
  InvalidateFrame();
  Realign();
}

void TWinControl::InvalidateFrame() {
  if (Parent() != nullptr) {
    Parent()->InvalidateRect(BoundsRect(), true);
  } else if (TCustomForm* form = ParentForm()) {
    form->InvalidateArea(Region(Rect(0, 0, Width(), Height())), true);
  }
}

void TWinControl::BoundsChanged() {
  UpdateBorder();
  const TRect c = ClientRect();
  if (c.Width() != last_client_size_.cx || c.Height() != last_client_size_.cy) Realign();
}

// --- Alignment

void TWinControl::EnableAlign() {
  if (align_disabled_ > 0) --align_disabled_;
  if (align_disabled_ == 0 && realign_pending_) Realign();
}

void TWinControl::Realign() {
  if (align_disabled_ > 0 || aligning_) {
    realign_pending_ = true;
    return;
  }
  realign_pending_ = false;
  aligning_ = true;
  try {
    TRect rect = ClientRect();
    AlignControls(nullptr, rect);
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
  const TRect c = ClientRect();
  last_client_size_ = {c.Width(), c.Height()};
}

void TWinControl::ApplyAnchors(TControl* control, const TRect& client) {
  if (!control->anchor_rules_valid_) return;
  const TAnchors a = control->Anchors();
  if (a == (akLeft | akTop)) return;
  const TRect& r = control->anchor_bounds_;
  const int dw = client.Width() - control->anchor_parent_size_.cx;
  const int dh = client.Height() - control->anchor_parent_size_.cy;
  int left = r.Left, top = r.Top, width = r.Width(), height = r.Height();
  if ((a & akLeft) && (a & akRight)) {
    width += dw;
  } else if (a & akRight) {
    left += dw;
  } else if (!(a & akLeft)) {
    left += dw / 2;  // neither side: keep the centre's share
  }
  if ((a & akTop) && (a & akBottom)) {
    height += dh;
  } else if (a & akBottom) {
    top += dh;
  } else if (!(a & akTop)) {
    top += dh / 2;
  }
  control->SetBounds(left, top, width, height);
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
  // Anchored controls follow the new client size first; then the aligned ones fill the client
  // area from the edges inwards: top, bottom, left, right, client.
  const TRect client = ClientRect();
  for (TControl* c : controls_) {
    if (c->Align() == TAlign::alNone) ApplyAnchors(c, client);
  }
  static constexpr TAlign kOrder[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft,
                                      TAlign::alRight, TAlign::alClient};
  for (TAlign align : kOrder) {
    std::vector<TControl*> list;
    for (TControl* c : controls_) {
      if (c->Align() == align && c->Visible()) list.push_back(c);
    }
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case TAlign::alTop:
          return a->Top() < b->Top();
        case TAlign::alBottom:
          return a->Top() + a->Height() > b->Top() + b->Height();
        case TAlign::alLeft:
          return a->Left() < b->Left();
        case TAlign::alRight:
          return a->Left() + a->Width() > b->Left() + b->Width();
        default:
          return false;
      }
    });
    for (TControl* c : list) {
      switch (align) {
        case TAlign::alTop:
          c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
          rect.Top += c->Height();
          break;
        case TAlign::alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
          rect.Bottom -= c->Height();
          break;
        case TAlign::alLeft:
          c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height());
          rect.Left += c->Width();
          break;
        case TAlign::alRight:
          c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
          rect.Right -= c->Width();
          break;
        case TAlign::alClient:
          c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
          break;
        case TAlign::alNone:
          break;
      }
      if (rect.Bottom < rect.Top) rect.Bottom = rect.Top;
      if (rect.Right < rect.Left) rect.Right = rect.Left;
    }
  }
}

// --- Focus

void TWinControl::SetTabStop(bool value) {
  if (value == tab_stop_) return;
  tab_stop_ = value;
  Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
  if (Parent() == nullptr) return -1;
  const auto& list = Parent()->tab_list_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (Parent() == nullptr) return;
  auto& list = Parent()->tab_list_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() const {
  const TCustomForm* form = ParentForm();
  if (form == nullptr) return false;
  for (const TControl* c = this; c != form; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return form->Visible() && form->Enabled();
}

bool TWinControl::Focused() const {
  const TCustomForm* form = ParentForm();
  if (form == nullptr || !form->Active()) return false;
  return form->ActiveControl() == this || (form == this && form->ActiveControl() == nullptr);
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = ParentForm()) form->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tab_list_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = static_cast<int>(list.size());
  int start = -1;
  if (current != nullptr) {
    auto it = std::find(list.begin(), list.end(), current);
    if (it != list.end()) start = static_cast<int>(it - list.begin());
  }
  if (start < 0) start = goForward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = goForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c == current && step + 1 < n) continue;
    if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus()) {
      return c;
    }
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) {
    next->SetFocus();
  }
}

// --- Painting

void TWinControl::Invalidate() {
  InvalidateRect(ClientRect(), (style_ & csOpaque) == 0);
}

void TWinControl::InvalidateRect(const TRect& rect, bool erase) {
  InvalidateRegion(Region(rect), erase);
}

void TWinControl::InvalidateRegion(const Region& region, bool erase) {
  if (Application != nullptr && !Application->IsUIThread()) {
    const Region copy = region;
    Application->Synchronize([this, copy, erase] { InvalidateRegion(copy, erase); });
    return;
  }
  TCustomForm* form = ParentForm();
  if (form == nullptr || !Showing()) return;
  Region area = region;
  area &= Region(ClientRect());
  const TRect client = FormClientRect();
  area.Offset(client.Left, client.Top);
  if (!area.IsEmpty()) form->InvalidateArea(area, erase);
}

void TWinControl::Update() {
  if (Application != nullptr && !Application->IsUIThread()) {
    Application->Synchronize([this] { Update(); });
    return;
  }
  TCustomForm* form = ParentForm();
  if (form == nullptr || !Showing()) return;
  const TRect client = FormClientRect();
  const TPoint off = ClientOffset();
  const TRect window = Bounds(client.Left - off.X, client.Top - off.Y, Width(), Height());
  form->PaintPending(&window);
}

void TWinControl::PaintWindow(Canvas&) {}

void TWinControl::PaintHandler(Canvas& canvas) {
  {
    CanvasStateSaver saver(canvas);
    // Opaque window-less children cover their bounds: the parent need not paint there.
    for (TControl* c : graphic_) {
      if (c->Visible() && (c->ControlStyle() & csOpaque)) canvas.ExcludeClipRect(c->BoundsRect());
    }
    PaintWindow(canvas);
  }
  const std::vector<TControl*> list = graphic_;
  for (TControl* c : list) {
    if (!c->Visible() || !canvas.IsVisible(c->BoundsRect())) continue;
    CanvasStateSaver saver(canvas);
    canvas.MoveOrigin(c->Left(), c->Top());
    canvas.IntersectClipRect(Rect(0, 0, c->Width(), c->Height()));
    c->Perform(WM_PAINT, reinterpret_cast<intptr_t>(&canvas));
  }
}

void TWinControl::PaintParentBackground(Canvas& canvas) {
  TWinControl* parent = Parent();
  if (parent == nullptr) return;
  CanvasStateSaver saver(canvas);
  const TPoint off = ClientOffset();
  canvas.MoveOrigin(-(Left() + off.X), -(Top() + off.Y));
  canvas.IntersectClipRect(parent->ClientRect());
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<intptr_t>(&canvas));
  parent->Perform(WM_PAINT, reinterpret_cast<intptr_t>(&canvas));
}

// --- Messages

void TWinControl::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (m.WParam != 0) PaintHandler(*reinterpret_cast<Canvas*>(m.WParam));
      return;
    case WM_ERASEBKGND:
      if (m.WParam != 0) {
        reinterpret_cast<Canvas*>(m.WParam)->FillRect(ClientRect(), Color());
      }
      m.Result = 1;
      return;
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      auto key = static_cast<uint16_t>(m.WParam);
      KeyDown(key, Application != nullptr ? Application->ShiftState() : 0);
      if (key == 0) m.Result = 1;
      m.WParam = key;
      return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      auto key = static_cast<uint16_t>(m.WParam);
      KeyUp(key, Application != nullptr ? Application->ShiftState() : 0);
      if (key == 0) m.Result = 1;
      m.WParam = key;
      return;
    }
    case WM_CHAR: {
      char key = static_cast<char>(m.WParam);
      KeyPress(key);
      if (key == 0) m.Result = 1;
      m.WParam = static_cast<uint8_t>(key);
      return;
    }
    case CM_DIALOGCHAR:
    case CM_DIALOGKEY:
      Broadcast(m);
      return;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) {
        if (TCustomForm* form = ParentForm(); form != nullptr && form != this) {
          form->ControlGoing(this);
        }
      }
      break;
    case CM_COLORCHANGED:
      TControl::DefaultHandler(m);
      NotifyControls(CM_PARENTCOLORCHANGED);
      return;
    case CM_FONTCHANGED:
      TControl::DefaultHandler(m);
      NotifyControls(CM_PARENTFONTCHANGED);
      return;
    case CM_SHOWHINTCHANGED:
      NotifyControls(CM_PARENTSHOWHINTCHANGED);
      return;
    case CM_SYSCOLORCHANGE:
      NotifyControls(CM_SYSCOLORCHANGE);
      return;
    case WM_SIZE:
      TControl::DefaultHandler(m);
      return;
    default:
      break;
  }
  TControl::DefaultHandler(m);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}
void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}
bool TWinControl::DoMouseWheel(TShiftState shift, int delta, TPoint mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, delta, mousePos, handled);
  return handled;
}

}  // namespace tarn

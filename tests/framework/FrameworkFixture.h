// Shared set-up of the framework tests: an application on a headless host with a manual clock,
// and probe controls that log what happens to them.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "graphics/Canvas.h"
#include "platform/host/HeadlessHost.h"

namespace tarn::testing {

using Log = std::vector<std::string>;

// A windowed control that fills itself with its colour and logs its events.
class TProbe : public TCustomControl {
 public:
  TProbe(TWinControl* parent, const std::string& name, TRect bounds, Log* log)
      : TCustomControl(parent->ParentForm() ? static_cast<TComponent*>(parent->ParentForm())
                                            : parent),
        log_(log) {
    SetName(name);
    SetBoundsRect(bounds);
    SetParent(parent);
    SetParentColor(false);
    OnClick = [this](TObject*) { Add("click"); };
    OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int x, int y) {
      Add("down" + Button(b) + "@" + std::to_string(x) + "," + std::to_string(y));
    };
    OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int x, int y) {
      Add("up" + Button(b) + "@" + std::to_string(x) + "," + std::to_string(y));
    };
    OnMouseEnter = [this](TObject*) { Add("enter"); };
    OnMouseLeave = [this](TObject*) { Add("leave"); };
    OnEnter = [this](TObject*) { Add("Enter"); };
    OnExit = [this](TObject*) { Add("Exit"); };
    OnDblClick = [this](TObject*) { Add("dblclick"); };
  }
  void Add(const std::string& what) {
    if (log_) log_->push_back(Name() + ":" + what);
  }
  static std::string Button(TMouseButton b) {
    return b == TMouseButton::mbLeft ? "L" : b == TMouseButton::mbRight ? "R" : "M";
  }
  int paints = 0;
  bool transparent = false;
  bool log_moves = false;

 protected:
  void Paint() override {
    ++paints;
    Canvas& c = GetCanvas();
    if (transparent) {
      PaintParentBackground(c);
      c.FillRect(Rect(2, 2, 4, 4), Color());  // a small mark of its own
    } else {
      c.FillRect(ClientRect(), Color());
    }
  }
  void MouseMove(TShiftState shift, int x, int y) override {
    if (log_moves) Add("move@" + std::to_string(x) + "," + std::to_string(y));
    TCustomControl::MouseMove(shift, x, y);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SETFOCUS) Add("setfocus");
    if (m.Msg == WM_KILLFOCUS) Add("killfocus");
    if (m.Msg == WM_CAPTURECHANGED) Add("capturechanged");
    if (m.Msg == CM_DIALOGCHAR && IsAccel(static_cast<uint32_t>(m.WParam), Caption()) &&
        CanFocus()) {
      Add("accel");
      SetFocus();
      m.Result = 1;
      return;
    }
    if (m.Msg >= WM_USER && m.Msg < CM_BASE) {
      Add("msg" + std::to_string(m.Msg) + "/" + std::to_string(m.WParam));
      return;
    }
    TCustomControl::WndProc(m);
  }
  Log* log_;
};

// A window-less control that fills its bounds (or a part of them) with its colour.
class TPatch : public TGraphicControl {
 public:
  TPatch(TWinControl* parent, const std::string& name, TRect bounds, TColor color, Log* log)
      : TGraphicControl(parent->ParentForm()), log_(log) {
    SetName(name);
    SetBoundsRect(bounds);
    SetParent(parent);
    SetColor(color);
    OnClick = [this](TObject*) { Add("click"); };
    OnMouseEnter = [this](TObject*) { Add("enter"); };
    OnMouseLeave = [this](TObject*) { Add("leave"); };
    OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Add("down"); };
    OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Add("up"); };
  }
  void Add(const std::string& what) {
    if (log_) log_->push_back(Name() + ":" + what);
  }
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    GetCanvas().FillRect(Rect(0, 0, Width(), Height()), Color());
  }
  Log* log_;
};

class FrameworkTest : public ::testing::Test {
 protected:
  FrameworkTest() : app(std::make_unique<TApplication>(host)) {
    app->SetMessageBoxHandler([this](const std::string& text, const std::string&, uint32_t) {
      boxes.push_back(text);
      return IDOK;
    });
  }

  // A shown borderless form of the given size at (100, 50), painted once.
  TForm* MakeForm(int width = 200, int height = 150) {
    auto* form = app->CreateForm<TForm>();
    form->SetBorderStyle(TBorderStyle::bsNone);
    form->SetBounds(100, 50, width, height);
    form->SetColor(clWhite);
    return form;
  }
  void ShowAndSettle(TForm* form) {
    form->Show();
    app->ProcessMessages();
  }
  THostWindowId Win(TForm* form) const { return form->HostWindow(); }
  void Click(TForm* form, int x, int y) {
    host.MouseMove(Win(form), x, y);
    host.MouseDown(Win(form), x, y);
    host.MouseUp(Win(form), x, y);
    app->ProcessMessages();
  }
  const Bitmap32& Screen(TForm* form) const { return host.FindWindow(Win(form))->Screen; }
  TColor ScreenColor(TForm* form, int x, int y) const {
    return PixelToColor(Screen(form).PixelAt(x, y));
  }

  // The logs outlive the application, whose forms still log while they go.
  std::vector<std::string> boxes;
  Log log;
  THeadlessHost host;
  std::unique_ptr<TApplication> app;
};

}  // namespace tarn::testing

// framework-demo: a borderless window with rounded corners that is dragged by its title bar,
// with a few controls painted through the framework: a window-less close button, a check box,
// a push button and a counter. Run it on a desktop (or under Xvfb) and look at it.
//   framework-demo [--screenshot FILE.png --after MS]
// With --screenshot the program writes what its window shows to FILE.png after MS
// milliseconds and ends.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "framework/MenuItem.h"
#include "framework/PopupMenu.h"
#include "graphics/Canvas.h"
#include "platform/host/PngWriter.h"
#include "platform/host/SdlHost.h"
#include "platform/host/VirtualKeys.h"

namespace tarn {
namespace {

const char kSong[] = "\xCB\xCE\xCC\xE5";  // 宋体

// The title bar: a two-tone band with the caption; a press drags the window.
class TTitleBar : public TCustomControl {
 public:
  explicit TTitleBar(TCustomForm* form) : TCustomControl(form) {
    SetParent(form);
    SetAlign(TAlign::alTop);
    SetHeight(29);
    SetColor(RGBColor(0x2D, 0x6A, 0xB4));
    Font f = GetFont();
    f.Name = kSong;
    f.Height = 12;
    f.Style = fsBold;
    f.Color = clWhite;
    SetFont(f);
  }

 protected:
  void Paint() override {
    Canvas& c = GetCanvas();
    const TRect r = ClientRect();
    for (int y = 0; y < r.Height(); ++y) {
      const int t = y * 255 / std::max(1, r.Height() - 1);
      c.FillRect(Rect(0, y, r.Width(), y + 1),
                 RGBColor(static_cast<uint8_t>(0x3A - t / 12), static_cast<uint8_t>(0x7F - t / 8),
                          static_cast<uint8_t>(0xD0 - t / 6)));
    }
    c.brush.Style = BrushStyle::Clear;
    c.TextOut(10, 8, Caption());
  }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft) {
      SetMouseCapture(false);
      if (TCustomForm* form = ParentForm()) form->Perform(WM_SYSCOMMAND, SC_MOVE | HTCAPTION);
    }
  }
};

// A window-less button drawn in three states: normal, hot, pressed.
class TFlatButton : public TGraphicControl {
 public:
  explicit TFlatButton(TComponent* owner) : TGraphicControl(owner) {}

 protected:
  void Paint() override {
    Canvas& c = GetCanvas();
    const TRect r = Rect(0, 0, Width(), Height());
    const TColor face = !Enabled() ? RGBColor(0xD8, 0xD8, 0xD8)
                        : down_    ? RGBColor(0x9C, 0xC4, 0xEC)
                        : hot_     ? RGBColor(0xCF, 0xE4, 0xFA)
                                   : RGBColor(0xF4, 0xF8, 0xFC);
    c.FillRect(r, face);
    c.FrameRect(r, RGBColor(0x90, 0xAA, 0xB5));
    c.brush.Style = BrushStyle::Clear;
    TRect text = r;
    c.DrawText(Caption(), text, dtCenter | dtVCenter | dtSingleLine);
  }
  void MouseEnter() override {
    hot_ = true;
    Invalidate();
    TGraphicControl::MouseEnter();
  }
  void MouseLeave() override {
    hot_ = false;
    Invalidate();
    TGraphicControl::MouseLeave();
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    TGraphicControl::MouseDown(b, s, x, y);
    if (b == TMouseButton::mbLeft) {
      down_ = true;
      Invalidate();
    }
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    TGraphicControl::MouseUp(b, s, x, y);
    if (b == TMouseButton::mbLeft) {
      down_ = false;
      Invalidate();
    }
  }

 private:
  bool hot_ = false;
  bool down_ = false;
};

// A focusable check box: the square lights up with the focus; Space and its accelerator toggle.
class TDemoCheck : public TCustomControl {
 public:
  explicit TDemoCheck(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  bool Checked() const { return checked_; }
  void Toggle() {
    checked_ = !checked_;
    Invalidate();
    Click();
  }

 protected:
  void Paint() override {
    Canvas& c = GetCanvas();
    PaintParentBackground(c);  // transparent over the page
    const TRect box = Rect(1, 3, 12, 14);
    c.FillRect(box, Focused() ? clWhite : RGBColor(0xEB, 0xEA, 0xE1));
    if (checked_) {
      c.pen.Color = RGBColor(0x43, 0xB6, 0x05);
      for (int i = 0; i < 3; ++i) {
        c.MoveTo(3, 7 + i);
        c.LineTo(6, 10 + i);
        c.LineTo(11, 5 + i);
      }
    }
    c.FrameRect(box, RGBColor(0x90, 0xAA, 0xB5));
    c.brush.Style = BrushStyle::Clear;
    TRect text = Rect(16, 1, Width() - 1, Height() - 1);
    c.DrawText(Caption(), text, dtLeft | dtWordBreak);
  }
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        Invalidate();
        break;
      case CM_DIALOGCHAR:
        if (IsAccel(static_cast<uint32_t>(m.WParam), Caption()) && CanFocus()) {
          SetFocus();
          Toggle();
          m.Result = 1;
          return;
        }
        if (m.WParam == ' ' && Focused()) {
          Toggle();
          m.Result = 1;
          return;
        }
        break;
      default:
        break;
    }
    TCustomControl::WndProc(m);
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    if (b == TMouseButton::mbLeft && CanFocus()) SetFocus();
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    TCustomControl::MouseUp(b, s, x, y);
    if (b == TMouseButton::mbLeft && ClientRect().Contains(Point(x, y))) Toggle();
  }

 private:
  bool checked_ = false;
};

// The page: a soft vertical gradient with a text block, and window-less controls on it.
class TPage : public TCustomControl {
 public:
  explicit TPage(TCustomForm* form) : TCustomControl(form) {
    SetParent(form);
    SetAlign(TAlign::alClient);
  }
  std::string text;

 protected:
  void Paint() override {
    Canvas& c = GetCanvas();
    const TRect r = ClientRect();
    for (int y = 0; y < r.Height(); y += 2) {
      const int t = y * 40 / std::max(1, r.Height());
      c.FillRect(Rect(0, y, r.Width(), y + 2), RGBColor(static_cast<uint8_t>(0xFF - t),
                                                        static_cast<uint8_t>(0xFC - t / 2), 0xE7));
    }
    c.brush.Style = BrushStyle::Clear;
    TRect block = Rect(20, 14, r.Width() - 20, 90);
    c.DrawText(text, block, dtWordBreak);
  }
};

class TDemoForm : public TForm {
 public:
  explicit TDemoForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(TBorderStyle::bsNone);
    SetPosition(TPosition::poScreenCenter);
    SetBounds(0, 0, 420, 260);
    SetColor(RGBColor(0xB5, 0xAA, 0x90));
    Font f = GetFont();
    f.Name = kSong;
    f.Height = 12;
    f.Color = clBlack;
    SetFont(f);

    title_ = new TTitleBar(this);
    // "塔恩播放器 框架演示"
    title_->SetCaption("\xCB\xFE\xB6\xF7\xB2\xA5\xB7\xC5\xC6\xF7 \xBF\xF2\xBC\xDC\xD1\xDD\xCA\xBE");
    close_ = new TFlatButton(this);
    close_->SetParent(title_);
    close_->SetBounds(420 - 8 - 34, 5, 34, 19);
    close_->SetAnchors(akTop | akRight);
    close_->SetCaption("X");
    Font small = GetFont();
    small.Name = "Tahoma";
    small.Height = 11;
    small.Color = clBlack;
    close_->SetFont(small);
    close_->OnClick = [this](TObject*) { Close(); };

    page_ = new TPage(this);
    // "拖动标题栏可以移动窗口。按钮和复选框由框架绘制。"
    page_->text =
        "\xCD\xCF\xB6\xAF\xB1\xEA\xCC\xE2\xC0\xB8\xBF\xC9\xD2\xD4\xD2\xC6\xB6\xAF\xB4\xB0\xBF\xDA"
        "\xA1\xA3\xB0\xB4\xC5\xA5\xBA\xCD\xB8\xB4\xD1\xA1\xBF\xF2\xD3\xC9\xBF\xF2\xBC\xDC\xBB\xE6"
        "\xD6\xC6\xA1\xA3";
    check_ = new TDemoCheck(this);
    check_->SetParent(page_);
    check_->SetBounds(20, 80, 220, 17);
    check_->SetCaption("\xCE\xD2\xD2\xD1\xD4\xC4\xB6\xC1 (&A)");  // 我已阅读 (&A)
    check_->OnClick = [this](TObject*) { next_->SetEnabled(check_->Checked()); };

    next_ = new TFlatButton(this);
    next_->SetParent(page_);
    next_->SetBounds(250, 180, 70, 22);
    next_->SetAnchors(akRight | akBottom);
    next_->SetCaption("\xCF\xC2\xD2\xBB\xB2\xBD");  // 下一步
    next_->OnClick = [this](TObject*) {
      ++count_;
      page_->text =
          "\xB5\xE3\xBB\xF7\xB4\xCE\xCA\xFD\xA3\xBA" + std::to_string(count_);  // 点击次数：
      page_->Invalidate();
    };
    next_->SetEnabled(false);
    check_->Toggle();
    auto* cancel = new TFlatButton(this);
    cancel->SetParent(page_);
    cancel->SetBounds(330, 180, 70, 22);
    cancel->SetAnchors(akRight | akBottom);
    cancel->SetCaption("\xC8\xA1\xCF\xFB");  // 取消
    cancel->OnClick = [this](TObject*) { Close(); };
    // A right click on the page opens a menu; the buttons carry hints.
    menu_ = new TPopupMenu(this);
    NewItem(menu_->Items(), "\xB8\xB4\xD6\xC6(&C)");                     // 复制(&C)
    NewItem(menu_->Items(), "\xD5\xB3\xCC\xF9(&P)")->SetEnabled(false);  // 粘贴(&P)
    auto* view = NewItem(menu_->Items(), "\xB2\xE9\xBF\xB4(&V)");        // 查看(&V)
    NewItem(*view, "\xB4\xF3\xCD\xBC\xB1\xEA(&L)");                      // 大图标(&L)
    NewItem(*view, "\xD0\xA1\xCD\xBC\xB1\xEA(&S)")->SetChecked(true);    // 小图标(&S)
    NewItem(menu_->Items(), "-");
    auto* agree = NewItem(menu_->Items(), "\xCE\xD2\xD2\xD1\xD4\xC4\xB6\xC1(&A)");  // 我已阅读
    agree->OnClick = [this](TObject*) { check_->Toggle(); };
    menu_->OnPopup = [this, agree](TObject*) { agree->SetChecked(check_->Checked()); };
    NewItem(menu_->Items(), "\xB9\xD8\xB1\xD5(&X)", [this](TObject*) { Close(); });  // 关闭(&X)
    page_->SetPopupMenu(menu_);
    page_->SetShowHint(true);
    next_->SetHint("\xBC\xCC\xD0\xF8\xB0\xB2\xD7\xB0");                   // 继续安装
    cancel->SetHint("\xCD\xCB\xB3\xF6\xB0\xB2\xD7\xB0\xB3\xCC\xD0\xF2");  // 退出安装程序
    OnShow = [this](TObject*) {
      const Region round = Region::RoundRect(0, 0, Width() + 1, Height() + 1, 8, 8);
      SetWindowRegion(&round);
    };
  }

 private:
  TTitleBar* title_ = nullptr;
  TFlatButton* close_ = nullptr;
  TPage* page_ = nullptr;
  TDemoCheck* check_ = nullptr;
  TFlatButton* next_ = nullptr;
  TPopupMenu* menu_ = nullptr;
  int count_ = 0;
};

int Main(int argc, char** argv) {
  std::string screenshot;
  int after = 1000;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
      screenshot = argv[++i];
    } else if (std::strcmp(argv[i], "--after") == 0 && i + 1 < argc) {
      after = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: framework-demo [--screenshot FILE.png --after MS]\n");
      return 2;
    }
  }
  TSdlHost host;
  TApplication app(host);
  app.SetTitle("framework-demo");
  auto* form = app.CreateForm<TDemoForm>();
  if (!screenshot.empty()) {
    app.SetTimer(static_cast<uint32_t>(after), [&] {
      WritePng(form->BackBuffer(), screenshot);
      app.Terminate();
    });
  }
  app.Run();
  return 0;
}

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) {
  try {
    return tarn::Main(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "framework-demo: %s\n", e.what());
    return 1;
  }
}

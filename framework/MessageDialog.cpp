#include "framework/MessageDialog.h"

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/DialogIcon.h"
#include "framework/Form.h"
#include "graphics/Canvas.h"
#include "platform/host/VirtualKeys.h"

namespace tarn {
namespace {

const char kOk[] = "\xC8\xB7\xB6\xA8";      // 确定
const char kCancel[] = "\xC8\xA1\xCF\xFB";  // 取消
const char kYes[] = "\xCA\xC7";             // 是
const char kNo[] = "\xB7\xF1";              // 否
const char kSong[] = "\xCB\xCE\xCC\xE5";    // 宋体

constexpr int kMargin = 14;
constexpr int kMaxTextWidth = 380;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;

class TMessageDialog : public TForm {
 public:
  TMessageDialog(const std::string& text, const std::string& caption, uint32_t flags)
      : TForm(nullptr), text_(text), flags_(flags), icon_(HasDialogIcon(flags)) {
    SetBorderStyle(TBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetCaption(caption);
    SetColor(clBtnFace);
    Font font;
    font.Name = kSong;
    font.Height = 12;
    font.Color = clWindowText;
    SetFont(font);

    std::vector<std::pair<const char*, TModalResult>> buttons;
    switch (flags & 0xF) {
      case MB_OKCANCEL:
        buttons = {{kOk, TModalResult::mrOk}, {kCancel, TModalResult::mrCancel}};
        escape_ = TModalResult::mrCancel;
        break;
      case MB_YESNO:
        buttons = {{kYes, TModalResult::mrYes}, {kNo, TModalResult::mrNo}};
        escape_ = TModalResult::mrNo;
        break;
      default:
        buttons = {{kOk, TModalResult::mrOk}};
        escape_ = TModalResult::mrOk;
        break;
    }

    // Measure the text to size the dialog.
    Bitmap32 scratch(1, 1);
    Canvas measure(scratch);
    measure.font = font;
    TRect text_rect = Rect(0, 0, kMaxTextWidth, 0);
    measure.DrawText(text_, text_rect, dtCalcRect | dtWordBreak | dtNoPrefix);
    const int buttons_width =
        static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    // The icon the flags ask for stands left of the text, which is centred beside it.
    const int icon_space = icon_ ? kDialogIconSize + kMargin : 0;
    const int body = std::max({text_rect.Height(), 12, icon_ ? kDialogIconSize : 0});
    const int width = std::max({text_rect.Width() + icon_space, buttons_width, 180}) + 2 * kMargin;
    const int height = kMargin + body + 18 + kButtonHeight + kMargin;
    SetBounds(0, 0, width, height);
    text_rect_ = Bounds(kMargin + icon_space, kMargin + (body - text_rect.Height()) / 2,
                        width - 2 * kMargin - icon_space, text_rect.Height());

    int x = (width - buttons_width) / 2;
    for (const auto& [label, result] : buttons) {
      auto* button = new TButton(this);
      button->SetCaption(label);
      button->SetModalResult(result);
      button->SetParent(this);
      button->SetBounds(x, height - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
      x += kButtonWidth + kButtonGap;
    }
  }

 protected:
  void Paint() override {
    Canvas& c = GetCanvas();
    if (icon_) DrawDialogIcon(c, kMargin, kMargin, flags_);
    c.brush.Style = BrushStyle::Clear;
    TRect r = text_rect_;
    c.DrawText(text_, r,
               dtWordBreak | dtNoPrefix |
                   (text_rect_.Height() <= 14 ? DrawTextFlags{dtCenter} : DrawTextFlags{0}));
  }

  void WndProc(TMessage& m) override {
    if (m.Msg == CM_DIALOGKEY && m.WParam == VK_ESCAPE) {
      SetModalResult(escape_);
      m.Result = 1;
      return;
    }
    TForm::WndProc(m);
  }

 private:
  std::string text_;
  uint32_t flags_;
  bool icon_;
  TRect text_rect_;
  TModalResult escape_ = TModalResult::mrOk;
};

}  // namespace

int ShowMessageDialog(const std::string& text, const std::string& caption, uint32_t flags) {
  if (Application == nullptr) return IDCANCEL;
  auto* dialog = new TMessageDialog(text, caption, flags);
  TModalResult result = TModalResult::mrCancel;
  try {
    result = dialog->ShowModal();
  } catch (...) {
    dialog->Free();
    throw;
  }
  dialog->Free();
  return static_cast<int>(result);
}

}  // namespace tarn

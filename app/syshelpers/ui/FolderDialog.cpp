#include "app/syshelpers/ui/FolderDialog.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "app/syshelpers/Folders.h"
#include "base/Cp936.h"
#include "base/Exception.h"
#include "base/FileStream.h"
#include "base/StringUtils.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "graphics/Canvas.h"
#include "platform/Platform.h"
#include "platform/host/VirtualKeys.h"

namespace tarn {
namespace {

// The dialog's own texts, from this UTF-8 source into the program's code page.
std::string Gbk(const char* utf8) {
  return Utf8ToCp936(utf8);
}

constexpr int kWidth = 380;
constexpr int kHeight = 420;
constexpr int kMargin = 12;
constexpr int kRow = 18;
constexpr int kButtonHeight = 23;

bool IsDirectory(const std::string& windowsPath) {
  const std::string host = HostPath(windowsPath);
  struct stat st {};
  return !host.empty() && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A name Windows could not give a folder.
bool ValidName(const std::string& name) {
  const std::string trimmed = Trim(name);
  if (trimmed.empty() || trimmed == "." || trimmed == "..") return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (IsLeadByte(static_cast<uint8_t>(name[i])) && i + 1 < name.size()) {
      ++i;
    } else if (std::string_view("\\/:*?\"<>|").find(name[i]) != std::string_view::npos ||
               static_cast<uint8_t>(name[i]) < 0x20) {
      return false;
    }
  }
  return true;
}

}  // namespace

// The list of drives or folders, with the in-place name of a new folder.
class TFolderList : public TCustomControl {
 public:
  explicit TFolderList(TFolderDialog* dialog) : TCustomControl(dialog), dialog_(dialog) {
    SetTabStop(true);
    SetParent(dialog);
  }
  int selected = -1;
  int top = 0;
  bool naming = false;
  std::string name;

  int Rows() const { return std::max(1, (Height() - 4) / kRow); }
  void ScrollTo(int index) {
    if (index < top) top = index;
    if (index >= top + Rows()) top = index - Rows() + 1;
    top = std::max(0, top);
  }

 protected:
  void Paint() override {
    Canvas& c = GetCanvas();
    const TRect all = ClientRect();
    c.FillRect(all, clWindow);
    c.FrameRect(all, clBtnShadow);
    c.brush.Style = BrushStyle::Clear;
    const auto& items = dialog_->Items();
    for (int row = 0; row < Rows() && top + row < static_cast<int>(items.size()); ++row) {
      const int index = top + row;
      TRect r = Rect(2, 2 + row * kRow, Width() - 2, 2 + (row + 1) * kRow);
      const bool current = index == selected;
      if (current) c.FillRect(r, naming ? clWindow : clHighlight);
      c.font.Color = current && !naming ? clHighlightText : clWindowText;
      std::string label = items[index].Label;
      if (current && naming) {
        label = name + "_";
        c.FrameRect(r, clWindowText);
      }
      TRect text = r.Offset(4, 0);
      c.DrawText(label, text, dtLeft | dtVCenter | dtSingleLine | dtNoPrefix | dtEndEllipsis);
    }
    if (Focused() && !naming) c.FrameRect(all.Inflate(-1, -1), clHighlight);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) Invalidate();
    TCustomControl::WndProc(m);
  }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    if (CanFocus()) SetFocus();
    const int index = top + (y - 2) / kRow;
    if (y >= 2 && index < static_cast<int>(dialog_->Items().size())) {
      if (naming && index != selected) dialog_->CommitName();
      dialog_->Select(index);
    }
    TCustomControl::MouseDown(button, shift, x, y);
  }
  void DblClick() override {
    TCustomControl::DblClick();
    if (!naming) dialog_->OpenSelected();
  }
  bool DoMouseWheel(TShiftState shift, int delta, TPoint mousePos) override {
    const int count = static_cast<int>(dialog_->Items().size());
    top = std::clamp(top - delta / 40, 0, std::max(0, count - Rows()));
    Invalidate();
    return TCustomControl::DoMouseWheel(shift, delta, mousePos) || true;
  }
  void KeyDown(uint16_t& key, TShiftState shift) override {
    TCustomControl::KeyDown(key, shift);
    if (naming) {
      if (key == VK_BACK) {
        std::size_t cut = name.size();
        while (cut > 0 && !IsCharStart(name, cut - 1))
          --cut;
        if (cut > 0) name.erase(cut - 1);
        Invalidate();
        key = 0;
      }
      return;
    }
    const int count = static_cast<int>(dialog_->Items().size());
    int target = selected;
    switch (key) {
      case VK_UP:
        target = selected - 1;
        break;
      case VK_DOWN:
        target = selected + 1;
        break;
      case VK_HOME:
        target = 0;
        break;
      case VK_END:
        target = count - 1;
        break;
      case VK_PRIOR:
        target = selected - Rows();
        break;
      case VK_NEXT:
        target = selected + Rows();
        break;
      case VK_BACK:
        if (count > 0 && dialog_->Items()[0].Parent) {
          dialog_->Select(0);
          dialog_->OpenSelected();
        }
        key = 0;
        return;
      default:
        return;
    }
    key = 0;
    if (count > 0) dialog_->Select(std::clamp(target, 0, count - 1));
  }
  void KeyPress(char& key) override {
    TCustomControl::KeyPress(key);
    if (naming && (static_cast<uint8_t>(key) >= 0x20) && key != 0x7F) {
      name.push_back(key);
      Invalidate();
      key = 0;
    }
  }

 private:
  TFolderDialog* dialog_;
};

TButton* TFolderDialog::NewButton(const std::string& caption) {
  auto* button = new TButton(this);
  button->SetCaption(caption);
  button->SetParent(this);
  return button;
}

TFolderDialog::TFolderDialog(const std::string& title, const std::string& initialFolder)
    : TForm(nullptr), title_(title) {
  SetBorderStyle(TBorderStyle::bsDialog);
  SetPosition(TPosition::poScreenCenter);
  SetCaption(Gbk("浏览文件夹"));
  SetColor(clBtnFace);
  Font font;
  font.Name = Gbk("宋体");
  font.Height = 12;
  font.Color = clWindowText;
  SetFont(font);
  SetBounds(0, 0, kWidth, kHeight);

  list_ = new TFolderList(this);
  list_->SetBounds(kMargin, 64, kWidth - 2 * kMargin, kHeight - 64 - kButtonHeight - 2 * kMargin);
  const int buttonTop = kHeight - kMargin - kButtonHeight;
  newFolder_ = NewButton(Gbk("新建文件夹"));
  newFolder_->SetBounds(kMargin, buttonTop, 90, kButtonHeight);
  newFolder_->OnClick = [this](TObject*) { NewFolder(); };
  ok_ = NewButton(Gbk("确定"));
  ok_->SetBounds(kWidth - kMargin - 2 * 75 - 8, buttonTop, 75, kButtonHeight);
  ok_->OnClick = [this](TObject*) {
    if (Naming()) CommitName();
    if (!Result().empty()) SetModalResult(TModalResult::mrOk);
  };
  auto* cancel = NewButton(Gbk("取消"));
  cancel->SetBounds(kWidth - kMargin - 75, buttonTop, 75, kButtonHeight);
  cancel->OnClick = [this](TObject*) { SetModalResult(TModalResult::mrCancel); };

  std::string start =
      initialFolder.empty() ? std::string() : IncludeTrailingBackslash(initialFolder);
  ShowFolder(!start.empty() && IsDirectory(start) ? start : std::string());
  OnShow = [this](TObject*) {
    if (list_->CanFocus()) list_->SetFocus();
  };
}

std::optional<std::string> TFolderDialog::Execute(const std::string& title,
                                                  const std::string& initialFolder) {
  if (Application == nullptr) return std::nullopt;
  auto* dialog = new TFolderDialog(title, initialFolder);
  std::optional<std::string> answer;
  try {
    if (dialog->ShowModal() == TModalResult::mrOk && !dialog->Result().empty()) {
      answer = dialog->Result();
    }
  } catch (...) {
    dialog->Free();
    throw;
  }
  dialog->Free();
  return answer;
}

int TFolderDialog::Selected() const {
  return list_->selected;
}

void TFolderDialog::Select(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) return;
  list_->selected = index;
  if (index >= 0) list_->ScrollTo(index);
  Changed();
}

void TFolderDialog::ShowFolder(const std::string& folder) {
  if (Naming()) CommitName();
  folder_ = folder;
  items_.clear();
  if (folder_.empty()) {
    for (const auto& root : Platform().LogicalDriveStrings())
      items_.push_back({root, root, false});
  } else {
    // A drive's root goes up to the drives.
    const std::string parent = folder_.size() <= 3 ? std::string() : ParentDir(folder_);
    items_.push_back({Gbk("[上一级]"), parent, true});
    std::vector<TItem> folders;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(HostPath(folder_), error)) {
      std::error_code kind;
      if (!entry.is_directory(kind)) continue;
      std::string name;
      try {
        name = Utf8ToCp936(entry.path().filename().string(), Conversion::Throw);
      } catch (const EConvertError&) {
        continue;  // a host name the program's code page cannot write
      }
      folders.push_back({name, folder_ + name + "\\", false});
    }
    std::sort(folders.begin(), folders.end(), [](const TItem& a, const TItem& b) {
      return LowerCase(a.Label) < LowerCase(b.Label);
    });
    items_.insert(items_.end(), folders.begin(), folders.end());
  }
  list_->selected = -1;
  list_->top = 0;
  Changed();
}

void TFolderDialog::OpenSelected() {
  const int index = Selected();
  if (index < 0) return;
  const TItem item = items_[index];
  const std::string from = folder_;
  ShowFolder(item.Path);
  if (item.Parent) {
    // Coming back up, the folder we came from is the one selected.
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (!items_[i].Parent && SameText(items_[i].Path, from)) Select(static_cast<int>(i));
    }
  }
}

bool TFolderDialog::NewFolder() {
  if (folder_.empty()) return false;
  if (Naming()) CommitName();
  std::string name = Gbk("新建文件夹");
  for (int n = 2; IsDirectory(folder_ + name) || FileExists(folder_ + name); ++n) {
    name = Gbk("新建文件夹") + " (" + std::to_string(n) + ")";
  }
  if (!ForceDir(folder_ + name)) return false;
  ShowFolder(folder_);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].Label == name) Select(static_cast<int>(i));
  }
  list_->naming = true;
  list_->name = name;
  list_->Invalidate();
  return true;
}

bool TFolderDialog::Naming() const {
  return list_->naming;
}

void TFolderDialog::CommitName() {
  if (!Naming()) return;
  list_->naming = false;
  const int index = Selected();
  if (index < 0) return;
  const std::string old = items_[index].Label;
  const std::string wanted = Trim(list_->name);
  if (wanted != old && ValidName(wanted) && !IsDirectory(folder_ + wanted) &&
      !FileExists(folder_ + wanted)) {
    std::error_code error;
    std::filesystem::rename(HostPath(folder_ + old), HostPath(folder_ + wanted), error);
  }
  ShowFolder(folder_);
  const std::string kept = IsDirectory(folder_ + wanted) && ValidName(wanted) ? wanted : old;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (!items_[i].Parent && items_[i].Label == kept) Select(static_cast<int>(i));
  }
}

void TFolderDialog::CancelName() {
  list_->naming = false;
  list_->Invalidate();
}

std::string TFolderDialog::Result() const {
  const int index = Selected();
  std::string path = index >= 0 && !items_[index].Parent ? items_[index].Path : folder_;
  if (path.size() > 3) path = ExcludeTrailingBackslash(path);
  return path;
}

void TFolderDialog::Changed() {
  ok_->SetEnabled(!Result().empty());
  newFolder_->SetEnabled(!folder_.empty());
  list_->Invalidate();
  Invalidate();
}

void TFolderDialog::Paint() {
  Canvas& c = GetCanvas();
  c.brush.Style = BrushStyle::Clear;
  TRect title = Rect(kMargin, 10, kWidth - kMargin, 40);
  c.DrawText(title_, title, dtWordBreak | dtNoPrefix | dtEndEllipsis);
  TRect where = Rect(kMargin, 44, kWidth - kMargin, 60);
  const std::string place = folder_.empty() ? Gbk("计算机") : folder_;
  c.DrawText(place, where, dtSingleLine | dtNoPrefix | dtEndEllipsis);
}

void TFolderDialog::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGKEY && (m.WParam == VK_ESCAPE || m.WParam == VK_RETURN)) {
    if (Naming()) {
      if (m.WParam == VK_ESCAPE) CancelName();
      if (m.WParam == VK_RETURN) CommitName();
    } else if (m.WParam == VK_ESCAPE) {
      SetModalResult(TModalResult::mrCancel);
    } else if (!Result().empty()) {
      SetModalResult(TModalResult::mrOk);
    }
    m.Result = 1;
    return;
  }
  TForm::WndProc(m);
}

}  // namespace tarn

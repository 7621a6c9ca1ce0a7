// Our own modal folder dialog: the drives, the folders of the current one, a new folder that is
// named in place, OK and Cancel. Paths are Windows paths (code page 936); the answer has no
// final backslash except for a drive's root, as the shell's folder dialog answers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/Form.h"

namespace tarn {

class TFolderList;
class TButton;

class TFolderDialog : public TForm {
 public:
  TFolderDialog(const std::string& title, const std::string& initialFolder);

  // Shows the dialog and waits for it: the chosen folder, or nothing when cancelled.
  static std::optional<std::string> Execute(const std::string& title,
                                            const std::string& initialFolder);

  struct TItem {
    std::string Label;
    std::string Path;  // with a final backslash
    bool Parent = false;
  };
  // The folder shown ("" for the drives) and its entries.
  const std::string& CurrentFolder() const { return folder_; }
  const std::vector<TItem>& Items() const { return items_; }
  int Selected() const;
  void Select(int index);
  // Opens a folder ("" shows the drives); the selected item with no argument.
  void ShowFolder(const std::string& folder);
  void OpenSelected();
  // Makes "新建文件夹" (or "新建文件夹 (2)", ...) in the current folder and starts naming it.
  bool NewFolder();
  // The name being typed for a new folder; commit renames it, cancel keeps the first name.
  bool Naming() const;
  void CommitName();
  void CancelName();
  // What OK answers now (empty: nothing to answer, OK is disabled).
  std::string Result() const;

 protected:
  void Paint() override;
  void WndProc(TMessage& message) override;

 private:
  void Changed();
  TButton* NewButton(const std::string& caption);

  std::string title_;
  std::string folder_;
  std::vector<TItem> items_;
  TFolderList* list_ = nullptr;
  TButton* ok_ = nullptr;
  TButton* newFolder_ = nullptr;
};

}  // namespace tarn

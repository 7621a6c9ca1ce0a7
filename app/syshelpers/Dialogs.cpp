#include "app/syshelpers/Dialogs.h"

#include "base/Cp936.h"
#include "platform/Platform.h"

namespace tarn {

void ShowWarning(const std::string& text, const std::string& caption) {
  static const std::string kWarning = Utf8ToCp936("警告");
  Platform().MessageBox(text, caption.empty() ? kWarning : caption, kMbOk | kMbIconExclamation);
}

std::string BrowseForFolder(const std::string& title, const std::string& initialFolder) {
  return Platform().BrowseForFolder(title, initialFolder).value_or(std::string());
}

}  // namespace tarn

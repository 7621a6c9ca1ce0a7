// The warning box and the folder dialog, through the platform's user-interface services.
#pragma once

#include <string>

namespace tarn {

// A message box with an exclamation icon and one OK button; caption "警告" when empty.
void ShowWarning(const std::string& text, const std::string& caption);
// The chosen folder, or empty text when the dialog was cancelled.
std::string BrowseForFolder(const std::string& title, const std::string& initialFolder);

}  // namespace tarn

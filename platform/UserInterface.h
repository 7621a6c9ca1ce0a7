// The user-interface services the platform offers but cannot provide itself on a host without
// native dialogs: a message box, the folder dialog, the monitors and window regions. The
// framework implements them with its own modal forms and host windows and hands them to the
// platform, which stays free of framework headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Geometry.h"

namespace tarn {

// A top-level window as the framework's host knows it; opaque to the platform.
using WindowHandle = void*;

class IUserInterface {
 public:
  virtual ~IUserInterface() = default;
  // Texts are code page 936. Returns the button pressed (kIdOk, ...).
  virtual int MessageBox(const std::string& text, const std::string& caption, uint32_t flags) = 0;
  // A modal folder dialog; the chosen folder, or nothing when cancelled.
  virtual std::optional<std::string> BrowseForFolder(const std::string& title,
                                                     const std::string& initialFolder) = 0;
  // The monitors in the system's order, the primary one first, in desktop coordinates.
  virtual std::vector<TRect> Monitors() = 0;
  // Gives the window the region of a rounded rectangle and redraws it.
  virtual bool SetWindowRoundRegion(WindowHandle window, const TRect& bounds, int cornerWidth,
                                    int cornerHeight) = 0;
};

}  // namespace tarn

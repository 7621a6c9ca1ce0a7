// Binds the platform to the framework: the platform's waits drive the application's message
// loop, and its message box, folder dialog, monitors and window regions are the framework's.
// One exists while the application runs; it registers itself on construction and unregisters
// on destruction.
#pragma once

#include "platform/MessagePump.h"
#include "platform/UserInterface.h"

namespace tarn {

class TApplication;

class TFrameworkServices : public IMessagePump, public IUserInterface {
 public:
  explicit TFrameworkServices(TApplication& application);
  ~TFrameworkServices() override;
  TFrameworkServices(const TFrameworkServices&) = delete;
  TFrameworkServices& operator=(const TFrameworkServices&) = delete;

  // IMessagePump
  void ProcessMessages() override;
  // Handles what arrives within the time (so the wait is also a turn of the loop); true when
  // something arrived before the time was up.
  bool WaitForInput(uint32_t timeoutMs) override;

  // IUserInterface. A WindowHandle is a TCustomForm*.
  int MessageBox(const std::string& text, const std::string& caption, uint32_t flags) override;
  std::optional<std::string> BrowseForFolder(const std::string& title,
                                             const std::string& initialFolder) override;
  std::vector<TRect> Monitors() override;
  bool SetWindowRoundRegion(WindowHandle window, const TRect& bounds, int cornerWidth,
                            int cornerHeight) override;

 private:
  TApplication& application_;
};

}  // namespace tarn

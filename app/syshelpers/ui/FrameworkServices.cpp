#include "app/syshelpers/ui/FrameworkServices.h"

#include <algorithm>
#include <climits>

#include "app/syshelpers/ui/FolderDialog.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "graphics/Region.h"
#include "platform/Platform.h"

namespace tarn {

TFrameworkServices::TFrameworkServices(TApplication& application) : application_(application) {
  SetMessagePump(this);
  if (HasPlatform()) Platform().SetUserInterface(this);
}

TFrameworkServices::~TFrameworkServices() {
  if (MessagePump() == this) SetMessagePump(nullptr);
  if (HasPlatform()) Platform().SetUserInterface(nullptr);
}

void TFrameworkServices::ProcessMessages() {
  application_.ProcessMessages();
}

bool TFrameworkServices::WaitForInput(uint32_t timeoutMs) {
  const uint64_t start = application_.TickCount();
  const int wait =
      timeoutMs == kInfinite ? -1 : static_cast<int>(std::min<uint32_t>(timeoutMs, INT_MAX));
  application_.HandleMessageWithin(wait);
  return timeoutMs == kInfinite || application_.TickCount() - start < timeoutMs;
}

int TFrameworkServices::MessageBox(const std::string& text, const std::string& caption,
                                   uint32_t flags) {
  return application_.MessageBox(text, caption, flags);
}

std::optional<std::string> TFrameworkServices::BrowseForFolder(const std::string& title,
                                                               const std::string& initialFolder) {
  return TFolderDialog::Execute(title, initialFolder);
}

std::vector<TRect> TFrameworkServices::Monitors() {
  std::vector<TRect> monitors;
  for (int i = 0; i < TScreen::MonitorCount(); ++i)
    monitors.push_back(TScreen::MonitorBounds(i));
  return monitors;
}

bool TFrameworkServices::SetWindowRoundRegion(WindowHandle window, const TRect& bounds,
                                              int cornerWidth, int cornerHeight) {
  auto* form = static_cast<TCustomForm*>(window);
  if (form == nullptr) return false;
  const Region region = Region::RoundRect(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom,
                                          cornerWidth, cornerHeight);
  form->SetWindowRegion(&region);  // and the form is repainted
  return true;
}

}  // namespace tarn

#include "platform/Platform.h"

#include "base/Exception.h"

namespace tarn {
namespace {

std::unique_ptr<TPlatform>& Current() {
  static std::unique_ptr<TPlatform> platform;
  return platform;
}

IMessagePump*& CurrentPump() {
  static IMessagePump* pump = nullptr;
  return pump;
}

}  // namespace

TPlatform& Platform() {
  if (!Current()) throw Exception("No platform is set up");
  return *Current();
}

bool HasPlatform() {
  return Current() != nullptr;
}

void SetPlatform(std::unique_ptr<TPlatform> platform) {
  Current() = std::move(platform);
}

IMessagePump* MessagePump() {
  return CurrentPump();
}
void SetMessagePump(IMessagePump* pump) {
  CurrentPump() = pump;
}

std::string WinErrorText(WinError error) {
  switch (error) {
    case WinError::Success:
      return "The operation completed successfully.";
    case WinError::FileNotFound:
      return "The system cannot find the file or key specified.";
    case WinError::PathNotFound:
      return "The system cannot find the path specified.";
    case WinError::AccessDenied:
      return "Access is denied.";
    case WinError::InvalidHandle:
      return "The handle is invalid.";
    case WinError::InvalidData:
      return "The data is invalid.";
    case WinError::WriteFault:
      return "The registry file could not be written.";
    case WinError::InvalidParameter:
      return "The parameter is incorrect.";
    case WinError::Busy:
      return "The Wine server of this prefix is running and would overwrite the change when it "
             "exits; close the prefix's Wine programs (or run 'wineserver -k') and try again.";
    case WinError::BadPathName:
      return "The path name is not valid.";
    case WinError::AlreadyExists:
      return "The object already exists.";
    case WinError::NoMoreItems:
      return "No more data is available.";
    case WinError::KeyDeleted:
      return "The key has been deleted.";
  }
  return "Error " + std::to_string(static_cast<uint32_t>(error)) + ".";
}

}  // namespace tarn

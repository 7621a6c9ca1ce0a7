#include "framework/ExceptionGuard.h"

#include <exception>

#include "framework/Application.h"

namespace tarn {

void HandleCurrentException(TObject* sender) {
  if (Application == nullptr) throw;
  try {
    throw;
  } catch (const std::exception& e) {
    Application->HandleException(sender, e);
  } catch (...) {
    Application->HandleUnknownException(sender);
  }
}

}  // namespace tarn

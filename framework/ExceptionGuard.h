// The framework's guard around code it calls on a program's behalf (event handlers, paints,
// timers, posted messages): an exception that leaves it is shown by the application's error
// handling and the loop goes on, so one failing handler does not end the program.
#pragma once

namespace tarn {

class TObject;

// Hands the exception being handled to the application (OnException or the error box); without
// an application it is thrown on.
void HandleCurrentException(TObject* sender);

template <class F>
void Guard(TObject* sender, F&& f) {
  try {
    f();
  } catch (...) {
    HandleCurrentException(sender);
  }
}

}  // namespace tarn

// The default message box: a small modal form with the text and one or two buttons. The error
// box for exceptions that leave an event handler is one of these.
#pragma once

#include <cstdint>
#include <string>

namespace tarn {

// Texts in code page 936; flags and the result as TApplication::MessageBox has them.
int ShowMessageDialog(const std::string& text, const std::string& caption, uint32_t flags);

}  // namespace tarn

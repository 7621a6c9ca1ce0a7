// The icons of message boxes (stop, question, exclamation, information), drawn with shapes so
// they look the same whatever fonts the machine has.
#pragma once

#include <cstdint>

namespace tarn {

class Canvas;

constexpr int kDialogIconSize = 32;

// Whether the message box flags (MB_ICON*) ask for an icon.
bool HasDialogIcon(uint32_t flags);
// Draws the icon the flags ask for with its top-left corner at (x, y).
void DrawDialogIcon(Canvas& canvas, int x, int y, uint32_t flags);

}  // namespace tarn

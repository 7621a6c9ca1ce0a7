// The modifier keys and mouse buttons held at an event, in the three forms the framework meets
// them: the host's flags (hm*), a shift state (ss*) and the key flags of a mouse message (MK_*).
// One table translates between them.
#pragma once

#include <cstdint>

#include "framework/ControlTypes.h"

namespace tarn {

// A host event's modifiers as a shift state.
TShiftState HostShiftState(uint32_t hostModifiers);
// A host event's modifiers as the key flags of a mouse message (Alt has none).
uint32_t HostMouseKeys(uint32_t hostModifiers);
// The key flags of a mouse message as a shift state.
TShiftState KeysToShiftState(uint32_t keys);

}  // namespace tarn

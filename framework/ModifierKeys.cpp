#include "framework/ModifierKeys.h"

#include "framework/Messages.h"
#include "platform/host/HostEvent.h"

namespace tarn {
namespace {

struct ModifierRow {
  uint32_t Host;
  TShiftState Shift;
  uint32_t MouseKey;  // 0: mouse messages do not carry it
};

constexpr ModifierRow kModifiers[] = {
    {hmShift, ssShift, MK_SHIFT}, {hmCtrl, ssCtrl, MK_CONTROL},   {hmAlt, ssAlt, 0},
    {hmLeft, ssLeft, MK_LBUTTON}, {hmRight, ssRight, MK_RBUTTON}, {hmMiddle, ssMiddle, MK_MBUTTON},
};

}  // namespace

TShiftState HostShiftState(uint32_t hostModifiers) {
  TShiftState s = 0;
  for (const ModifierRow& row : kModifiers) {
    if (hostModifiers & row.Host) s |= row.Shift;
  }
  return s;
}

uint32_t HostMouseKeys(uint32_t hostModifiers) {
  uint32_t keys = 0;
  for (const ModifierRow& row : kModifiers) {
    if (hostModifiers & row.Host) keys |= row.MouseKey;
  }
  return keys;
}

TShiftState KeysToShiftState(uint32_t keys) {
  TShiftState s = 0;
  for (const ModifierRow& row : kModifiers) {
    if (row.MouseKey != 0 && (keys & row.MouseKey)) s |= row.Shift;
  }
  return s;
}

}  // namespace tarn

// Declares or defines an effect routine with the TEffectProc signature. Most effects use only
// some of the seven parameters, so all of them are marked as possibly unused.
#pragma once

#include "graphics/Bitmap32.h"

#define TARN_EFFECT_PROC(name)                                                        \
  void name([[maybe_unused]] ::tarn::Bitmap32& Screen,                                \
            [[maybe_unused]] const ::tarn::Bitmap32& Picture, [[maybe_unused]] int W, \
            [[maybe_unused]] int H, [[maybe_unused]] int X, [[maybe_unused]] int Y,   \
            [[maybe_unused]] int Progress)

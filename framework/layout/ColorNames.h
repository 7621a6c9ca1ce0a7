// The names of colours as layouts write them: the plain colours (clBlack .. clWhite), the system
// colours (clBtnFace, clWindow, ...), clNone and clDefault.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "graphics/Colors.h"

namespace tarn {

std::optional<TColor> IdentToColor(std::string_view name);  // ignoring letter case
// The name of a colour that has one, or none.
std::optional<std::string> ColorToIdent(TColor color);

}  // namespace tarn

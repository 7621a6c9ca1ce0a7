// Value types of the framework's standard controls: text alignment, vertical text layout and
// the bevel kinds of panels.
#pragma once

namespace tarn {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

enum class TTextLayout { tlTop, tlCenter, tlBottom };

// A lowered bevel draws shadow above highlight; every other kind draws like a raised one.
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

}  // namespace tarn

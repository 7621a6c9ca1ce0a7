// The skin's colours in one place. The window's controls set their own colours in the layout
// (0x00BBGGRR values, kept here as FromTColor so the art is matched against the same numbers);
// the pictures are drawn to sit with them.
#pragma once

#include "tools/artwork/Compose.h"

namespace tarn::artwork::palette {

// Colours the window's controls use.
constexpr Rgba kTitleText = FromTColor(0x00FFFEFF);
constexpr Rgba kControlBorder = FromTColor(0x00B5AA90);
constexpr Rgba kFlat = FromTColor(0x00FFFCE7);
constexpr Rgba kMemo = FromTColor(0x00FDF4EE);
constexpr Rgba kScrollBar = FromTColor(0x005F5519);
constexpr Rgba kCheck = FromTColor(0x0005B643);
constexpr Rgba kFocus = FromTColor(0x00815F2F);
constexpr Rgba kProgressBar = FromTColor(0x00D9951A);

// The frame: one line around the window, shared by the title bar, the side borders and the
// bottom bar, so the edge is continuous.
constexpr Rgba kFrame = Hex(0x1B4C7C);

// The title bar, top to bottom: a lit top edge, a glossy upper half, a deeper lower half.
constexpr Rgba kTitleHighlight = Hex(0x6FA6D6);
constexpr Rgba kTitleTop = Hex(0x3F83C0);
constexpr Rgba kTitleMiddle = Hex(0x2A6DAB);
constexpr Rgba kTitleLower = Hex(0x1E5D9A);
constexpr Rgba kTitleBottom = Hex(0x18538D);
constexpr Rgba kTitleBaseLine = Hex(0x123F6C);

// The pages: a white header band and a pale body.
constexpr Rgba kHeader = Hex(0xFFFFFF);
constexpr Rgba kHeaderTint = Hex(0xEAF3FB);
constexpr Rgba kBody = Hex(0xF7FAFD);
constexpr Rgba kRule = Hex(0xC9DAE8);

// The bottom bar.
constexpr Rgba kBarTop = Hex(0xF0F5FA);
constexpr Rgba kBarBottom = Hex(0xDCE7F1);
constexpr Rgba kBarRule = Hex(0xB9CCDD);

// The brand: deep blue to sky blue, with a fresh green accent (the window's check colour).
constexpr Rgba kBrandDeep = Hex(0x0E3C6E);
constexpr Rgba kBrand = Hex(0x1F6FB8);
constexpr Rgba kBrandLight = Hex(0x4FA8E8);
constexpr Rgba kBrandSky = Hex(0x9ED4FA);
constexpr Rgba kAccent = Hex(0x43B605);
constexpr Rgba kAccentLight = Hex(0x8BDB3A);

constexpr Rgba kWhite = Hex(0xFFFFFF);
constexpr Rgba kBlack = Hex(0x000000);
constexpr Rgba kText = Hex(0x1A1A1A);
constexpr Rgba kGreyText = Hex(0x9AA5AE);

}  // namespace tarn::artwork::palette

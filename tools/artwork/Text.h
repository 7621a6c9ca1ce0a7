// Text for the artwork: a line drawn by the graphics library's font engine (the same faces the
// window uses) as a coverage mask, to be filled with any paint, shadowed or glowed.
#pragma once

#include <string>
#include <string_view>

#include "tools/artwork/Compose.h"

namespace tarn::artwork {

struct TextStyle {
  const char* family;  // UTF-8, as the layout names it: 宋体, 黑体
  int pixels;
  bool bold = false;
};

// The line's coverage, exactly as wide and high as its extent.
Mask TextMask(std::string_view utf8, const TextStyle& style);

// Draws the line with its top-left at (x, y).
void DrawText(Image& image, std::string_view utf8, const TextStyle& style, int x, int y,
              const Paint& paint, float opacity = 1.f);

// Draws the line centred on x = cx, with its top at y; returns its width.
int DrawTextCentred(Image& image, std::string_view utf8, const TextStyle& style, float cx, int y,
                    const Paint& paint, float opacity = 1.f);

// Text with a soft shadow (blurred, offset down by `drop`) under it.
void DrawShadowedText(Image& image, std::string_view utf8, const TextStyle& style, int x, int y,
                      const Paint& paint, Rgba shadow, int blur, int drop);

// Which installed faces draw the artwork's families, and the font renderer's version: pictures
// with text are reproducible only where this is the same.
std::string FontStamp();

}  // namespace tarn::artwork

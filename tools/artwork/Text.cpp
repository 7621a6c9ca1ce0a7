#include "tools/artwork/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "base/Cp936.h"
#include "graphics/Canvas.h"
#include "graphics/FontEngine.h"

namespace tarn::artwork {
namespace {

Font MakeFont(const TextStyle& style) {
  Font font;
  font.Name = Utf8ToCp936(style.family);
  font.Height = style.pixels;
  font.Style = style.bold ? fsBold : 0;
  font.Color = clWhite;
  return font;
}

}  // namespace

Mask TextMask(std::string_view utf8, const TextStyle& style) {
  const std::string text = Utf8ToCp936(utf8);
  Bitmap32 probe(1, 1);
  Canvas measure(probe);
  measure.font = MakeFont(style);
  const TSize size = measure.TextExtent(text);
  Bitmap32 bitmap(size.cx, size.cy);
  Canvas canvas(bitmap);
  canvas.font = measure.font;
  canvas.brush.Style = BrushStyle::Clear;
  canvas.TextOut(0, 0, text);
  Mask mask(size.cx, size.cy);
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      mask.At(x, y) = static_cast<float>(bitmap.PixelAt(x, y) >> 16 & 0xFF) / 255.f;
  return mask;
}

void DrawText(Image& image, std::string_view utf8, const TextStyle& style, int x, int y,
              const Paint& paint, float opacity) {
  image.Fill(TextMask(utf8, style), x, y, paint, opacity);
}

int DrawTextCentred(Image& image, std::string_view utf8, const TextStyle& style, float cx, int y,
                    const Paint& paint, float opacity) {
  const Mask mask = TextMask(utf8, style);
  image.Fill(mask, static_cast<int>(cx - mask.Width() / 2.f + 0.5f), y, paint, opacity);
  return mask.Width();
}

void DrawShadowedText(Image& image, std::string_view utf8, const TextStyle& style, int x, int y,
                      const Paint& paint, Rgba shadow, int blur, int drop) {
  const Mask mask = TextMask(utf8, style);
  const int margin = 3 * blur + 1;
  Mask soft = mask.Padded(margin);
  soft.Blur(blur);
  image.Fill(soft, x - margin, y - margin + drop, Solid(shadow));
  image.Fill(mask, x, y, paint);
}

std::string FontStamp() {
  std::string stamp;
  auto lock = FontEngine::Instance().Lock();
  for (const char* family : {"宋体", "黑体"}) {
    Font font;
    font.Name = Utf8ToCp936(family);
    font.Height = 12;
    stamp += std::string(family) + ": " + FontEngine::Instance().Get(font).FamilyFor(U'塔') + "\n";
  }
  FT_Library library = nullptr;
  FT_Int major = 0, minor = 0, patch = 0;
  if (FT_Init_FreeType(&library) == 0) {
    FT_Library_Version(library, &major, &minor, &patch);
    FT_Done_FreeType(library);
  }
  stamp += "FreeType: " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(patch) + "\n";
  return stamp;
}

}  // namespace tarn::artwork

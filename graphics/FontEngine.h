// Fonts through fontconfig and FreeType: a Font (family, pixel height, style) resolves to a
// chain of installed faces (the best match first, then fallbacks that cover other characters,
// so that Latin-named families still draw Chinese), with metrics and cached glyph images.
// The families the layout names map to installed equivalents: 宋体 to a Song/Ming face,
// Tahoma and MS Sans Serif to a sans face.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "graphics/Font.h"

namespace tarn {

struct FontMetrics {
  int Ascent = 0;   // pixels above the baseline
  int Descent = 0;  // pixels below it
  int Height = 0;   // Ascent + Descent: the line height
  int AveCharWidth = 0;
  int UnderlinePosition = 1;  // pixels below the baseline
  int LineThickness = 1;
};

// A rendered glyph: coverage 0..255, placed relative to the pen position on the baseline.
struct Glyph {
  int Left = 0;  // from the pen position to the image's left column
  int Top = 0;   // from the baseline up to the image's top row
  int Width = 0;
  int Height = 0;
  int Advance = 0;                // pixels the pen moves
  std::vector<uint8_t> Coverage;  // Width x Height, rows top to bottom
};

class FontFace;

// One font at one size and style. Not thread-safe on its own: hold FontEngine::Lock().
class FontInstance {
 public:
  FontInstance(std::vector<std::shared_ptr<FontFace>> chain, int pixelHeight, bool bold,
               bool italic);
  const FontMetrics& Metrics() const { return metrics_; }
  const Glyph& GetGlyph(char32_t c);  // cached
  int Advance(char32_t c) { return GetGlyph(c).Advance; }
  // The family of the face that draws c (UTF-8), for diagnostics and tests.
  std::string FamilyFor(char32_t c);

 private:
  FontFace* FaceFor(char32_t c);
  std::vector<std::shared_ptr<FontFace>> chain_;
  int pixel_height_;
  bool bold_, italic_;
  FontMetrics metrics_;
  std::unordered_map<char32_t, Glyph> glyphs_;
};

class FontEngine {
 public:
  static FontEngine& Instance();
  // Serialises all use of fonts (FreeType faces are not thread-safe).
  std::unique_lock<std::recursive_mutex> Lock() { return std::unique_lock(mutex_); }
  // The instance for a font (name, height, bold, italic); cached. Caller holds Lock().
  FontInstance& Get(const Font& font);

  ~FontEngine();

 private:
  FontEngine();
  std::shared_ptr<FontFace> OpenFace(const std::string& file, int index);

  std::recursive_mutex mutex_;
  void* library_ = nullptr;  // FT_Library
  std::unordered_map<std::string, std::weak_ptr<FontFace>> faces_;
  std::unordered_map<std::string, std::unique_ptr<FontInstance>> instances_;
};

}  // namespace tarn

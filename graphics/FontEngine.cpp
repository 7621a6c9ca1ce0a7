// Font resolution and glyph rendering. Glyphs are hinted and rendered in grey levels at their
// pixel size (or taken from a face's embedded bitmaps when fontconfig allows them), so that
// 12-pixel text stays crisp. Bold and italic are synthesised when the matched face lacks them.
#include "graphics/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/Cp936.h"
#include "base/Exception.h"

namespace tarn {

class FontFace {
 public:
  FontFace(FT_Face face, FcCharSet* charset, std::string family, int loadFlags, bool antialias)
      : face_(face),
        charset_(charset),
        family_(std::move(family)),
        load_flags_(loadFlags),
        antialias_(antialias) {}
  ~FontFace() {
    FT_Done_Face(face_);
    if (charset_) FcCharSetDestroy(charset_);
  }
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  bool Has(char32_t c) const {
    if (charset_) return FcCharSetHasChar(charset_, c);
    return FT_Get_Char_Index(face_, c) != 0;
  }
  FT_Face Face() const { return face_; }
  const std::string& Family() const { return family_; }
  int LoadFlags() const { return load_flags_; }
  bool Antialias() const { return antialias_; }
  // What the face itself is (fontconfig reports the requested style for synthesised ones).
  bool IsBold() const { return (face_->style_flags & FT_STYLE_FLAG_BOLD) != 0; }
  bool IsItalic() const { return (face_->style_flags & FT_STYLE_FLAG_ITALIC) != 0; }

  // Selects the pixel size; for bitmap-only faces the nearest strike.
  void SetSize(int pixels) {
    if (FT_IS_SCALABLE(face_)) {
      FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels));
    } else if (face_->num_fixed_sizes > 0) {
      int best = 0;
      for (int i = 1; i < face_->num_fixed_sizes; ++i)
        if (std::abs(face_->available_sizes[i].height - pixels) <
            std::abs(face_->available_sizes[best].height - pixels))
          best = i;
      FT_Select_Size(face_, best);
    }
  }

 private:
  FT_Face face_;
  FcCharSet* charset_;
  std::string family_;
  int load_flags_;
  bool antialias_;
};

namespace {

// Installed equivalents of the families the program names, tried in this order before
// fontconfig's own choice.
struct Alias {
  const char* name;  // UTF-8
  std::vector<const char*> families;
};
const std::vector<Alias>& Aliases() {
  static const std::vector<Alias> kAliases = {
      {"宋体",
       {"SimSun", "NSimSun", "AR PL SungtiL GB", "AR PL UMing CN", "AR PL New Sung",
        "Noto Serif CJK SC", "Source Han Serif SC", "WenQuanYi Zen Hei"}},
      {"simsun",
       {"SimSun", "NSimSun", "AR PL SungtiL GB", "AR PL UMing CN", "Noto Serif CJK SC",
        "WenQuanYi Zen Hei"}},
      {"新宋体", {"NSimSun", "SimSun", "AR PL SungtiL GB", "AR PL UMing CN", "Noto Serif CJK SC"}},
      {"黑体", {"SimHei", "WenQuanYi Zen Hei", "Noto Sans CJK SC", "Droid Sans Fallback"}},
      {"simhei", {"SimHei", "WenQuanYi Zen Hei", "Noto Sans CJK SC"}},
      {"微软雅黑", {"Microsoft YaHei", "WenQuanYi Zen Hei", "Noto Sans CJK SC"}},
      {"tahoma", {"Tahoma", "DejaVu Sans", "Liberation Sans", "Verdana"}},
      {"ms sans serif",
       {"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans", "Liberation Sans"}},
      {"ms shell dlg", {"Microsoft Sans Serif", "Tahoma", "DejaVu Sans", "Liberation Sans"}},
      {"arial", {"Arial", "Liberation Sans", "DejaVu Sans"}},
  };
  return kAliases;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

int GetInt(FcPattern* p, const char* object, int fallback) {
  int v = fallback;
  FcPatternGetInteger(p, object, 0, &v);
  return v;
}
bool GetBool(FcPattern* p, const char* object, bool fallback) {
  FcBool v = fallback ? FcTrue : FcFalse;
  FcPatternGetBool(p, object, 0, &v);
  return v != FcFalse;
}

int LoadFlagsFor(FcPattern* p) {
  int flags = FT_LOAD_DEFAULT;
  const bool antialias = GetBool(p, FC_ANTIALIAS, true);
  if (!GetBool(p, FC_EMBEDDED_BITMAP, true)) flags |= FT_LOAD_NO_BITMAP;
  if (!GetBool(p, FC_HINTING, true)) {
    flags |= FT_LOAD_NO_HINTING;
    return flags;
  }
  if (GetBool(p, FC_AUTOHINT, false)) flags |= FT_LOAD_FORCE_AUTOHINT;
  if (!antialias) return flags | FT_LOAD_TARGET_MONO;
  const int style = GetInt(p, FC_HINT_STYLE, FC_HINT_SLIGHT);
  flags |= style >= FC_HINT_MEDIUM ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_LIGHT;
  return flags;
}

int Round26(FT_Pos v) {
  return static_cast<int>((v + 32) >> 6);
}
int Ceil26(FT_Pos v) {
  return static_cast<int>((v + 63) >> 6);
}

}  // namespace

// ---- FontInstance -------------------------------------------------------------------------

FontInstance::FontInstance(std::vector<std::shared_ptr<FontFace>> chain, int pixelHeight, bool bold,
                           bool italic)
    : chain_(std::move(chain)), pixel_height_(pixelHeight), bold_(bold), italic_(italic) {
  if (chain_.empty()) throw Exception("No font is installed");
  FontFace& primary = *chain_.front();
  primary.SetSize(pixel_height_);
  const FT_Size_Metrics& m = primary.Face()->size->metrics;
  metrics_.Ascent = Ceil26(m.ascender);
  metrics_.Descent = Ceil26(-m.descender);
  if (metrics_.Ascent + metrics_.Descent < pixel_height_)
    metrics_.Ascent = pixel_height_ - metrics_.Descent;
  metrics_.Height = metrics_.Ascent + metrics_.Descent;
  const FT_Face f = primary.Face();
  if (FT_IS_SCALABLE(f) && f->units_per_EM > 0) {
    const double scale = static_cast<double>(pixel_height_) / f->units_per_EM;
    metrics_.UnderlinePosition =
        std::max(1, static_cast<int>(std::lround(-f->underline_position * scale)));
    metrics_.LineThickness =
        std::max(1, static_cast<int>(std::lround(f->underline_thickness * scale)));
  }
  metrics_.UnderlinePosition =
      std::min(metrics_.UnderlinePosition, std::max(1, metrics_.Descent - 1));
  // Average width of the lower-case Latin letters, as average character widths are taken.
  int sum = 0;
  for (char32_t c = U'a'; c <= U'z'; ++c)
    sum += GetGlyph(c).Advance;
  metrics_.AveCharWidth = std::max(1, (sum + 13) / 26);
  // Hinted glyphs can reach past the face's declared ascent and descent; widen the line so
  // that the tallest Latin and Chinese glyphs stay inside the text's extent.
  for (char32_t c : {U'W', U'g', U'y', U'j', U'国', U'器', U'播', U'放', U'导'}) {
    const Glyph& g = GetGlyph(c);
    if (g.Height == 0) continue;
    metrics_.Ascent = std::clamp(g.Top, metrics_.Ascent, metrics_.Ascent + pixel_height_ / 4 + 1);
    metrics_.Descent =
        std::clamp(g.Height - g.Top, metrics_.Descent, metrics_.Descent + pixel_height_ / 4 + 1);
  }
  metrics_.Height = metrics_.Ascent + metrics_.Descent;
}

FontFace* FontInstance::FaceFor(char32_t c) {
  for (const auto& face : chain_)
    if (face->Has(c)) return face.get();
  return chain_.front().get();
}

std::string FontInstance::FamilyFor(char32_t c) {
  return FaceFor(c)->Family();
}

const Glyph& FontInstance::GetGlyph(char32_t c) {
  if (auto it = glyphs_.find(c); it != glyphs_.end()) return it->second;
  Glyph g;
  FontFace* face = FaceFor(c);
  face->SetSize(pixel_height_);
  FT_Face f = face->Face();
  const FT_UInt index = FT_Get_Char_Index(f, c);
  const bool embolden = bold_ && !face->IsBold();
  int load_flags = face->LoadFlags();
  const bool mono = !face->Antialias();
  // Small text is fitted to the pixel grid in both directions (full hinting, by the
  // auto-hinter where the font has no instructions), whatever the configured hint style: at
  // 12 px lighter hinting leaves Chinese strokes grey and blurred.
  if (pixel_height_ <= 16 && !(load_flags & FT_LOAD_NO_HINTING) && !mono)
    load_flags = (load_flags & ~FT_LOAD_TARGET_(15)) | FT_LOAD_TARGET_NORMAL;
  const bool slant = italic_ && !face->IsItalic();
  if (FT_Load_Glyph(f, index, load_flags) == 0) {
    FT_GlyphSlot slot = f->glyph;
    int extra = 0;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      if (slant) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
        FT_Outline_Transform(&slot->outline, &shear);
      }
      if (embolden) {
        // One pixel wider, as a bold face drawn by smearing would be.
        FT_Outline_EmboldenXY(&slot->outline, 64, 0);
        FT_Outline_Translate(&slot->outline, 32, 0);
        extra = 1;
      }
      FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL);
    }
    FT_Bitmap converted;
    FT_Bitmap_Init(&converted);
    const FT_Bitmap* bm = &slot->bitmap;
    if (bm->pixel_mode != FT_PIXEL_MODE_GRAY || bm->num_grays != 256) {
      FT_Bitmap_Convert(static_cast<FT_Library>(f->glyph->library), bm, &converted, 1);
      // Converted mono and 2/4-bit images hold levels 0..num_grays-1: stretch to 0..255.
      const int levels = bm->pixel_mode == FT_PIXEL_MODE_MONO    ? 2
                         : bm->pixel_mode == FT_PIXEL_MODE_GRAY2 ? 4
                         : bm->pixel_mode == FT_PIXEL_MODE_GRAY4 ? 16
                                                                 : 256;
      if (levels < 256)
        for (unsigned i = 0; i < converted.rows * static_cast<unsigned>(std::abs(converted.pitch));
             ++i)
          converted.buffer[i] = static_cast<uint8_t>(converted.buffer[i] * 255 / (levels - 1));
      if (embolden && slot->format == FT_GLYPH_FORMAT_BITMAP) {
        FT_Bitmap_Embolden(static_cast<FT_Library>(f->glyph->library), &converted, 64, 0);
        extra = 1;
      }
      bm = &converted;
    }
    g.Left = slot->bitmap_left;
    g.Top = slot->bitmap_top;
    g.Width = static_cast<int>(bm->width);
    g.Height = static_cast<int>(bm->rows);
    g.Advance = Round26(slot->advance.x) + extra;
    g.Coverage.resize(static_cast<std::size_t>(g.Width) * g.Height);
    for (int y = 0; y < g.Height; ++y) {
      const uint8_t* row =
          bm->pitch >= 0 ? bm->buffer + static_cast<std::ptrdiff_t>(y) * bm->pitch
                         : bm->buffer + static_cast<std::ptrdiff_t>(g.Height - 1 - y) * -bm->pitch;
      if (g.Width > 0)
        std::memcpy(g.Coverage.data() + static_cast<std::size_t>(y) * g.Width, row,
                    static_cast<std::size_t>(g.Width));
    }
    FT_Bitmap_Done(static_cast<FT_Library>(f->glyph->library), &converted);
  }
  return glyphs_.emplace(c, std::move(g)).first->second;
}

// ---- FontEngine ---------------------------------------------------------------------------

FontEngine& FontEngine::Instance() {
  static FontEngine engine;
  return engine;
}

FontEngine::FontEngine() {
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib) != 0) throw Exception("FreeType cannot be initialised");
  library_ = lib;
  if (!FcInit()) throw Exception("fontconfig cannot be initialised");
}

FontEngine::~FontEngine() {
  instances_.clear();
  faces_.clear();
  FT_Done_FreeType(static_cast<FT_Library>(library_));
}

FontInstance& FontEngine::Get(const Font& font) {
  const int height = std::clamp(font.Height < 0 ? -font.Height : font.Height, 1, 512);
  const std::string key = font.Name + '\0' + std::to_string(height) + (font.Bold() ? "b" : "") +
                          (font.Italic() ? "i" : "");
  if (auto it = instances_.find(key); it != instances_.end()) return *it->second;

  const std::string name = Cp936ToUtf8(font.Name, Conversion::Replace);
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  const std::string lower = Lower(name);
  for (const Alias& alias : Aliases())
    if (lower == alias.name)
      for (const char* family : alias.families)
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, height);
  FcPatternAddInteger(pattern, FC_WEIGHT, font.Bold() ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, font.Italic() ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultMatch;
  FcFontSet* set = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);

  std::vector<std::shared_ptr<FontFace>> chain;
  for (int i = 0; set && i < set->nfont && chain.size() < 8; ++i) {
    FcPattern* match = FcFontRenderPrepare(nullptr, pattern, set->fonts[i]);
    if (!match) continue;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      const int index = GetInt(match, FC_INDEX, 0);
      const std::string path = reinterpret_cast<const char*>(file);
      const std::string face_key = path + '#' + std::to_string(index) + '#' + key;
      std::shared_ptr<FontFace> face;
      if (auto it = faces_.find(face_key); it != faces_.end()) face = it->second.lock();
      if (!face) {
        FT_Face ft = nullptr;
        if (FT_New_Face(static_cast<FT_Library>(library_), path.c_str(), index, &ft) == 0) {
          FcCharSet* charset = nullptr;
          FcCharSet* cs = nullptr;
          if (FcPatternGetCharSet(match, FC_CHARSET, 0, &cs) == FcResultMatch)
            charset = FcCharSetCopy(cs);
          FcChar8* fam = nullptr;
          std::string family = FcPatternGetString(match, FC_FAMILY, 0, &fam) == FcResultMatch
                                   ? reinterpret_cast<const char*>(fam)
                                   : path;
          face = std::make_shared<FontFace>(ft, charset, family, LoadFlagsFor(match),
                                            GetBool(match, FC_ANTIALIAS, true));
          faces_[face_key] = face;
        }
      }
      if (face) chain.push_back(std::move(face));
    }
    FcPatternDestroy(match);
  }
  if (set) FcFontSetDestroy(set);
  FcPatternDestroy(pattern);

  auto instance =
      std::make_unique<FontInstance>(std::move(chain), height, font.Bold(), font.Italic());
  return *instances_.emplace(key, std::move(instance)).first->second;
}

}  // namespace tarn

// fontconfig (2.14) loses a few hundred bytes once while parsing its configuration files; the
// leak checker of the sanitizer builds is told so here, where fontconfig is used.
#if defined(__SANITIZE_ADDRESS__)
#define TARN_LSAN_HOOK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARN_LSAN_HOOK 1
#endif
#endif
#ifdef TARN_LSAN_HOOK
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#endif

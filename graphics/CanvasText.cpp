// The canvas's text: measuring, drawing a line of glyphs, and the formatted DrawText (wrapping,
// alignment, tabs, '&' accelerators, end ellipsis). Text arrives as CP936 and is laid out in
// UTF-32.
#include <algorithm>

#include "base/Cp936.h"
#include "graphics/Canvas.h"
#include "graphics/FontEngine.h"

namespace tarn {

namespace {

// Characters that take no room and draw nothing (control characters).
bool IsInvisible(char32_t c) {
  return c < 0x20 && c != U'\t';
}

// Chinese, Japanese and Korean characters: a line may break before or after each one.
bool IsWide(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
         (c >= 0xFF00 && c <= 0xFFEF) || c >= 0x20000;
}
// Punctuation that must not start a line.
bool NoBreakBefore(char32_t c) {
  static const std::u32string kClosing = U"，。、；：？！）》」』】〕〉”’…,.;:?!)]}%";
  return kClosing.find(c) != std::u32string::npos;
}

struct Line {
  std::u32string text;
  std::vector<int> underlined;  // indices into text
};

class Layout {
 public:
  Layout(FontInstance& font, DrawTextFlags flags) : font_(font), flags_(flags) {
    tab_ = std::max(1, 8 * font.Metrics().AveCharWidth);
  }
  // Width of text[from, to) starting at pen position x0 (tabs depend on it).
  int Width(const std::u32string& text, std::size_t from, std::size_t to, int x0 = 0) const {
    int x = x0;
    for (std::size_t i = from; i < to; ++i)
      x = Advance(x, text[i]);
    return x - x0;
  }
  int Advance(int x, char32_t c) const {
    if (c == U'\t') {
      if (flags_ & dtExpandTabs) return (x / tab_ + 1) * tab_;
      return x + font_.Advance(U' ');
    }
    if (IsInvisible(c)) return x;
    return x + font_.Advance(c);
  }

 private:
  FontInstance& font_;
  DrawTextFlags flags_;
  int tab_;
};

// Removes '&' marks: "&x" underlines x, "&&" is a literal '&', a final lone '&' is dropped.
Line StripPrefixes(const std::u32string& text) {
  Line out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == U'&') {
      if (i + 1 >= text.size()) break;
      ++i;
      if (text[i] != U'&') out.underlined.push_back(static_cast<int>(out.text.size()));
    }
    out.text.push_back(text[i]);
  }
  return out;
}

// Splits at line breaks (CR LF, LF or CR), keeping underline marks with their characters.
std::vector<Line> SplitParagraphs(const Line& all) {
  std::vector<Line> out(1);
  std::size_t u = 0;
  for (std::size_t i = 0; i < all.text.size(); ++i) {
    const char32_t c = all.text[i];
    if (c == U'\r' || c == U'\n') {
      if (c == U'\r' && i + 1 < all.text.size() && all.text[i + 1] == U'\n') ++i;
      out.emplace_back();
      continue;
    }
    while (u < all.underlined.size() && static_cast<std::size_t>(all.underlined[u]) < i)
      ++u;
    if (u < all.underlined.size() && static_cast<std::size_t>(all.underlined[u]) == i)
      out.back().underlined.push_back(static_cast<int>(out.back().text.size()));
    out.back().text.push_back(c);
  }
  return out;
}

Line Slice(const Line& line, std::size_t from, std::size_t to) {
  Line out;
  out.text = line.text.substr(from, to - from);
  for (int u : line.underlined)
    if (static_cast<std::size_t>(u) >= from && static_cast<std::size_t>(u) < to)
      out.underlined.push_back(u - static_cast<int>(from));
  return out;
}

// Breaks a paragraph into lines no wider than `width`: after spaces and around wide characters;
// a piece that fits nowhere is broken between characters, so no text is lost.
void WrapParagraph(const Line& para, int width, const Layout& layout, std::vector<Line>& out) {
  const std::u32string& t = para.text;
  std::size_t start = 0;
  if (t.empty()) {
    out.push_back(para);
    return;
  }
  while (start < t.size()) {
    std::size_t best = 0;  // end of the longest fitting piece ending at a break opportunity
    std::size_t end = start;
    int x = 0;
    while (end < t.size()) {
      const int next = layout.Advance(x, t[end]);
      if (next > width && t[end] != U' ') break;
      x = next;
      ++end;
      const bool can_break =
          end == t.size() || t[end] == U' ' ||
          ((IsWide(t[end - 1]) || IsWide(t[end])) && !NoBreakBefore(t[end]) && t[end - 1] != U' ');
      if (can_break) best = end;
    }
    if (end == t.size()) best = end;
    if (best <= start) best = std::max(end, start + 1);  // nothing fits: break inside the word
    std::size_t line_end = best;
    while (line_end > start && t[line_end - 1] == U' ')
      --line_end;  // trailing spaces go
    out.push_back(Slice(para, start, line_end));
    start = best;
    while (start < t.size() && t[start] == U' ')
      ++start;  // so do leading ones
  }
}

}  // namespace

TSize Canvas::TextExtent(std::string_view text) {
  auto lock = FontEngine::Instance().Lock();
  FontInstance& fi = FontEngine::Instance().Get(font);
  const std::u32string u = Cp936ToUtf32(text);
  const Layout layout(fi, 0);
  return {layout.Width(u, 0, u.size()), fi.Metrics().Height};
}

void Canvas::TextOut(int x, int y, std::string_view text) {
  std::u32string u = Cp936ToUtf32(text);
  std::replace(u.begin(), u.end(), U'\t', U' ');
  DrawTextLine(x, y, u, -1, nullptr);
}

// Draws one line with its top-left at logical (x, y), the background first when the brush is
// solid, then the glyphs, the font's underline and strike-out, and the accelerator underline at
// `underlineIndex`. Clipped to clipTo (logical) when given.
void Canvas::DrawTextLine(int x, int y, const std::u32string& text, int underlineIndex,
                          const TRect* clipTo) {
  auto lock = FontEngine::Instance().Lock();
  FontInstance& fi = FontEngine::Instance().Get(font);
  const FontMetrics& m = fi.Metrics();
  const Layout layout(fi, dtExpandTabs);
  const int width = layout.Width(text, 0, text.size());
  const TRect box = ToDevice(Bounds(x, y, width, m.Height));
  const TRect limit = clipTo ? ToDevice(*clipTo) : target_->BoundsRect();
  if (brush.Style != BrushStyle::Clear && brush.Color != clNone)
    FillDevice(box.Intersect(limit), ColorToPixel(brush.Color));
  if (font.Color == clNone) return;
  const Pixel32 color = ColorToPixel(font.Color);
  const int baseline = box.Top + m.Ascent;
  int pen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    const int next = layout.Advance(pen, c);
    if (!IsInvisible(c) && c != U'\t' && c != U' ') {
      const Glyph& g = fi.GetGlyph(c);
      const TRect gr = Bounds(box.Left + pen + g.Left, baseline - g.Top, g.Width, g.Height);
      ForEachVisible(gr.Intersect(limit), [&](const TRect& r) {
        for (int row = r.Top; row < r.Bottom; ++row) {
          const uint8_t* cov = g.Coverage.data() +
                               static_cast<std::size_t>(row - gr.Top) * g.Width +
                               (r.Left - gr.Left);
          Pixel32* out = target_->ScanLine(row);
          for (int col = r.Left; col < r.Right; ++col, ++cov) {
            const uint32_t a = *cov;
            if (a == 0) continue;
            if (a == 255) {
              out[col] = color;
              continue;
            }
            const Pixel32 d = out[col];
            Pixel32 result = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
              const uint32_t dc = (d >> shift) & 0xFF, sc = (color >> shift) & 0xFF;
              const uint32_t v = sc * a + dc * (255 - a) + 127;
              result |= ((v + (v >> 8)) >> 8) << shift;
            }
            out[col] = result;
          }
        }
      });
    }
    if (static_cast<int>(i) == underlineIndex) {
      const int uy = baseline + m.UnderlinePosition;
      FillDevice(TRect{box.Left + pen, uy, box.Left + next, uy + m.LineThickness}.Intersect(limit),
                 color);
    }
    pen = next;
  }
  if (font.Underline()) {
    const int uy = baseline + m.UnderlinePosition;
    FillDevice(TRect{box.Left, uy, box.Right, uy + m.LineThickness}.Intersect(limit), color);
  }
  if (font.StrikeOut()) {
    const int sy = baseline - m.Ascent / 3;
    FillDevice(TRect{box.Left, sy, box.Right, sy + m.LineThickness}.Intersect(limit), color);
  }
}

int Canvas::DrawText(std::string_view text, TRect& rect, DrawTextFlags flags) {
  auto lock = FontEngine::Instance().Lock();
  FontInstance& fi = FontEngine::Instance().Get(font);
  const FontMetrics& m = fi.Metrics();
  const Layout layout(fi, flags);

  const std::u32string u = Cp936ToUtf32(text);
  Line all;
  if (flags & dtNoPrefix) {
    all.text = u;
  } else {
    all = StripPrefixes(u);
    if (flags & dtHidePrefix) all.underlined.clear();
  }

  std::vector<Line> lines;
  if (flags & dtSingleLine) {
    Line one;
    for (std::size_t i = 0, u_i = 0; i < all.text.size(); ++i) {
      if (all.text[i] == U'\r' || all.text[i] == U'\n') continue;
      while (u_i < all.underlined.size() && static_cast<std::size_t>(all.underlined[u_i]) < i)
        ++u_i;
      if (u_i < all.underlined.size() && static_cast<std::size_t>(all.underlined[u_i]) == i)
        one.underlined.push_back(static_cast<int>(one.text.size()));
      one.text.push_back(all.text[i]);
    }
    lines.push_back(std::move(one));
  } else {
    for (const Line& para : SplitParagraphs(all)) {
      if (flags & dtWordBreak)
        WrapParagraph(para, std::max(1, rect.Width()), layout, lines);
      else
        lines.push_back(para);
    }
  }

  if (flags & dtEndEllipsis) {
    const std::u32string dots = U"...";
    const int limit = rect.Width();
    for (Line& line : lines) {
      if (layout.Width(line.text, 0, line.text.size()) <= limit) continue;
      std::size_t keep = line.text.size();
      while (keep > 0) {
        --keep;
        const int w = layout.Width(line.text, 0, keep);
        if (w + layout.Width(dots, 0, dots.size(), w) <= limit) break;
      }
      line = Slice(line, 0, keep);
      line.text += dots;
    }
  }

  int max_width = 0;
  std::vector<int> widths;
  for (const Line& line : lines) {
    widths.push_back(layout.Width(line.text, 0, line.text.size()));
    max_width = std::max(max_width, widths.back());
  }
  const int height = static_cast<int>(lines.size()) * m.Height;

  if (flags & dtCalcRect) {
    rect.Right = rect.Left + max_width;
    rect.Bottom = rect.Top + height;
    return height;
  }

  int top = rect.Top;
  if (flags & dtSingleLine) {
    if (flags & dtVCenter)
      top = (rect.Top + rect.Bottom - m.Height) / 2;
    else if (flags & dtBottom)
      top = rect.Bottom - m.Height;
  }
  const TRect* clip = (flags & dtNoClip) ? nullptr : &rect;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int w = widths[i];
    int x = rect.Left;
    if (flags & dtCenter)
      x = rect.Left + (rect.Width() - w) / 2;
    else if (flags & dtRight)
      x = rect.Right - w;
    const Line& line = lines[i];
    const int y = top + static_cast<int>(i) * m.Height;
    // Tabs are laid out from the line's start, as measured.
    std::u32string shown = line.text;
    if (!(flags & dtExpandTabs)) std::replace(shown.begin(), shown.end(), U'\t', U' ');
    if (line.underlined.empty()) {
      DrawTextLine(x, y, shown, -1, clip);
    } else {
      // The first mark is underlined as part of the line; further marks likewise, one pass each
      // (drawing the text once and adding only the underline).
      DrawTextLine(x, y, shown, line.underlined[0], clip);
      for (std::size_t k = 1; k < line.underlined.size(); ++k) {
        const int ux = layout.Width(shown, 0, static_cast<std::size_t>(line.underlined[k]));
        const int uw = layout.Width(shown, static_cast<std::size_t>(line.underlined[k]),
                                    static_cast<std::size_t>(line.underlined[k]) + 1, ux);
        const int uy = y + m.Ascent + m.UnderlinePosition;
        TRect ur{x + ux, uy, x + ux + uw, uy + m.LineThickness};
        if (clip) ur = ur.Intersect(*clip);
        FillRect(ur, font.Color);
      }
    }
  }
  return height;
}

}  // namespace tarn

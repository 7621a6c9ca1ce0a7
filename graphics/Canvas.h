// A canvas draws on a Bitmap32 with an origin and a clip region, the way a control paints:
// coordinates are logical (device = logical + origin), every primitive is clipped to the
// canvas's clip region, the bitmap and the bitmap's own clip region. Save/Restore (or the RAII
// CanvasStateSaver) keep origin, clip, pen, brush, font and pen position on a stack, so a
// painter that moves the origin or excludes rectangles can put everything back on every path.
//
// Pixel conventions: rectangles are half-open (right and bottom exclusive); LineTo draws from
// the pen position up to but not including the end point; Rectangle, Ellipse and RoundRect draw
// their outline inside the rectangle with the pen and fill the inside with the brush.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"
#include "graphics/Bitmap32.h"
#include "graphics/Colors.h"
#include "graphics/Font.h"
#include "graphics/Region.h"

namespace tarn {

enum class PenStyle { Solid, Clear };
struct Pen {
  TColor Color = clBlack;
  int Width = 1;
  PenStyle Style = PenStyle::Solid;
  friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle { Solid, Clear };
struct Brush {
  TColor Color = clWhite;
  BrushStyle Style = BrushStyle::Solid;
  friend bool operator==(const Brush&, const Brush&) = default;
};

// DrawText options (combine with |). Horizontal: left (0), centre, right; vertical: top (0),
// centre, bottom (vertical placement applies to single-line text).
enum DrawTextFlag : uint32_t {
  dtLeft = 0x0,
  dtCenter = 0x1,
  dtRight = 0x2,
  dtVCenter = 0x4,
  dtBottom = 0x8,
  dtWordBreak = 0x10,       // wrap at spaces and between Chinese characters
  dtSingleLine = 0x20,      // line breaks are not honoured
  dtExpandTabs = 0x40,      // tab stops every 8 average character widths
  dtNoClip = 0x100,         // do not clip to the rectangle
  dtCalcRect = 0x400,       // measure only: the rectangle's right and bottom are set, nothing drawn
  dtNoPrefix = 0x800,       // '&' is an ordinary character
  dtEndEllipsis = 0x8000,   // a line that does not fit ends in "..."
  dtHidePrefix = 0x100000,  // '&' marks are processed but no underline is drawn
};
using DrawTextFlags = uint32_t;

class Canvas {
 public:
  explicit Canvas(Bitmap32& target);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  Bitmap32& Target() { return *target_; }

  // Drawing tools.
  Pen pen;
  Brush brush;
  Font font;

  // The origin: logical (0, 0) lies at this device position.
  TPoint Origin() const { return origin_; }
  void SetOrigin(TPoint origin) { origin_ = origin; }
  void MoveOrigin(int dx, int dy) { origin_ = {origin_.X + dx, origin_.Y + dy}; }

  // Clipping, in logical coordinates at the time of the call (the region is kept in device
  // coordinates, so later origin moves do not move it).
  bool HasClip() const { return clip_ != nullptr; }
  void SelectClip(const Region& logical);
  void RemoveClip();
  void ExcludeClipRect(const TRect& logical);
  void IntersectClipRect(const TRect& logical);
  // The smallest rectangle holding everything that can still be drawn, in logical coordinates.
  TRect ClipBounds() const;
  bool IsVisible(const TRect& logical) const;  // some pixel of the rectangle can be drawn

  // State stack: origin, clip, pen, brush, font and pen position.
  void Save();
  void Restore();  // no effect when nothing is saved
  std::size_t SaveDepth() const { return saved_.size(); }

  // Pixels.
  void SetPixel(int x, int y, TColor color);
  TColor GetPixel(int x, int y) const;  // 0x00BBGGRR; clNone outside the bitmap

  // Rectangles.
  void FillRect(const TRect& rect);  // with the brush (nothing for a clear brush)
  void FillRect(const TRect& rect, TColor color);
  void FrameRect(const TRect& rect);  // 1-pixel frame in the brush colour
  void FrameRect(const TRect& rect, TColor color);
  void Rectangle(const TRect& rect);
  void Rectangle(int left, int top, int right, int bottom) {
    Rectangle(TRect{left, top, right, bottom});
  }
  // The focus rectangle: every other pixel of the rectangle's 1-pixel border inverted, so that
  // drawing it twice restores the picture.
  void DrawFocusRect(const TRect& rect);
  // A 3-D frame `width` pixels wide: top and left in topLeft, bottom and right in bottomRight.
  // The rectangle shrinks by width on each side.
  void Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width);

  // Lines with the pen.
  TPoint PenPos() const { return pen_pos_; }
  void MoveTo(int x, int y) { pen_pos_ = {x, y}; }
  void LineTo(int x, int y);  // the end point is not drawn; the pen moves there
  void Polyline(const TPoint* points, std::size_t count);  // up to but not incl. the last point
  void Polyline(const std::vector<TPoint>& points) { Polyline(points.data(), points.size()); }

  // Filled shapes: inside with the brush, outline with the pen.
  void Polygon(const TPoint* points, std::size_t count,
               PolyFillMode mode = PolyFillMode::Alternate);
  void Polygon(const std::vector<TPoint>& points) { Polygon(points.data(), points.size()); }
  void Ellipse(const TRect& rect);
  void Ellipse(int left, int top, int right, int bottom) {
    Ellipse(TRect{left, top, right, bottom});
  }
  void RoundRect(const TRect& rect, int cornerWidth, int cornerHeight);
  // Fills a region (logical coordinates) with a colour.
  void FillRegion(const Region& logical, TColor color);

  // Bitmaps. Opaque copies take the source's colours and set the fourth byte as the source has it.
  void Draw(int x, int y, const Bitmap32& source);
  void Draw(int x, int y, const Bitmap32& source, const TRect& sourceRect);
  void StretchDraw(const TRect& dest, const Bitmap32& source);  // nearest pixel
  void StretchDraw(const TRect& dest, const Bitmap32& source, const TRect& sourceRect);
  // Pixels of `transparent` (0x00BBGGRR, compared without the fourth byte) are left out.
  void DrawTransparent(int x, int y, const Bitmap32& source, TColor transparent);
  void StretchDrawTransparent(const TRect& dest, const Bitmap32& source, TColor transparent);
  // Straight (not premultiplied) alpha in the fourth byte, blended over the canvas; scaled
  // into dest by the nearest-pixel rule when sizes differ. Colour: c = (s a + d (255 - a)) / 255
  // whatever the destination's fourth byte; that byte becomes a + d_a (255 - a) / 255.
  void DrawAlpha(int x, int y, const Bitmap32& rgba);
  void DrawAlpha(const TRect& dest, const Bitmap32& rgba);
  void DrawAlpha(const TRect& dest, const Bitmap32& rgba, const TRect& sourceRect);

  // Text (CP936 bytes) in the font; the background is filled with the brush colour unless the
  // brush is clear.
  TSize TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }
  void TextOut(int x, int y, std::string_view text);
  // Text drawn into `rect` with the given options; returns the height of the text. With
  // dtCalcRect nothing is drawn and rect's right and bottom are set to the text's extent.
  int DrawText(std::string_view text, TRect& rect, DrawTextFlags flags);

 private:
  struct State {
    TPoint origin;
    std::unique_ptr<Region> clip;
    Pen pen;
    Brush brush;
    Font font;
    TPoint pen_pos;
  };
  TRect ToDevice(const TRect& r) const { return r.Offset(origin_.X, origin_.Y); }
  // Calls f(const TRect&) for each part of the device rectangle that may be drawn.
  template <class F>
  void ForEachVisible(const TRect& device, F&& f) const {
    const TRect r = device.Intersect(target_->BoundsRect());
    if (r.IsEmpty()) return;
    const Region* bitmap_clip = target_->Clip();
    if (clip_) {
      clip_->ForEachRectIn(r, [&](const TRect& piece) {
        if (bitmap_clip)
          bitmap_clip->ForEachRectIn(piece, f);
        else
          f(piece);
      });
    } else if (bitmap_clip) {
      bitmap_clip->ForEachRectIn(r, f);
    } else {
      f(r);
    }
  }
  void FillDevice(const TRect& device, Pixel32 pixel);
  void FillRegionDevice(const Region& device, Pixel32 pixel);
  void DrawLineDevice(TPoint a, TPoint b, Pixel32 pixel);
  void ThickLine(TPoint a, TPoint b, Region& into) const;
  void BlitDevice(const TRect& dest, const Bitmap32& source, const TRect& sourceRect, int mode,
                  Pixel32 key);
  void DrawTextLine(int x, int y, const std::u32string& text, int underlineIndex,
                    const TRect* clipTo);

  Bitmap32* target_;
  TPoint origin_{};
  std::unique_ptr<Region> clip_;  // device coordinates; none = no canvas clip
  TPoint pen_pos_{};
  std::vector<State> saved_;
};

// Saves the canvas state now and restores it when leaving the scope, also on exceptions.
class CanvasStateSaver {
 public:
  explicit CanvasStateSaver(Canvas& canvas) : canvas_(canvas), depth_(canvas.SaveDepth()) {
    canvas_.Save();
  }
  ~CanvasStateSaver() {
    while (canvas_.SaveDepth() > depth_)
      canvas_.Restore();
  }
  CanvasStateSaver(const CanvasStateSaver&) = delete;
  CanvasStateSaver& operator=(const CanvasStateSaver&) = delete;

 private:
  Canvas& canvas_;
  std::size_t depth_;
};

}  // namespace tarn

// A 32-bit bitmap: W x H pixels of 4 bytes (blue, green, red, fourth byte), rows without gaps,
// bottom row first in memory, as a bottom-up device-independent bitmap is laid out.
//
// Block copies and stretches onto a bitmap are clipped to the bitmap and to the clip region
// selected on it (the destination's clip; a source's clip plays no part).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/Geometry.h"

namespace tarn {

class Region;

// A pixel as it lies in memory: 0xAARRGGBB on a little-endian machine (bytes B, G, R, A).
using Pixel32 = uint32_t;

class Bitmap32 {
 public:
  Bitmap32();
  Bitmap32(int width, int height);  // all pixels 0
  Bitmap32(const Bitmap32& other);  // pixels and clip
  Bitmap32& operator=(const Bitmap32& other);
  Bitmap32(Bitmap32&& other) noexcept;
  Bitmap32& operator=(Bitmap32&& other) noexcept;
  ~Bitmap32();

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TRect BoundsRect() const { return {0, 0, width_, height_}; }

  // New size; every pixel becomes 0 and the clip is removed. Negative sizes raise Exception.
  void SetSize(int width, int height);

  // Row y counted from the top (0 .. Height()-1); the row's pixels left to right.
  Pixel32* ScanLine(int y) {
    return bits_.data() + static_cast<std::size_t>(height_ - 1 - y) * width_;
  }
  const Pixel32* ScanLine(int y) const {
    return bits_.data() + static_cast<std::size_t>(height_ - 1 - y) * width_;
  }
  // The pixels in memory order: bottom row first, each row left to right.
  Pixel32* Bits() { return bits_.data(); }
  const Pixel32* Bits() const { return bits_.data(); }

  Pixel32 PixelAt(int x, int y) const { return ScanLine(y)[x]; }
  void SetPixelAt(int x, int y, Pixel32 value) { ScanLine(y)[x] = value; }

  // Every pixel (ignoring the clip).
  void Fill(Pixel32 value);
  // The rectangle, clipped to the bitmap and the clip region.
  void FillRect(const TRect& rect, Pixel32 value);

  // Clip region of later copies, stretches and fills onto this bitmap; the region is copied.
  void SelectClip(const Region& region);
  void RemoveClip();
  bool HasClip() const { return clip_ != nullptr; }
  const Region* Clip() const { return clip_.get(); }
  // Clip := clip minus rect (the whole bitmap minus rect when no clip is selected).
  void ExcludeClipRect(const TRect& rect);
  // Clip := clip intersected with rect (rect itself when no clip is selected).
  void IntersectClipRect(const TRect& rect);

  // Copies the w x h block at (sx, sy) of source to (x, y) of this bitmap. Parts of the
  // destination outside the bitmap or the clip are left alone; source pixels outside the source
  // are not read (their destination pixels are left alone too). Source and destination may be
  // the same bitmap with overlapping blocks: the result is as if the source were copied first.
  void CopyBlock(int x, int y, int w, int h, const Bitmap32& source, int sx, int sy);

  // Nearest-pixel stretch of the source block (sx, sy, sw, sh) onto the destination block
  // (x, y, w, h): whole pixels are kept or dropped, never averaged. A negative w mirrors
  // horizontally (the block then spans x+w+1 .. x), a negative h vertically; likewise for
  // negative sw / sh on the source. Destination column i (counted from x in the direction of w)
  // takes source column j = floor((2i + 1) * |sw| / (2 |w|)) (counted from sx in the direction of
  // sw), the one under the destination pixel's centre; rows likewise. Source pixels outside the
  // source leave their destination pixels alone. Source and destination may be the same bitmap:
  // the result is as if the source were read before anything is drawn.
  void StretchBlock(int x, int y, int w, int h, const Bitmap32& source, int sx, int sy, int sw,
                    int sh);

  friend bool operator==(const Bitmap32& a, const Bitmap32& b);  // sizes and pixels, not clips

 private:
  // Calls f(const TRect&) for the parts of rect inside the bitmap and the clip.
  template <class F>
  void ForEachTarget(const TRect& rect, F&& f) const;
  void CopyThroughClip(const TRect& dst, const Bitmap32& source, int dx, int dy);
  void StretchRows(const TRect& valid, const TRect& dst, const Bitmap32& source,
                   const std::vector<int>& cols, const std::vector<int>& rows, bool topDown,
                   bool leftward);

  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel32> bits_;
  std::unique_ptr<Region> clip_;
};

}  // namespace tarn

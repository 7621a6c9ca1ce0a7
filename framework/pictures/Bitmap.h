// TBitmap: a 32-bit bitmap graphic with its own canvas. Reads BMP files and bitmap resources
// (1 to 32 bits per pixel), writes 24-bit BMP (32-bit when a pixel is translucent). It can be
// drawn with one colour left out (Transparent, TransparentColor). A lock guards it while one
// thread draws on it and another copies it (the picture show's frame bitmaps).
#pragma once

#include <memory>

#include "framework/CriticalSection.h"
#include "framework/ResourceId.h"
#include "framework/pictures/Graphic.h"
#include "graphics/Canvas.h"

namespace tarn {

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  TBitmap(int width, int height);
  ~TBitmap() override;

  int Width() const override { return image_.Width(); }
  int Height() const override { return image_.Height(); }
  // New size with every pixel black (transparent black); one change event.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }

  // The pixels to draw on directly; call Changed() afterwards so holders hear of it.
  Bitmap32& Image() { return image_; }
  const Bitmap32& Pixels() const override { return image_; }
  tarn::Canvas& GetCanvas();
  void Modified() { Changed(); }

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // clDefault (the default) takes the colour of the bottom-left pixel.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);

  TCriticalSection& CanvasLock() { return lock_; }

  void LoadFromBytes(std::span<const uint8_t> data) override;
  std::vector<uint8_t> SaveToBytes() const override;
  // From the program's bitmap resources; raises EResNotFound when there is none.
  void LoadFromResourceID(int id) { LoadFromResource(TResourceId(id)); }
  void LoadFromResourceName(const std::string& name) { LoadFromResource(TResourceId(name)); }

  void Draw(tarn::Canvas& canvas, const TRect& dest) const override;
  std::unique_ptr<TGraphic> Clone() const override;
  // Takes the pixels of any graphic (a bitmap also its transparency settings).
  void Assign(const TPersistent& source) override;
  std::string ClassName() const override { return "TBitmap"; }

 private:
  void LoadFromResource(const TResourceId& name);

  Bitmap32 image_;
  std::unique_ptr<tarn::Canvas> canvas_;
  bool transparent_ = false;
  TColor transparent_color_ = clDefault;
  TCriticalSection lock_;
};

}  // namespace tarn

// TPngImage: a PNG graphic with alpha (every PNG is read as 8-bit RGBA). It draws with its alpha
// channel over the canvas. It keeps the file it was loaded from until its pixels change.
#pragma once

#include "framework/ResourceId.h"
#include "framework/pictures/Graphic.h"

namespace tarn {

class TPngImage : public TGraphic {
 public:
  int Width() const override { return image_.Width(); }
  int Height() const override { return image_.Height(); }
  const Bitmap32& Pixels() const override { return image_; }
  // The pixels to change directly; call Modified() afterwards.
  Bitmap32& Image() { return image_; }
  void Modified();

  void LoadFromBytes(std::span<const uint8_t> data) override;
  std::vector<uint8_t> SaveToBytes() const override;
  // From the program's raw-data resources (RCDATA); raises EResNotFound when there is none.
  void LoadFromResourceID(int id) { LoadFromResource(TResourceId(id)); }
  void LoadFromResourceName(const std::string& name) { LoadFromResource(TResourceId(name)); }

  void Draw(Canvas& canvas, const TRect& dest) const override;
  std::unique_ptr<TGraphic> Clone() const override;
  void Assign(const TPersistent& source) override;
  std::string ClassName() const override { return "TPngImage"; }

 private:
  void LoadFromResource(const TResourceId& name);

  Bitmap32 image_;
  std::vector<uint8_t> data_;  // the file as loaded; empty once the pixels changed
};

}  // namespace tarn

// TJPEGImage: a JPEG graphic (baseline or progressive). It keeps the file it was loaded from,
// so saving writes the same bytes; a graphic assigned to it is compressed at CompressionQuality.
#pragma once

#include "framework/pictures/Graphic.h"
#include "graphics/JpegCodec.h"

namespace tarn {

class TJPEGImage : public TGraphic {
 public:
  int Width() const override { return image_.Width(); }
  int Height() const override { return image_.Height(); }
  const Bitmap32& Pixels() const override { return image_; }

  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int quality);  // 1 .. 100
  bool ProgressiveEncoding() const { return progressive_; }
  void SetProgressiveEncoding(bool value) { progressive_ = value; }

  void LoadFromBytes(std::span<const uint8_t> data) override;
  std::vector<uint8_t> SaveToBytes() const override { return data_; }
  void Draw(Canvas& canvas, const TRect& dest) const override;
  std::unique_ptr<TGraphic> Clone() const override;
  void Assign(const TPersistent& source) override;
  std::string ClassName() const override { return "TJPEGImage"; }

 private:
  Bitmap32 image_;
  std::vector<uint8_t> data_;
  int quality_ = 90;
  bool progressive_ = false;
};

}  // namespace tarn

#include "framework/pictures/JpegImage.h"

#include <algorithm>

#include "graphics/Canvas.h"

namespace tarn {

void TJPEGImage::SetCompressionQuality(int quality) {
  quality_ = std::clamp(quality, 1, 100);
}

void TJPEGImage::LoadFromBytes(std::span<const uint8_t> data) {
  Bitmap32 image = DecodeJpeg(data);
  image_ = std::move(image);
  data_.assign(data.begin(), data.end());
  Changed();
}

void TJPEGImage::Draw(Canvas& canvas, const TRect& dest) const {
  if (image_.Empty()) return;
  if (dest.Width() == image_.Width() && dest.Height() == image_.Height()) {
    canvas.Draw(dest.Left, dest.Top, image_);
  } else {
    canvas.StretchDraw(dest, image_);
  }
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->image_ = image_;
  copy->data_ = data_;
  copy->quality_ = quality_;
  copy->progressive_ = progressive_;
  return copy;
}

void TJPEGImage::Assign(const TPersistent& source) {
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&source)) {
    if (jpeg == this) return;
    image_ = jpeg->image_;
    data_ = jpeg->data_;
    Changed();
    return;
  }
  if (const auto* graphic = dynamic_cast<const TGraphic*>(&source)) {
    if (graphic->Empty()) {
      image_ = Bitmap32();
      data_.clear();
    } else {
      data_ = EncodeJpeg(graphic->Pixels(), quality_,
                         progressive_ ? JpegMode::Progressive : JpegMode::Baseline);
      image_ = DecodeJpeg(data_);  // what the file holds, not the lossless original
    }
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

}  // namespace tarn

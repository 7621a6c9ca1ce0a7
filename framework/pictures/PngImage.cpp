#include "framework/pictures/PngImage.h"

#include "framework/Resources.h"
#include "graphics/Canvas.h"
#include "graphics/PngCodec.h"

namespace tarn {

void TPngImage::Modified() {
  data_.clear();
  Changed();
}

void TPngImage::LoadFromBytes(std::span<const uint8_t> data) {
  Bitmap32 image = DecodePng(data);
  image_ = std::move(image);
  data_.assign(data.begin(), data.end());
  Changed();
}

std::vector<uint8_t> TPngImage::SaveToBytes() const {
  if (!data_.empty()) return data_;
  if (image_.Empty()) return {};
  return EncodePng(image_);
}

void TPngImage::LoadFromResource(const TResourceId& name) {
  LoadFromBytes(LoadResource(RT_RCDATA, name));
}

void TPngImage::Draw(Canvas& canvas, const TRect& dest) const {
  if (image_.Empty()) return;
  canvas.DrawAlpha(dest, image_);
}

std::unique_ptr<TGraphic> TPngImage::Clone() const {
  auto copy = std::make_unique<TPngImage>();
  copy->image_ = image_;
  copy->data_ = data_;
  return copy;
}

void TPngImage::Assign(const TPersistent& source) {
  if (const auto* png = dynamic_cast<const TPngImage*>(&source)) {
    if (png == this) return;
    image_ = png->image_;
    data_ = png->data_;
    Changed();
    return;
  }
  if (const auto* graphic = dynamic_cast<const TGraphic*>(&source)) {
    image_ = graphic->Pixels();
    data_.clear();
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

}  // namespace tarn

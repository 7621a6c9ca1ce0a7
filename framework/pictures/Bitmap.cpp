#include "framework/pictures/Bitmap.h"

#include "framework/Resources.h"
#include "graphics/BmpCodec.h"

namespace tarn {

TBitmap::TBitmap(int width, int height) : image_(width, height) {}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
  image_.SetSize(width, height);
  Changed();
}

Canvas& TBitmap::GetCanvas() {
  if (!canvas_) canvas_ = std::make_unique<tarn::Canvas>(image_);
  return *canvas_;
}

void TBitmap::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (transparent_color_ != clDefault) return transparent_color_;
  if (image_.Empty()) return clNone;
  return PixelToColor(image_.PixelAt(0, image_.Height() - 1));
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparent_color_) return;
  transparent_color_ = color;
  Changed();
}

void TBitmap::LoadFromBytes(std::span<const uint8_t> data) {
  image_ = DecodeBmp(data);
  Changed();
}

std::vector<uint8_t> TBitmap::SaveToBytes() const {
  if (image_.Empty()) return {};
  bool translucent = false;
  for (int y = 0; y < image_.Height() && !translucent; ++y) {
    const Pixel32* row = image_.ScanLine(y);
    for (int x = 0; x < image_.Width(); ++x) {
      if ((row[x] >> 24) != 0xFF) {
        translucent = true;
        break;
      }
    }
  }
  return EncodeBmp(image_, translucent ? 32 : 24);
}

void TBitmap::LoadFromResource(const TResourceId& name) {
  LoadFromBytes(LoadResource(RT_BITMAP, name));
}

void TBitmap::Draw(tarn::Canvas& canvas, const TRect& dest) const {
  if (image_.Empty()) return;
  if (transparent_) {
    DrawTransparent(canvas, dest, TransparentColor());
  } else if (dest.Width() == image_.Width() && dest.Height() == image_.Height()) {
    canvas.Draw(dest.Left, dest.Top, image_);
  } else {
    canvas.StretchDraw(dest, image_);
  }
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->image_ = image_;
  copy->transparent_ = transparent_;
  copy->transparent_color_ = transparent_color_;
  return copy;
}

void TBitmap::Assign(const TPersistent& source) {
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
    if (bitmap == this) return;
    image_ = bitmap->image_;
    transparent_ = bitmap->transparent_;
    transparent_color_ = bitmap->transparent_color_;
    Changed();
    return;
  }
  if (const auto* graphic = dynamic_cast<const TGraphic*>(&source)) {
    image_ = graphic->Pixels();
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

}  // namespace tarn

#include "framework/pictures/Picture.h"

#include "base/FileStream.h"
#include "framework/pictures/JpegImage.h"
#include "framework/pictures/PngImage.h"
#include "graphics/ImageCodec.h"

namespace tarn {

TPicture::~TPicture() {
  if (graphic_) graphic_->OnChange = nullptr;
}

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::Hold(std::unique_ptr<TGraphic> graphic) {
  if (graphic_) graphic_->OnChange = nullptr;
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (graphic != nullptr && graphic == graphic_.get()) return;
  Hold(graphic ? graphic->Clone() : nullptr);
}

TBitmap& TPicture::Bitmap() {
  if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get())) return *bitmap;
  Hold(std::make_unique<TBitmap>());
  return static_cast<TBitmap&>(*graphic_);
}

void TPicture::LoadFromBytes(std::span<const uint8_t> data) {
  if (data.empty()) {
    Hold(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> graphic;
  switch (DetectImageFormat(data)) {
    case ImageFormat::Png:
      graphic = std::make_unique<TPngImage>();
      break;
    case ImageFormat::Jpeg:
      graphic = std::make_unique<TJPEGImage>();
      break;
    case ImageFormat::Bmp:
      graphic = std::make_unique<TBitmap>();
      break;
    case ImageFormat::Unknown:
      throw EInvalidGraphic("Unknown picture format");
  }
  graphic->LoadFromBytes(data);  // not connected yet: no change event of its own
  Hold(std::move(graphic));
}

void TPicture::LoadFromStream(TStream& stream) {
  const std::vector<uint8_t> data = ReadRemaining(stream);
  LoadFromBytes(data);
}

void TPicture::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, FileMode::OpenRead, FileShare::DenyWrite);
  LoadFromStream(stream);
}

std::vector<uint8_t> TPicture::SaveToBytes() const {
  return graphic_ ? graphic_->SaveToBytes() : std::vector<uint8_t>();
}

void TPicture::SaveToStream(TStream& stream) const {
  if (graphic_) graphic_->SaveToStream(stream);
}

void TPicture::SaveToFile(const std::string& fileName) const {
  TFileStream stream(fileName, FileMode::Create, FileShare::Exclusive);
  SaveToStream(stream);
}

void TPicture::Assign(const TPersistent& source) {
  if (const auto* picture = dynamic_cast<const TPicture*>(&source)) {
    if (picture != this) SetGraphic(picture->Graphic());
    return;
  }
  if (const auto* graphic = dynamic_cast<const TGraphic*>(&source)) {
    SetGraphic(graphic);
    return;
  }
  TPersistent::Assign(source);
}

}  // namespace tarn

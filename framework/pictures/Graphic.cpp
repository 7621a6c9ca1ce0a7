#include "framework/pictures/Graphic.h"

#include "base/FileStream.h"
#include "graphics/Canvas.h"
#include "graphics/ImageCodec.h"

namespace tarn {

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromStream(TStream& stream) {
  const std::vector<uint8_t> data = ReadRemaining(stream);
  LoadFromBytes(data);
}

void TGraphic::SaveToStream(TStream& stream) const {
  const std::vector<uint8_t> data = SaveToBytes();
  if (!data.empty()) stream.WriteBuffer(data.data(), data.size());
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, FileMode::OpenRead, FileShare::DenyWrite);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) const {
  TFileStream stream(fileName, FileMode::Create, FileShare::Exclusive);
  SaveToStream(stream);
}

void TGraphic::DrawTransparent(Canvas& canvas, const TRect& dest, TColor transparent) const {
  canvas.StretchDrawTransparent(dest, Pixels(), transparent);
}

}  // namespace tarn

// TPicture: holds one graphic of any class (bitmap, JPEG, PNG) or none. It loads a file or
// stream by its content, whatever the file is called; assigning copies; OnChange is raised once
// for every change, including changes made to the held graphic itself.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/pictures/Bitmap.h"
#include "framework/pictures/Graphic.h"

namespace tarn {

class TStream;

class TPicture : public TPersistent {
 public:
  TPicture() = default;
  ~TPicture() override;

  // The graphic held, or none.
  TGraphic* Graphic() const { return graphic_.get(); }
  // Holds a copy of the graphic (none: holds nothing).
  void SetGraphic(const TGraphic* graphic);
  // The graphic as a bitmap: anything else held is replaced by an empty bitmap first.
  TBitmap& Bitmap();

  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  // Holds no graphic, or one without pixels.
  bool Empty() const { return !graphic_ || graphic_->Empty(); }

  // By content: PNG, JPEG or BMP. Raises EInvalidGraphic for anything else and for damaged
  // data, keeping what was held. Empty data holds nothing.
  void LoadFromBytes(std::span<const uint8_t> data);
  void LoadFromStream(TStream& stream);  // from the position to the end
  void LoadFromFile(const std::string& fileName);
  // The held graphic in its own format (nothing for none).
  std::vector<uint8_t> SaveToBytes() const;
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;
  void Clear() { SetGraphic(nullptr); }

  // From another picture or a graphic.
  void Assign(const TPersistent& source) override;
  std::string ClassName() const override { return "TPicture"; }

  TNotifyEvent OnChange;

 private:
  void Hold(std::unique_ptr<TGraphic> graphic);
  void Changed();

  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace tarn

// TGraphic: an image a picture holder can hold (a 32-bit bitmap, a JPEG, a PNG with alpha).
// Each knows its size, reads and writes its own file format, draws itself scaled into a
// rectangle, gives its pixels as a 32-bit bitmap with straight alpha, and raises OnChange once
// for every change of its content.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/ControlTypes.h"
#include "framework/Persistent.h"
#include "graphics/Bitmap32.h"

namespace tarn {

class Canvas;
class TStream;

class TGraphic : public TPersistent {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() == 0 || Height() == 0; }

  // Replaces the content with the image in the bytes (the whole file); raises EInvalidGraphic
  // for data that is not an image of this class's format, leaving the content as it was.
  virtual void LoadFromBytes(std::span<const uint8_t> data) = 0;
  // The image as a file of this class's format (empty for an empty graphic).
  virtual std::vector<uint8_t> SaveToBytes() const = 0;
  // The stream from its position to its end.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  // Draws the graphic scaled into dest (nearest pixel), unscaled when the sizes agree.
  virtual void Draw(Canvas& canvas, const TRect& dest) const = 0;
  // The same, leaving out the pixels of the colour `transparent`.
  virtual void DrawTransparent(Canvas& canvas, const TRect& dest, TColor transparent) const;
  // The pixels, fourth byte as straight alpha (255 where the format has none).
  virtual const Bitmap32& Pixels() const = 0;
  // A new graphic of the same class with the same content (and no change handler).
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  TNotifyEvent OnChange;

 protected:
  void Changed();
};

}  // namespace tarn

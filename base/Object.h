// The polymorphic root of objects that containers hold without knowing their class (the
// objects attached to string-list lines, for example).
#pragma once

namespace tarn {

class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
};

}  // namespace tarn

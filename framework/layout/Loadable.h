// Components that want to hear when a layout has set all their properties (and those of every
// other component of the layout), to do then what their setters skip while csLoading is set.
#pragma once

namespace tarn {

class ILoadable {
 public:
  virtual ~ILoadable() = default;
  virtual void Loaded() = 0;
};

}  // namespace tarn

// Limits on a control's size; 0 means no limit. The control applies them in SetBounds.
#pragma once

#include <functional>

namespace tarn {

class TSizeConstraints {
 public:
  int MinWidth() const { return min_width_; }
  int MinHeight() const { return min_height_; }
  int MaxWidth() const { return max_width_; }
  int MaxHeight() const { return max_height_; }
  void SetMinWidth(int v) { Set(min_width_, v); }
  void SetMinHeight(int v) { Set(min_height_, v); }
  void SetMaxWidth(int v) { Set(max_width_, v); }
  void SetMaxHeight(int v) { Set(max_height_, v); }

  // Pins width and height to exactly these values.
  void Pin(int width, int height) {
    min_width_ = max_width_ = width;
    min_height_ = max_height_ = height;
    if (OnChange) OnChange();
  }

  void Apply(int& width, int& height) const {
    if (max_width_ > 0 && width > max_width_) width = max_width_;
    if (min_width_ > 0 && width < min_width_) width = min_width_;
    if (max_height_ > 0 && height > max_height_) height = max_height_;
    if (min_height_ > 0 && height < min_height_) height = min_height_;
  }

  std::function<void()> OnChange;  // the owning control re-applies its size

 private:
  void Set(int& field, int v) {
    if (v < 0) v = 0;
    if (field == v) return;
    field = v;
    if (OnChange) OnChange();
  }
  int min_width_ = 0;
  int min_height_ = 0;
  int max_width_ = 0;
  int max_height_ = 0;
};

}  // namespace tarn

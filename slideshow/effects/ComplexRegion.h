// TComplexRegion: collects many rectangles in a region-data block (a 32-byte header followed by
// 16-byte rectangles) and turns them into one region in a single step, which is far cheaper
// than combining hundreds of small regions one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "base/Geometry.h"
#include "base/Object.h"
#include "graphics/Region.h"

namespace tarn {

class TComplexRegion : public TObject {
 public:
  static constexpr int kHeaderSize = 32;
  static constexpr int kRectSize = 16;
  static constexpr int kGrowBy = 500;

  TComplexRegion() { Clear(); }

  // Releases the block; no rectangles, no capacity, Bounds inverted to the widest extremes.
  void Clear();
  // Stores the rectangle as given (empty or inverted ones too) and widens Bounds.
  void AddRect(int Left, int Top, int Right, int Bottom);
  // The union of the added rectangles, or none when nothing was added since the last Clear.
  std::optional<Region> CreateRegion();

  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  const TRect& Bounds() const { return bounds_; }
  // The rectangles added, in order.
  std::span<const TRect> Rects() const;
  // The block as CreateRegion hands it on (null before the first AddRect).
  const std::byte* Data() const { return data_.get(); }
  std::size_t DataSize() const {
    return data_ ? static_cast<std::size_t>(capacity_) * kRectSize + 36 : 0;
  }

 private:
  std::unique_ptr<std::byte[]> data_;
  int capacity_ = 0;
  int count_ = 0;
  TRect bounds_;
  std::size_t cursor_ = 0;  // byte offset of the next rectangle in data_
};

}  // namespace tarn

#include "slideshow/effects/ComplexRegion.h"

#include <algorithm>
#include <cstring>

namespace tarn {
namespace {

static_assert(sizeof(TRect) == TComplexRegion::kRectSize, "a block rectangle is four 32-bit ints");

void PutInt(std::byte* at, int32_t value) {
  std::memcpy(at, &value, sizeof value);
}

}  // namespace

void TComplexRegion::Clear() {
  data_.reset();
  count_ = 0;
  capacity_ = 0;
  cursor_ = 0;
  bounds_ = {2147483647, 2147483647, -2147483647, -2147483647};
}

void TComplexRegion::AddRect(int Left, int Top, int Right, int Bottom) {
  if (count_ == capacity_) {
    const int capacity = capacity_ + kGrowBy;
    // Uninitialised: the header is filled by CreateRegion, the rectangles as they are added.
    auto grown = std::make_unique_for_overwrite<std::byte[]>(
        static_cast<std::size_t>(capacity) * kRectSize + 36);
    if (data_) {
      std::memcpy(grown.get(), data_.get(),
                  kHeaderSize + static_cast<std::size_t>(count_) * kRectSize);
    }
    data_ = std::move(grown);
    capacity_ = capacity;
    cursor_ = kHeaderSize + static_cast<std::size_t>(count_) * kRectSize;
  }
  const TRect rect{Left, Top, Right, Bottom};
  std::memcpy(data_.get() + cursor_, &rect, sizeof rect);
  cursor_ += kRectSize;
  ++count_;
  bounds_.Left = std::min(bounds_.Left, Left);
  bounds_.Top = std::min(bounds_.Top, Top);
  bounds_.Right = std::max(bounds_.Right, Right);
  bounds_.Bottom = std::max(bounds_.Bottom, Bottom);
}

std::span<const TRect> TComplexRegion::Rects() const {
  if (!data_) return {};
  // The rectangles were copied into byte storage, which implicitly creates the TRect objects.
  return {reinterpret_cast<const TRect*>(data_.get() + kHeaderSize),
          static_cast<std::size_t>(count_)};
}

std::optional<Region> TComplexRegion::CreateRegion() {
  if (!data_) return std::nullopt;
  std::byte* header = data_.get();
  PutInt(header + 0, kHeaderSize);
  PutInt(header + 4, 1);  // rectangles
  PutInt(header + 8, count_);
  PutInt(header + 12, kRectSize);
  std::memcpy(header + 16, &bounds_, sizeof bounds_);
  const std::span<const TRect> rects = Rects();
  return Region::FromRects(rects.data(), rects.size());
}

}  // namespace tarn

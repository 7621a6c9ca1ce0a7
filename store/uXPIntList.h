// A list of signed 32-bit integers (the IDs a store lists), appended one item at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Object.h"

namespace tarn {

class TXPIntList : public TObject {
 public:
  int Add(int32_t value) {
    items_.push_back(value);
    return Count() - 1;
  }
  int Count() const { return static_cast<int>(items_.size()); }
  int32_t Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  int32_t operator[](int index) const { return Items(index); }
  void Clear() { items_.clear(); }
  const std::vector<int32_t>& Values() const { return items_; }

 private:
  std::vector<int32_t> items_;
};

}  // namespace tarn

// Counts every operator new of the program it is linked into, so that a test or a benchmark can
// measure the peak heap of one operation. HeapMeter.cpp replaces the global allocation
// operators: link it only into an executable of its own.
#pragma once

#include <cstddef>

namespace tarn::testing {

// Peak of live heap bytes above the level at the meter's construction.
class HeapPeakMeter {
 public:
  HeapPeakMeter();
  std::size_t Peak() const;

 private:
  std::size_t base_;
};

}  // namespace tarn::testing

// Field access to a container's index head. Each getter reads the whole head from the file and
// each setter writes it whole, so the file stays the one source of truth. The interface is not
// reference-counted: the container that implements it owns its own lifetime.
#pragma once

#include <cstdint>

namespace tarn {

class IIndexHead {
 public:
  virtual int32_t GetMaxID() = 0;
  virtual void SetMaxID(int32_t value) = 0;
  virtual uint16_t GetDataCount() = 0;
  virtual void SetDataCount(uint16_t value) = 0;
  virtual int32_t GetFirstIdx() = 0;
  virtual void SetFirstIdx(int32_t value) = 0;
  virtual uint16_t GetDelCount() = 0;
  virtual void SetDelCount(uint16_t value) = 0;
  virtual int32_t GetFirstDelIdx() = 0;
  virtual void SetFirstDelIdx(int32_t value) = 0;
  virtual int32_t GetLastIdx() = 0;
  virtual void SetLastIdx(int32_t value) = 0;
  virtual int32_t GetLastDelIdx() = 0;
  virtual void SetLastDelIdx(int32_t value) = 0;

 protected:
  ~IIndexHead() = default;
};

}  // namespace tarn

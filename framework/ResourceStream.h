// A resource opened as a read-only stream over the bytes linked into the program. Writing or
// resizing raises EWriteError; a missing resource raises EResNotFound at construction.
#pragma once

#include <cstdint>
#include <span>

#include "base/Stream.h"
#include "framework/ResourceId.h"

namespace tarn {

class TResourceStream : public TStream {
 public:
  TResourceStream(const TResourceId& name, const TResourceId& type);

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t size) override;

  std::span<const uint8_t> Bytes() const { return data_; }

 private:
  std::span<const uint8_t> data_;
  int64_t position_ = 0;
};

}  // namespace tarn

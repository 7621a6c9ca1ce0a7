// A growable in-memory byte buffer with a size and a position. The buffer is owned by the
// stream; Memory() stays valid until the next call that changes the size or capacity.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/Stream.h"

namespace tarn {

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return size_; }
  // Exact resize: new bytes are uninitialised, the content up to the new size is kept and the
  // position is clamped to the new size.
  void SetSize(int64_t size) override;

  uint8_t* Memory() { return data_.get(); }
  const uint8_t* Memory() const { return data_.get(); }
  std::size_t Length() const { return size_; }
  std::size_t Capacity() const { return capacity_; }
  std::string_view View() const { return {reinterpret_cast<const char*>(data_.get()), size_}; }

  void Clear();
  // Takes a buffer of size bytes as the stream's content without copying; the position
  // becomes 0. Used to swap packed and unpacked content without holding three copies.
  void Adopt(std::unique_ptr<uint8_t[]> data, std::size_t size);

  void LoadFromStream(TStream& source);
  void SaveToStream(TStream& target);
  // Host paths go through the same mapping as TFileStream.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

 private:
  void Reserve(std::size_t capacity);

  std::unique_ptr<uint8_t[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::size_t position_ = 0;
};

}  // namespace tarn

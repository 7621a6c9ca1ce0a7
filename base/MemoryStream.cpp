#include "base/MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/Exception.h"
#include "base/FileStream.h"

namespace tarn {

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= size_) return 0;
  const std::size_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, data_.get() + position_, n);
  position_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  const std::size_t end = position_ + count;
  if (end < position_) throw EWriteError("Memory stream too large");
  if (end > capacity_) Reserve(std::max(end, capacity_ + capacity_ / 2));
  if (position_ > size_) std::memset(data_.get() + size_, 0, position_ - size_);
  std::memcpy(data_.get() + position_, buffer, count);
  position_ = end;
  size_ = std::max(size_, end);
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = 0;
  if (origin == SeekOrigin::Current) base = static_cast<int64_t>(position_);
  if (origin == SeekOrigin::End) base = static_cast<int64_t>(size_);
  const int64_t target = base + offset;
  if (target < 0) throw EStreamError("Seek before the start of a memory stream");
  position_ = static_cast<std::size_t>(target);
  return target;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0) throw EStreamError("Negative memory stream size");
  if (static_cast<uint64_t>(size) > std::numeric_limits<std::size_t>::max() / 2) {
    throw EStreamError("Memory stream size out of range");
  }
  const auto n = static_cast<std::size_t>(size);
  if (n > capacity_) Reserve(n);
  size_ = n;
  position_ = std::min(position_, size_);
}

void TMemoryStream::Reserve(std::size_t capacity) {
  auto grown = std::unique_ptr<uint8_t[]>(new uint8_t[capacity]);
  if (size_ != 0) std::memcpy(grown.get(), data_.get(), size_);
  data_ = std::move(grown);
  capacity_ = capacity;
}

void TMemoryStream::Clear() {
  data_.reset();
  size_ = capacity_ = position_ = 0;
}

void TMemoryStream::Adopt(std::unique_ptr<uint8_t[]> data, std::size_t size) {
  data_ = std::move(data);
  size_ = capacity_ = size;
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  const int64_t n = source.Size();
  SetSize(n);
  position_ = 0;
  source.ReadBuffer(data_.get(), static_cast<std::size_t>(n));
}

void TMemoryStream::SaveToStream(TStream& target) {
  target.WriteBuffer(data_.get(), size_);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, FileMode::OpenRead, FileShare::DenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
  TFileStream file(fileName, FileMode::Create, FileShare::Exclusive);
  SaveToStream(file);
}

}  // namespace tarn

#include "framework/ResourceStream.h"

#include <algorithm>
#include <cstring>

#include "framework/Resources.h"

namespace tarn {

TResourceStream::TResourceStream(const TResourceId& name, const TResourceId& type)
    : data_(LoadResource(type, name)) {}

std::size_t TResourceStream::Read(void* buffer, std::size_t count) {
  const int64_t size = Size();
  if (position_ >= size) return 0;
  const std::size_t n = std::min<std::size_t>(count, static_cast<std::size_t>(size - position_));
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += static_cast<int64_t>(n);
  return n;
}

std::size_t TResourceStream::Write(const void*, std::size_t) {
  throw EWriteError("A resource stream cannot be written");
}

void TResourceStream::SetSize(int64_t) {
  throw EWriteError("A resource stream cannot be resized");
}

int64_t TResourceStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = 0;
  if (origin == SeekOrigin::Current) base = position_;
  if (origin == SeekOrigin::End) base = Size();
  const int64_t target = base + offset;
  if (target < 0) throw EStreamError("Seek before the start of a resource stream");
  position_ = target;
  return position_;
}

}  // namespace tarn

// The stream abstraction shared by memory and file streams: byte reads and writes at a
// position, with the checked "whole buffer" variants that raise the stream errors.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn {

enum class SeekOrigin { Begin, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;

  // Transfer up to count bytes at the position and advance it; the result is what moved.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Move the position and return it. Positions past the end are allowed (a write there grows
  // the stream); positions before the start raise EStreamError.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
  virtual int64_t Size() = 0;
  virtual void SetSize(int64_t size) = 0;

  int64_t Position() { return Seek(0, SeekOrigin::Current); }
  void SetPosition(int64_t position) { Seek(position, SeekOrigin::Begin); }

  // Exactly count bytes or EReadError / EWriteError.
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);

  // Copies count bytes from source's position (count 0: all of source, from its start).
  int64_t CopyFrom(TStream& source, int64_t count);
};

}  // namespace tarn

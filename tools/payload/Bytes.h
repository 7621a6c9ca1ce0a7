// A growing little-endian byte buffer, as file formats are written.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarn::payload {

class Bytes {
 public:
  std::size_t Size() const { return data_.size(); }
  std::vector<uint8_t>& Data() { return data_; }
  const std::vector<uint8_t>& Data() const { return data_; }

  void U8(uint32_t v) { data_.push_back(static_cast<uint8_t>(v)); }
  void U16(uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  void Ascii(std::string_view s, bool terminated = true) {
    data_.insert(data_.end(), s.begin(), s.end());
    if (terminated) U8(0);
  }
  // ASCII text as UTF-16, as resources and wide-character APIs hold it.
  void Wide(std::string_view s, bool terminated = true) {
    for (char c : s)
      U16(static_cast<uint8_t>(c));
    if (terminated) U16(0);
  }
  void Fill(std::size_t count, uint8_t value = 0) { data_.insert(data_.end(), count, value); }
  void Align(std::size_t to, uint8_t value = 0) {
    while (data_.size() % to != 0)
      data_.push_back(value);
  }
  // Overwrites 4 bytes already written.
  void PatchU32(std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
      data_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  void Append(const Bytes& other) {
    data_.insert(data_.end(), other.data_.begin(), other.data_.end());
  }
  // Cuts or pads (with zeros) to exactly `size` bytes.
  void Resize(std::size_t size) { data_.resize(size, 0); }

 private:
  std::vector<uint8_t> data_;
};

}  // namespace tarn::payload

#include "store/ContainerFormat.h"

#include <bit>
#include <cstring>
#include <type_traits>

namespace tarn {
namespace {

// Sequential little-endian field access over a fixed byte array.
class Writer {
 public:
  explicit Writer(uint8_t* out) : out_(out) {}
  template <typename T>
  void Int(T value) {
    auto v = static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
    for (std::size_t i = 0; i < sizeof(T); ++i, v >>= 8)
      *out_++ = static_cast<uint8_t>(v);
  }
  void Double(double value) { Int(std::bit_cast<uint64_t>(value)); }
  template <std::size_t N>
  void Short(const TShortString<N>& s) {
    *out_++ = s.Length;
    std::memcpy(out_, s.Chars.data(), N);
    out_ += N;
  }

 private:
  uint8_t* out_;
};

class Reader {
 public:
  explicit Reader(const uint8_t* in) : in_(in) {}
  template <typename T>
  T Int() {
    uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      v |= uint64_t{in_[i]} << 8 * i;
    in_ += sizeof(T);
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(v));
  }
  double Double() { return std::bit_cast<double>(Int<uint64_t>()); }
  template <std::size_t N>
  TShortString<N> Short() {
    TShortString<N> s;
    s.Length = *in_++;
    std::memcpy(s.Chars.data(), in_, N);
    in_ += N;
    return s;
  }

 private:
  const uint8_t* in_;
};

}  // namespace

FileHeadBytes Encode(const TFileHead& head) {
  FileHeadBytes b{};
  Writer w(b.data());
  w.Double(head.CreateTime);
  w.Int(head.Version);
  w.Short(head.Mark);
  return b;
}

IndexHeadBytes Encode(const TIndexHead& head) {
  IndexHeadBytes b{};
  Writer w(b.data());
  w.Int(head.MaxID);
  w.Int(head.DataCount);
  w.Int(head.FirstIdx);
  w.Int(head.DelCount);
  w.Int(head.FirstDelIdx);
  w.Int(head.LastIdx);
  w.Int(head.LastDelIdx);
  return b;
}

IndexRecBytes Encode(const TIndexRec& rec) {
  IndexRecBytes b{};
  Writer w(b.data());
  w.Int(rec.ID);
  w.Int(rec.PrevIdx);
  w.Int(rec.InUse);
  w.Int(rec.SelfPos);
  w.Int(rec.InfoPos);
  w.Int(rec.DataSize);
  w.Int(rec.NextIdx);
  return b;
}

DataInfoBytes Encode(const TDataInfo& info) {
  DataInfoBytes b{};
  Writer w(b.data());
  w.Int(info.Kind);
  w.Int(info.Tag);
  w.Short(info.Name);
  w.Short(info.Note);
  return b;
}

TFileHead DecodeFileHead(const FileHeadBytes& bytes) {
  Reader r(bytes.data());
  TFileHead head;
  head.CreateTime = r.Double();
  head.Version = r.Int<uint8_t>();
  head.Mark = r.Short<kMarkCapacity>();
  return head;
}

TIndexHead DecodeIndexHead(const IndexHeadBytes& bytes) {
  Reader r(bytes.data());
  TIndexHead head;
  head.MaxID = r.Int<int32_t>();
  head.DataCount = r.Int<uint16_t>();
  head.FirstIdx = r.Int<int32_t>();
  head.DelCount = r.Int<uint16_t>();
  head.FirstDelIdx = r.Int<int32_t>();
  head.LastIdx = r.Int<int32_t>();
  head.LastDelIdx = r.Int<int32_t>();
  return head;
}

TIndexRec DecodeIndexRec(const IndexRecBytes& bytes) {
  Reader r(bytes.data());
  TIndexRec rec;
  rec.ID = r.Int<int32_t>();
  rec.PrevIdx = r.Int<int32_t>();
  rec.InUse = r.Int<uint8_t>();
  rec.SelfPos = r.Int<int32_t>();
  rec.InfoPos = r.Int<int32_t>();
  rec.DataSize = r.Int<int32_t>();
  rec.NextIdx = r.Int<int32_t>();
  return rec;
}

TDataInfo DecodeDataInfo(const DataInfoBytes& bytes) {
  Reader r(bytes.data());
  TDataInfo info;
  info.Kind = r.Int<uint8_t>();
  info.Tag = r.Int<int32_t>();
  info.Name = r.Short<kNameCapacity>();
  info.Note = r.Short<kNoteCapacity>();
  return info;
}

}  // namespace tarn

#include "store/SelfFileBassClass.h"

#include "base/DateTime.h"
#include "base/Exception.h"
#include "base/StringUtils.h"
#include "store/PackedBlock.h"
#include "store/XPException.h"

namespace tarn {
namespace {

std::string At(int64_t offset) {
  return " at offset " + IntToStr(offset);
}

}  // namespace

TSelfFileBassClass::TSelfFileBassClass(const std::string& fileName, const std::string& mark)
    : compressionLevel_(kBestCompression), fileName_(fileName), mark_(mark) {
  if (FileExists(fileName_)) {
    stream_ =
        std::make_unique<TFileStream>(fileName_, FileMode::OpenReadWrite, FileShare::DenyNone);
  } else {
    stream_ = std::make_unique<TFileStream>(fileName_, FileMode::Create, FileShare::Exclusive);
    // A virtual call from a constructor reaches this class's own InitHead; no descendant
    // overrides it.
    InitHead();
  }
}

TSelfFileBassClass::~TSelfFileBassClass() = default;

void TSelfFileBassClass::InitHead() {
  fileHead_ = TFileHead{};
  fileHead_.CreateTime = Now();
  fileHead_.Version = 1;
  fileHead_.Mark.Assign(mark_);
  initIndexHead_ = TIndexHead{};
  File().SetPosition(0);
  const FileHeadBytes head = Encode(fileHead_);
  File().WriteBuffer(head.data(), head.size());
  const IndexHeadBytes index = Encode(initIndexHead_);
  File().WriteBuffer(index.data(), index.size());
}

bool TSelfFileBassClass::CheckMark() {
  FileHeadBytes bytes{};
  File().SetPosition(0);
  File().Read(bytes.data(), bytes.size());  // a short file leaves the rest zero
  fileHead_ = DecodeFileHead(bytes);
  return fileHead_.Mark.Valid() && fileHead_.Mark.View() == mark_;
}

void TSelfFileBassClass::ReadHead(TIndexHead& head) {
  IndexHeadBytes bytes{};
  File().SetPosition(kIndexHeadPos);
  if (File().Read(bytes.data(), bytes.size()) != bytes.size()) {
    throw EContainerDamaged("the file is " + IntToStr(File().Size()) +
                            " bytes long, shorter than the 44-byte head");
  }
  head = DecodeIndexHead(bytes);
}

void TSelfFileBassClass::WriteHead(const TIndexHead& head) {
  const IndexHeadBytes bytes = Encode(head);
  File().SetPosition(kIndexHeadPos);
  File().WriteBuffer(bytes.data(), bytes.size());
}

void TSelfFileBassClass::ReadIndex(int32_t offset, TIndexRec& rec) {
  if (offset < kFirstEntryPos) {
    throw EContainerDamaged("a record offset of " + IntToStr(offset) +
                            " points before the first entry");
  }
  const int64_t size = File().Size();
  IndexRecBytes bytes{};
  File().SetPosition(offset);
  if (File().Read(bytes.data(), bytes.size()) != bytes.size()) {
    throw EReadError("Fewer than 25 bytes of index record" + At(offset) + " (the file is " +
                     IntToStr(size) + " bytes long)");
  }
  const TIndexRec read = DecodeIndexRec(bytes);
  if (read.SelfPos != offset) {
    throw EContainerDamaged("the record" + At(offset) + " says it lies at " +
                            IntToStr(read.SelfPos));
  }
  if (read.DataSize < 0) {
    throw EContainerDamaged("the record" + At(offset) + " has a negative block size " +
                            IntToStr(read.DataSize));
  }
  if (int64_t{offset} + kEntryHeadSize + read.DataSize > size) {
    throw EContainerDamaged("the entry" + At(offset) + " with a block of " +
                            IntToStr(read.DataSize) + " bytes runs past the end of the file (" +
                            IntToStr(size) + " bytes)");
  }
  rec = read;
}

bool TSelfFileBassClass::WriteIndex(const TIndexRec& rec) {
  if (rec.SelfPos < kFirstEntryPos) {
    throw EWriteError("Refusing to write a record" + At(rec.SelfPos) + " over the head");
  }
  const IndexRecBytes bytes = Encode(rec);
  File().SetPosition(rec.SelfPos);
  File().WriteBuffer(bytes.data(), bytes.size());
  return true;
}

bool TSelfFileBassClass::AppendIndex(const TIndexRec& rec) {
  const IndexRecBytes bytes = Encode(rec);
  File().Seek(0, SeekOrigin::End);
  File().WriteBuffer(bytes.data(), bytes.size());
  return true;
}

void TSelfFileBassClass::ReadDataInfo(TDataInfo& info) {
  const int64_t at = File().Position();
  DataInfoBytes bytes{};
  if (File().Read(bytes.data(), bytes.size()) != bytes.size()) {
    throw EReadError("Fewer than 87 bytes of data info" + At(at));
  }
  const TDataInfo read = DecodeDataInfo(bytes);
  if (!read.Name.Valid() || !read.Note.Valid()) {
    throw EContainerDamaged("the data info" + At(at) + " has a name or note longer than it holds");
  }
  info = read;
}

bool TSelfFileBassClass::WriteDataInfo(const TDataInfo& info) {
  const DataInfoBytes bytes = Encode(info);
  File().WriteBuffer(bytes.data(), bytes.size());
  return true;
}

bool TSelfFileBassClass::ReadData(TMemoryStream& stream) {
  const auto n = static_cast<int64_t>(stream.Length());
  const int64_t at = File().Position();
  if (at + n > File().Size()) {
    throw EReadError("A block of " + IntToStr(n) + " bytes" + At(at) +
                     " runs past the end of the file");
  }
  File().ReadBuffer(stream.Memory(), stream.Length());
  stream.SetPosition(0);
  DecompressData(stream);
  return true;
}

bool TSelfFileBassClass::WriteData(TMemoryStream& stream) {
  File().WriteBuffer(stream.Memory(), stream.Length());
  return true;
}

int64_t TSelfFileBassClass::ReadStatedLength(const TIndexRec& rec) {
  if (rec.DataSize == 0) return 0;
  if (rec.DataSize < static_cast<int32_t>(kBlockLengthSize)) {
    throw EContainerDamaged("the block" + At(int64_t{rec.SelfPos} + kEntryHeadSize) + " of " +
                            IntToStr(rec.DataSize) + " bytes is shorter than its length field");
  }
  uint8_t bytes[kBlockLengthSize];
  File().SetPosition(int64_t{rec.SelfPos} + kEntryHeadSize);
  File().ReadBuffer(bytes, sizeof bytes);
  return StatedLength(bytes);
}

void TSelfFileBassClass::CompressData(TMemoryStream& stream) {
  PackBlock(stream, compressionLevel_);
}

void TSelfFileBassClass::DecompressData(TMemoryStream& stream) {
  UnpackBlock(stream);
}

}  // namespace tarn

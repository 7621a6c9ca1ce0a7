// The container's file access: opening or creating the file, the file head and mark, and
// reading and writing single index records, data infos and packed blocks at given places.
// Every operation goes to the file directly; the only state kept between calls is the record
// and data info last read, which the next step of a read continues from.
//
// A file that claims to be a container is still untrusted input: reads check that what they
// read lies inside the file and is self-consistent, and raise EReadError (too few bytes) or
// EContainerDamaged (bytes that cannot be right) instead of acting on it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/FileStream.h"
#include "base/MemoryStream.h"
#include "base/Object.h"
#include "store/ContainerFormat.h"

namespace tarn {

class TSelfFileBassClass : public TObject {
 public:
  // Opens fileName for reading and writing shared with other readers and writers, or creates it
  // (exclusive while open) with a fresh head carrying mark when it does not exist. The mark is
  // not checked here (CheckMark). Raises EFOpenError / EFCreateError.
  TSelfFileBassClass(const std::string& fileName, const std::string& mark);
  ~TSelfFileBassClass() override;

  // Writes a fresh file head (now, version 1, the mark cut to 10 bytes) and an all-zero index
  // head: a new file is 44 bytes long.
  virtual void InitHead();

  // Whether the file's mark equals the container's whole mark. A file shorter than its head is
  // read as far as it goes, the rest counting as zero.
  bool CheckMark();

  // The 24 bytes at offset 20. A file too short to hold them is damaged (EContainerDamaged).
  void ReadHead(TIndexHead& head);
  void WriteHead(const TIndexHead& head);

  // Reads the record at offset; the file position is then just behind it. EReadError when the
  // file has fewer than 25 bytes there, EContainerDamaged when the record is not one that a
  // container holds at that offset (outside the entry area, a SelfPos other than offset, a
  // negative size or a block that runs past the end of the file).
  void ReadIndex(int32_t offset, TIndexRec& rec);
  // Rewrites a record at its SelfPos / appends one at the end of the file.
  bool WriteIndex(const TIndexRec& rec);
  bool AppendIndex(const TIndexRec& rec);

  // The 87 bytes at the file position. A name or note whose length byte exceeds its capacity
  // is damage.
  void ReadDataInfo(TDataInfo& info);
  bool WriteDataInfo(const TDataInfo& info);

  // Reads stream.Size() bytes at the file position into the stream and unpacks them in place.
  bool ReadData(TMemoryStream& stream);
  // Writes the stream's whole content at the file position.
  bool WriteData(TMemoryStream& stream);
  // The unpacked length stated by the block of rec, read without unpacking (0 for an empty
  // entry).
  int64_t ReadStatedLength(const TIndexRec& rec);

  void CompressData(TMemoryStream& stream);
  void DecompressData(TMemoryStream& stream);

  const std::string& FileName() const { return fileName_; }
  const std::string& Mark() const { return mark_; }
  // The file head as CheckMark last read it.
  const TFileHead& FileHead() const { return fileHead_; }
  const TIndexRec& CurrentIndex() const { return indexRec_; }
  const TDataInfo& CurrentDataInfo() const { return dataInfo_; }
  int64_t FileSize() { return stream_->Size(); }

 protected:
  TFileStream& File() { return *stream_; }

  int compressionLevel_ = 9;
  std::string fileName_;
  std::unique_ptr<TFileStream> stream_;
  TFileHead fileHead_;
  TIndexHead initIndexHead_;
  TIndexRec indexRec_;
  TDataInfo dataInfo_;
  std::string mark_;
};

}  // namespace tarn

#include "store/uXPFileDB.h"

#include "base/StringList.h"
#include "base/StringUtils.h"

namespace tarn {

TXPFileDB::TXPFileDB(TComponent* owner) : TComponent(owner) {}

TXPFileDB::~TXPFileDB() = default;

void TXPFileDB::SetDBFile(const std::string& path) {
  // Only an open container makes the same path a no-op: after a failed open, setting the path
  // again tries again instead of leaving the store silently closed.
  if (path == dbFile_ && container_) return;
  container_.reset();
  dbFile_ = path;
  container_ = std::make_unique<TSelfFileClass>(dbFile_, dbMark_);
  if (!container_->CheckMark()) throw TXPException(kXPExceptionMessage);
}

TSelfFileClass& TXPFileDB::Open() {
  if (!container_) {
    throw TXPException("The store has no open container: set DBFile before using entries");
  }
  return *container_;
}

std::unique_ptr<TXPIntList> TXPFileDB::DataIdxList() {
  TSelfFileClass& c = Open();
  auto ids = std::make_unique<TXPIntList>();
  TStringList lines;
  c.GetDataList(lines);
  for (int i = 0; i < lines.Count(); ++i) {
    ids->Add(static_cast<int32_t>(StrToIntDef(lines.Strings(i), 0)));
  }
  return ids;
}

bool TXPFileDB::DataExists(std::string_view name) {
  return Open().DataExists(name);
}

std::unique_ptr<TMemoryStream> TXPFileDB::GetData(std::string_view name) {
  TSelfFileClass& c = Open();
  // One walk finds the record; the record and data info it leaves current are the entry's.
  const int32_t offset = c.FindData(name);
  if (offset == 0) return nullptr;
  auto stream = std::make_unique<TMemoryStream>();
  TIndexRec rec;
  c.ReadIndex(offset, rec);
  stream->SetSize(rec.DataSize);
  c.ReadDataInfo(dataInfo_);
  c.ReadData(*stream);
  return stream;
}

std::unique_ptr<TMemoryStream> TXPFileDB::CopyToStream(const void* buffer, int32_t size) {
  if (size < 0) throw EWriteError("Negative entry size " + IntToStr(size));
  auto stream = std::make_unique<TMemoryStream>();
  stream->WriteBuffer(buffer, static_cast<std::size_t>(size));
  stream->SetPosition(0);
  return stream;
}

void TXPFileDB::AddData(std::string_view name, const void* buffer, int32_t size, uint8_t kind,
                        int32_t tag, std::string_view note) {
  TSelfFileClass& c = Open();
  if (c.DataExists(name)) {
    UpdateData(name, buffer, size);
    return;
  }
  dataInfo_ = TDataInfo{};
  dataInfo_.Kind = kind;
  dataInfo_.Tag = tag;
  dataInfo_.Name.Assign(name);
  dataInfo_.Note.Assign(note);
  auto stream = CopyToStream(buffer, size);
  c.AddData(dataInfo_, *stream, 0);
}

void TXPFileDB::UpdateData(std::string_view name, const void* buffer, int32_t size) {
  TSelfFileClass& c = Open();
  const int32_t offset = c.FindData(name);
  if (offset == 0) return;
  TIndexRec rec;
  c.ReadIndex(offset, rec);
  c.ReadDataInfo(dataInfo_);  // the entry keeps its stored kind, tag, name and note
  auto stream = CopyToStream(buffer, size);
  c.UpdateData(offset, dataInfo_, *stream);
}

}  // namespace tarn

#include "store/SelfFileClass.h"

#include <memory>

#include "base/StringUtils.h"
#include "store/MyColocTTreemap.h"
#include "store/XPException.h"

namespace tarn {
namespace {

std::string Rec(int32_t pos) {
  return "the record at offset " + IntToStr(pos);
}

}  // namespace

int32_t TSelfFileClass::GetMaxID() {
  return HeadField(&TIndexHead::MaxID);
}
void TSelfFileClass::SetMaxID(int32_t value) {
  SetHeadField(&TIndexHead::MaxID, value);
}
uint16_t TSelfFileClass::GetDataCount() {
  return HeadField(&TIndexHead::DataCount);
}
void TSelfFileClass::SetDataCount(uint16_t value) {
  SetHeadField(&TIndexHead::DataCount, value);
}
int32_t TSelfFileClass::GetFirstIdx() {
  return HeadField(&TIndexHead::FirstIdx);
}
void TSelfFileClass::SetFirstIdx(int32_t value) {
  SetHeadField(&TIndexHead::FirstIdx, value);
}
uint16_t TSelfFileClass::GetDelCount() {
  return HeadField(&TIndexHead::DelCount);
}
void TSelfFileClass::SetDelCount(uint16_t value) {
  SetHeadField(&TIndexHead::DelCount, value);
}
int32_t TSelfFileClass::GetFirstDelIdx() {
  return HeadField(&TIndexHead::FirstDelIdx);
}
void TSelfFileClass::SetFirstDelIdx(int32_t value) {
  SetHeadField(&TIndexHead::FirstDelIdx, value);
}
int32_t TSelfFileClass::GetLastIdx() {
  return HeadField(&TIndexHead::LastIdx);
}
void TSelfFileClass::SetLastIdx(int32_t value) {
  SetHeadField(&TIndexHead::LastIdx, value);
}
int32_t TSelfFileClass::GetLastDelIdx() {
  return HeadField(&TIndexHead::LastDelIdx);
}
void TSelfFileClass::SetLastDelIdx(int32_t value) {
  SetHeadField(&TIndexHead::LastDelIdx, value);
}

int32_t TSelfFileClass::WalkChain(const std::function<bool(int32_t pos)>& visit) {
  const int32_t first = GetFirstIdx();
  if (first == 0) return 0;
  const int32_t last = GetLastIdx();
  // Each record must link back to the one it was reached from (the first to none). A loop would
  // have to enter some record from a second predecessor, so this check also ends every loop.
  int32_t prev = 0;
  for (int32_t pos = first;;) {
    ReadIndex(pos, indexRec_);
    if (indexRec_.InUse != 1) {
      throw EContainerDamaged(Rec(pos) + " in the live chain is marked deleted");
    }
    if (indexRec_.PrevIdx != prev) {
      throw EContainerDamaged("the live chain is broken or loops: " + Rec(pos) + " links back to " +
                              IntToStr(indexRec_.PrevIdx) + ", not to " + IntToStr(prev));
    }
    ReadDataInfo(dataInfo_);
    if (visit(pos)) return pos;
    if (pos == last) {
      if (indexRec_.NextIdx != 0) {
        throw EContainerDamaged("the last " + Rec(pos) + " links on to " +
                                IntToStr(indexRec_.NextIdx));
      }
      return 0;
    }
    if (indexRec_.NextIdx == 0) {
      throw EContainerDamaged("the live chain ends at " + Rec(pos) + " before its last record " +
                              IntToStr(last));
    }
    prev = pos;
    pos = indexRec_.NextIdx;
  }
}

int32_t TSelfFileClass::FindData(std::string_view name) {
  // A name longer than 60 bytes never matches: no stored name is that long.
  return WalkChain([&](int32_t) { return dataInfo_.Name.View() == name; });
}

void TSelfFileClass::GetDataList(TStringList& list) {
  WalkChain([&](int32_t pos) {
    auto node = std::make_unique<TMyColocTTreemap>(indexRec_.ID, pos, dataInfo_);
    std::string key = node->Key();
    list.AddObject(std::move(key), std::move(node));
    return false;
  });
}

void TSelfFileClass::CheckRoomFor(std::size_t packedSize) {
  const int64_t end = FileSize();
  if (end + kEntryHeadSize + static_cast<int64_t>(packedSize) > kMaxFileSize) {
    throw TXPException("The container \"" + FileName() + "\" cannot grow past 2 GiB (it is " +
                       IntToStr(end) + " bytes long, the entry needs " +
                       IntToStr(kEntryHeadSize + static_cast<int64_t>(packedSize)) + " more)");
  }
}

int32_t TSelfFileClass::AddData(const TDataInfo& info, TMemoryStream& stream, int32_t id) {
  CompressData(stream);
  return AppendEntry(info, stream, id);
}

int32_t TSelfFileClass::AppendEntry(const TDataInfo& info, TMemoryStream& packed, int32_t id) {
  // Everything is read and checked first; the writes come last.
  const uint16_t dataCount = GetDataCount();
  if (dataCount >= kMaxEntryCount) {
    throw TXPException("The container \"" + FileName() +
                       "\" already holds the most entries it can (" + IntToStr(kMaxEntryCount) +
                       ")");
  }
  CheckRoomFor(packed.Length());
  const bool newId = id == 0;
  if (newId) {
    const int32_t maxId = GetMaxID();
    if (maxId < 0 || maxId == INT32_MAX) {
      throw EContainerDamaged("the highest ID given out is " + IntToStr(maxId) +
                              ", so no new ID can follow it");
    }
    id = maxId + 1;
  }

  TIndexRec rec;
  rec.ID = id;
  rec.InUse = 1;
  rec.SelfPos = static_cast<int32_t>(FileSize());
  rec.InfoPos = rec.SelfPos + static_cast<int32_t>(kIndexRecSize);
  rec.DataSize = static_cast<int32_t>(packed.Length());
  rec.NextIdx = 0;
  bool setFirst = false;
  TIndexRec prevRec;
  if (dataCount == 0 && GetDelCount() == 0) {
    // The file has never held an entry: this one starts the chain. (In a file that holds only
    // its head the record lies at 44, the first entry offset.)
    rec.PrevIdx = 0;
    setFirst = true;
  } else {
    rec.PrevIdx = GetLastIdx();
    setFirst = GetFirstIdx() == 0;
    if (setFirst && rec.PrevIdx != 0) {
      throw EContainerDamaged("the index head names a last record (" + IntToStr(rec.PrevIdx) +
                              ") but no first one");
    }
    if (rec.PrevIdx != 0) {
      ReadIndex(rec.PrevIdx, prevRec);
      if (prevRec.InUse != 1 || prevRec.NextIdx != 0) {
        throw EContainerDamaged(Rec(rec.PrevIdx) + ", the last of the live chain, is " +
                                (prevRec.InUse != 1 ? "marked deleted" : "not the last"));
      }
    }
  }
  if (rec.SelfPos < kFirstEntryPos) {
    throw EContainerDamaged("the file is shorter than its head");
  }

  if (newId) SetMaxID(id);
  // The entry is appended before anything links to it, so an interrupted add leaves an
  // unreachable entry rather than a chain that points past the end of the file.
  AppendIndex(rec);
  WriteDataInfo(info);
  WriteData(packed);
  if (rec.PrevIdx != 0) {
    prevRec.NextIdx = rec.SelfPos;
    WriteIndex(prevRec);
  }
  if (setFirst) SetFirstIdx(rec.SelfPos);
  SetLastIdx(rec.SelfPos);
  SetDataCount(static_cast<uint16_t>(dataCount + 1));
  return id;
}

bool TSelfFileClass::DeleteData(int32_t pos) {
  TIndexRec rec;
  ReadIndex(pos, rec);
  if (rec.InUse != 1) throw EContainerDamaged(Rec(pos) + " is not a live entry");
  const int32_t prev = rec.PrevIdx;
  const int32_t next = rec.NextIdx;
  const uint16_t dataCount = GetDataCount();
  const uint16_t delCount = GetDelCount();
  if (dataCount == 0) throw EContainerDamaged("the live count is 0 while " + Rec(pos) + " is live");
  if (delCount >= kMaxEntryCount) {
    throw TXPException("The container \"" + FileName() +
                       "\" already holds the most deletions it can (" + IntToStr(kMaxEntryCount) +
                       ")");
  }
  const int32_t first = GetFirstIdx();
  const int32_t last = GetLastIdx();
  const int32_t firstDel = GetFirstDelIdx();
  const int32_t lastDel = GetLastDelIdx();

  // The neighbours must link to this record, and the deleted chain must end where the head
  // says, before anything is rewritten.
  TIndexRec prevRec;
  TIndexRec nextRec;
  TIndexRec lastDelRec;
  if (pos != first && prev != 0) {
    ReadIndex(prev, prevRec);
    if (prevRec.InUse != 1 || prevRec.NextIdx != pos) {
      throw EContainerDamaged(Rec(prev) + " does not link on to " + Rec(pos));
    }
  }
  if (next != 0) {
    ReadIndex(next, nextRec);
    if (nextRec.InUse != 1 || nextRec.PrevIdx != pos) {
      throw EContainerDamaged(Rec(next) + " does not link back to " + Rec(pos));
    }
  }
  if (firstDel != 0) {
    ReadIndex(lastDel, lastDelRec);
    if (lastDelRec.InUse != 0 || lastDelRec.NextIdx != 0) {
      throw EContainerDamaged(Rec(lastDel) + " is not the end of the deleted chain");
    }
  }

  SetDataCount(static_cast<uint16_t>(dataCount - 1));
  SetDelCount(static_cast<uint16_t>(delCount + 1));
  if (pos == first) {
    if (next != 0) {
      nextRec.PrevIdx = 0;
      WriteIndex(nextRec);
    }
    SetFirstIdx(next);
  } else {
    if (prev != 0) {
      prevRec.NextIdx = next;
      WriteIndex(prevRec);
    }
    if (next != 0) {
      nextRec.PrevIdx = prev;
      WriteIndex(nextRec);
    }
  }
  if (pos == last) SetLastIdx(prev);

  rec.InUse = 0;
  rec.NextIdx = 0;
  if (firstDel == 0) {
    SetFirstDelIdx(pos);
    rec.PrevIdx = 0;
  } else {
    rec.PrevIdx = lastDel;
    lastDelRec.NextIdx = pos;
    WriteIndex(lastDelRec);
  }
  SetLastDelIdx(pos);
  WriteIndex(rec);
  return true;
}

int32_t TSelfFileClass::UpdateData(int32_t pos, const TDataInfo& info, TMemoryStream& stream) {
  CompressData(stream);
  TIndexRec rec;
  ReadIndex(pos, rec);
  if (rec.InUse != 1) throw EContainerDamaged(Rec(pos) + " is not a live entry");
  const std::size_t packed = stream.Length();
  if (static_cast<std::size_t>(rec.DataSize) < packed) {
    // The new block does not fit: the entry moves to the end with its ID. The room is checked
    // before the entry leaves the chain, so a full file never loses it. The stream is appended
    // as packed already; packing it again would give the same bytes.
    CheckRoomFor(packed);
    DeleteData(pos);
    AppendEntry(info, stream, rec.ID);
    return GetLastIdx();
  }
  if (packed != 0) rec.DataSize = static_cast<int32_t>(packed);
  WriteIndex(rec);
  WriteDataInfo(info);
  WriteData(stream);
  return pos;
}

}  // namespace tarn

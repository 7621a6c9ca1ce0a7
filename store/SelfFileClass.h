// A package container: named entries whose index records form a doubly linked chain in order of
// insertion, found by walking the chain and comparing names. New material is always appended;
// nothing is reclaimed.
//
// Walks never trust the chain: every record must lie inside the file, be live and link back to
// the record it was reached from (which rules out loops), and the walk must end exactly at the
// head's last record. Changes read and check everything they touch before they write anything,
// so a damaged file is refused rather than damaged further.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/StringList.h"
#include "store/IIndexHead.h"
#include "store/SelfFileBassClass.h"

namespace tarn {

class TSelfFileClass : public TSelfFileBassClass, public IIndexHead {
 public:
  using TSelfFileBassClass::TSelfFileBassClass;

  IIndexHead& IndexHead() { return *this; }

  int32_t GetMaxID() override;
  void SetMaxID(int32_t value) override;
  uint16_t GetDataCount() override;
  void SetDataCount(uint16_t value) override;
  int32_t GetFirstIdx() override;
  void SetFirstIdx(int32_t value) override;
  uint16_t GetDelCount() override;
  void SetDelCount(uint16_t value) override;
  int32_t GetFirstDelIdx() override;
  void SetFirstDelIdx(int32_t value) override;
  int32_t GetLastIdx() override;
  void SetLastIdx(int32_t value) override;
  int32_t GetLastDelIdx() override;
  void SetLastDelIdx(int32_t value) override;

  // Packs stream in place (it is left holding the block) and appends an entry with it. id 0
  // gives a new ID (MaxID + 1); otherwise the entry takes id. Returns the entry's ID.
  int32_t AddData(const TDataInfo& info, TMemoryStream& stream, int32_t id);
  // Moves the live entry whose record lies at pos from the live chain to the deleted chain.
  bool DeleteData(int32_t pos);
  // Replaces the content of the live entry at pos: in place when the new block fits in the old
  // one (an empty one keeps the old content), else the entry moves to the end with its ID.
  // Returns the entry's record offset afterwards.
  int32_t UpdateData(int32_t pos, const TDataInfo& info, TMemoryStream& stream);

  // Exact, case-sensitive lookups; the first live entry of that name in chain order.
  bool DataExists(std::string_view name) { return FindData(name) != 0; }
  int32_t FindData(std::string_view name);
  // One line per live entry in chain order: the ID in decimal, with a TMyColocTTreemap.
  void GetDataList(TStringList& list);

  // Calls visit(pos) for each live entry in chain order with the current record and data info
  // holding it; stops when visit returns true and gives that pos, else 0.
  int32_t WalkChain(const std::function<bool(int32_t pos)>& visit);

 private:
  // Raises unless an entry with a block of packedSize bytes fits below the 2 GiB limit.
  void CheckRoomFor(std::size_t packedSize);
  int32_t AppendEntry(const TDataInfo& info, TMemoryStream& packed, int32_t id);
  // The index-head accessors: a getter reads the whole head, a setter writes the whole cached
  // copy back, so the file stays the one source of truth.
  template <typename T>
  T HeadField(T TIndexHead::*field) {
    ReadHead(indexHead_);
    return indexHead_.*field;
  }
  template <typename T>
  void SetHeadField(T TIndexHead::*field, T value) {
    indexHead_.*field = value;
    WriteHead(indexHead_);
  }

  TIndexHead indexHead_;
};

}  // namespace tarn

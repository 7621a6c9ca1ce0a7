// TXPFileDB: a package container read and written by entry name. Set DBMark (when the default
// "xpselfdb" does not apply), then DBFile, which opens the container or creates an empty one
// with that mark and checks the mark; then read entries as memory streams, add and update them.
// Streams and lists it hands out belong to the caller. One thread at a time; no locks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/Component.h"
#include "base/MemoryStream.h"
#include "store/ContainerFormat.h"
#include "store/SelfFileClass.h"
#include "store/XPException.h"
#include "store/uXPIntList.h"

namespace tarn {

class TXPFileDB : public TComponent {
 public:
  explicit TXPFileDB(TComponent* owner = nullptr);
  ~TXPFileDB() override;

  const std::string& DBFile() const { return dbFile_; }
  // Opens (or creates) the container at path and checks its mark; the same path again does
  // nothing while a container is open. A mark mismatch raises TXPException
  // "数据库文件异常。" and leaves that container open; a file that cannot be opened or
  // created raises the file layer's error and leaves the store without a container.
  void SetDBFile(const std::string& path);

  const std::string& DBMark() const { return dbMark_; }
  // Takes effect at the next change of DBFile.
  void SetDBMark(const std::string& mark) { dbMark_ = mark; }

  // The IDs of all live entries in chain order.
  std::unique_ptr<TXPIntList> DataIdxList();

  bool DataExists(std::string_view name);
  // The entry's unpacked content, positioned at 0; none when the name is not present.
  std::unique_ptr<TMemoryStream> GetData(std::string_view name);
  // Adds an entry (name cut to 60 bytes, note to 20); an existing name is updated instead and
  // keeps its kind, tag, note and ID.
  void AddData(std::string_view name, const void* buffer, int32_t size, uint8_t kind, int32_t tag,
               std::string_view note);
  // Replaces an existing entry's content; nothing happens for a name that is not present.
  void UpdateData(std::string_view name, const void* buffer, int32_t size);

  bool IsOpen() const { return container_ != nullptr; }
  // The open container, for tools that need offsets and records.
  TSelfFileClass* Container() const { return container_.get(); }

 private:
  TSelfFileClass& Open();
  static std::unique_ptr<TMemoryStream> CopyToStream(const void* buffer, int32_t size);

  std::unique_ptr<TSelfFileClass> container_;
  std::string dbFile_;
  std::string dbMark_ = "xpselfdb";
  TDataInfo dataInfo_;
};

}  // namespace tarn

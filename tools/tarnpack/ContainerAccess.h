// What the tarnpack commands share: opening an existing container for reading with its mark
// checked, listing its entries with their records, reading one entry by its record, and the
// conversions between host file names (UTF-8) and entry names (code page 936).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/MemoryStream.h"
#include "store/SelfFileClass.h"
#include "tools/tarnpack/Options.h"

namespace tarn::tarnpack {

struct EntryRef {
  int32_t offset = 0;
  TIndexRec rec;
  TDataInfo info;
};

// The container at o.container, which must exist. With o.mark its mark must match (kExitMark);
// without, any mark is taken.
std::unique_ptr<TSelfFileClass> OpenExisting(const Options& o);

std::vector<EntryRef> ListEntries(TSelfFileClass& container);

// The unpacked content of the entry whose record lies at offset.
std::unique_ptr<TMemoryStream> ReadEntry(TSelfFileClass& container, int32_t offset);

// A host file name as an entry name: code page 936, at most 60 bytes (kExitUsage otherwise).
std::string EntryNameFromHost(const std::string& utf8);
// An entry name as a host file name; a name that is not a plain file name (a path, "..",
// control characters) is refused as unsafe (kExitDamaged).
std::string HostNameFromEntry(const std::string& cp936);
// A mark or note given on the command line, in code page 936 and at most capacity bytes.
std::string FieldFromArgument(const std::string& what, const std::string& utf8,
                              std::size_t capacity);

// Code page 936 text for the terminal.
std::string Show(const std::string& cp936);

}  // namespace tarn::tarnpack

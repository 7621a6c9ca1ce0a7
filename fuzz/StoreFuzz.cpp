// Opens arbitrary bytes as a package container through TXPFileDB, lists and reads every entry,
// then changes the file (an update that may move, an add). Every failure must be one of the
// store's clear errors (a tarn::Exception); anything else escaping, a crash, a hang or a huge
// allocation is a finding.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Exception.h"
#include "base/StringList.h"
#include "store/MyColocTTreemap.h"
#include "store/uXPFileDB.h"

namespace {

// One scratch file per process, in memory (a disk file would make the run I/O-bound), rewritten
// for every input and opened by the store through its /proc path.
int ScratchFd() {
  static const int fd = memfd_create("tarn-store-fuzz", 0);
  if (fd < 0) std::abort();
  return fd;
}

const std::string& ScratchFile() {
  static const std::string path = "/proc/self/fd/" + std::to_string(ScratchFd());
  return path;
}

void Write(const uint8_t* data, size_t size) {
  const int fd = ScratchFd();
  if (ftruncate(fd, 0) != 0) std::abort();
  for (size_t done = 0; done < size;) {
    const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (n <= 0) std::abort();
    done += static_cast<size_t>(n);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = ScratchFile();
  Write(data, size);
  try {
    tarn::TXPFileDB db;
    // The file's own mark, when it has one, so that inputs get past the check.
    if (size >= 20 && data[9] <= 10) {
      db.SetDBMark(std::string(reinterpret_cast<const char*>(data) + 10, data[9]));
    }
    db.SetDBFile(path);
    db.DataIdxList();
    tarn::TStringList list;
    db.Container()->GetDataList(list);
    for (int i = 0; i < list.Count(); ++i) {
      const auto* node = static_cast<const tarn::TMyColocTTreemap*>(list.Objects(i));
      db.GetData(node->Name());
    }
    db.DataExists("not there");
    if (list.Count() > 0) {
      const auto* first = static_cast<const tarn::TMyColocTTreemap*>(list.Objects(0));
      const std::string grown(std::min<size_t>(size, 300), 'g');
      db.UpdateData(first->Name(), data, static_cast<int32_t>(std::min<size_t>(size, 300)));
      db.UpdateData(first->Name(), grown.data(), 1);
    }
    db.AddData("fuzz", data, static_cast<int32_t>(std::min<size_t>(size, 64)), 1, 0, "");
    db.GetData("fuzz");
    db.DataIdxList();
  } catch (const tarn::Exception&) {
    // A clear error is the expected outcome for damaged input.
  }
  return 0;
}

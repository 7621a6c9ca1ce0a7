// verify: everything a reader trusts, checked; every entry inflated.
#include <cstdio>
#include <set>

#include "base/Exception.h"
#include "store/XPException.h"
#include "tools/tarnpack/Commands.h"
#include "tools/tarnpack/ContainerAccess.h"
#include "tools/tarnpack/Progress.h"
#include "tools/tarnpack/ToolError.h"

namespace tarn::tarnpack {
namespace {

// The deleted chain, walked with the same rules as the live one: inside the file, marked
// deleted, linked back to its predecessor (which also ends loops), ending at LastDelIdx.
int CountDeleted(TSelfFileClass& c) {
  int count = 0;
  const int32_t last = c.GetLastDelIdx();
  int32_t prev = 0;
  for (int32_t pos = c.GetFirstDelIdx(); pos != 0;) {
    TIndexRec rec;
    c.ReadIndex(pos, rec);
    if (rec.InUse != 0 || rec.PrevIdx != prev) {
      throw EContainerDamaged("the deleted chain is broken at the record at offset " +
                              std::to_string(pos));
    }
    ++count;
    if (rec.NextIdx == 0 && pos != last) {
      throw EContainerDamaged("the deleted chain does not end at its last record " +
                              std::to_string(last));
    }
    prev = pos;
    pos = rec.NextIdx;
  }
  if (prev != last) throw EContainerDamaged("the deleted chain does not end at its last record");
  return count;
}

}  // namespace

int RunVerify(const Options& o) {
  auto c = OpenExisting(o);
  const std::vector<EntryRef> entries = ListEntries(*c);
  std::vector<std::string> problems;
  auto problem = [&](const std::string& text) { problems.push_back(text); };

  if (entries.size() != c->GetDataCount()) {
    problem("the head counts " + std::to_string(c->GetDataCount()) + " entries, the chain holds " +
            std::to_string(entries.size()));
  }
  const int deleted = CountDeleted(*c);
  if (deleted != c->GetDelCount()) {
    problem("the head counts " + std::to_string(c->GetDelCount()) +
            " deletions, the deleted chain holds " + std::to_string(deleted));
  }
  const int32_t maxId = c->GetMaxID();
  std::set<int32_t> ids;
  for (const EntryRef& e : entries) {
    if (e.rec.ID <= 0 || e.rec.ID > maxId || !ids.insert(e.rec.ID).second) {
      problem("entry '" + Show(e.info.Name.Str()) + "' has the ID " + std::to_string(e.rec.ID) +
              ", which is out of range or given twice");
    }
  }

  long long unpacked = 0;
  Progress progress(static_cast<int>(entries.size()), !o.quiet);
  for (const EntryRef& e : entries) {
    progress.Step(Show(e.info.Name.Str()));
    try {
      unpacked += static_cast<long long>(ReadEntry(*c, e.offset)->Length());
    } catch (const Exception& error) {
      problem("entry '" + Show(e.info.Name.Str()) + "' (ID " + std::to_string(e.rec.ID) +
              "): " + Show(error.Message()));
    }
  }
  progress.Clear();
  for (const std::string& p : problems) {
    std::fprintf(stderr, "tarnpack: verify: %s: %s\n", o.container.c_str(), p.c_str());
  }
  if (!problems.empty()) return kExitDamaged;
  std::printf("%s: OK, %zu entries, %lld bytes unpacked\n", o.container.c_str(), entries.size(),
              unpacked);
  return kExitOk;
}

}  // namespace tarn::tarnpack

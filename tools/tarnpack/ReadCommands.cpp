// list and extract.
#include <cstdio>
#include <filesystem>
#include <set>

#include "base/MemoryStream.h"
#include "tools/tarnpack/Commands.h"
#include "tools/tarnpack/ContainerAccess.h"
#include "tools/tarnpack/Progress.h"
#include "tools/tarnpack/ToolError.h"

namespace tarn::tarnpack {

int RunList(const Options& o) {
  auto container = OpenExisting(o);
  const std::vector<EntryRef> entries = ListEntries(*container);
  std::printf("%6s %4s %11s %10s %10s  %s\n", "ID", "Kind", "Tag", "Packed", "Unpacked", "Name");
  long long packed = 0;
  long long unpacked = 0;
  for (const EntryRef& e : entries) {
    const int64_t length = container->ReadStatedLength(e.rec);
    std::printf("%6d %4u %11d %10d %10lld  %s\n", e.rec.ID, unsigned{e.info.Kind}, e.info.Tag,
                e.rec.DataSize, static_cast<long long>(length), Show(e.info.Name.Str()).c_str());
    packed += e.rec.DataSize;
    unpacked += length;
  }
  std::printf("%zu entries, %lld bytes packed, %lld bytes unpacked\n", entries.size(), packed,
              unpacked);
  return kExitOk;
}

int RunExtract(const Options& o) {
  auto container = OpenExisting(o);
  const std::vector<EntryRef> entries = ListEntries(*container);

  // What to write, decided and checked in full before the first file is written. A lookup by
  // name finds the first entry of that name, so a later duplicate is never extracted.
  std::vector<const EntryRef*> chosen;
  std::set<std::string> names;
  if (o.args.empty()) {
    for (const EntryRef& e : entries) {
      if (names.insert(e.info.Name.Str()).second) {
        chosen.push_back(&e);
      } else {
        std::fprintf(stderr, "tarnpack: extract: skipping a second entry named '%s' (ID %d)\n",
                     Show(e.info.Name.Str()).c_str(), e.rec.ID);
      }
    }
  } else {
    std::string missing;
    for (const std::string& arg : o.args) {
      const std::string name = FieldFromArgument("entry name", arg, 255);
      const EntryRef* found = nullptr;
      for (const EntryRef& e : entries) {
        if (e.info.Name.View() == name) {
          found = &e;
          break;
        }
      }
      if (found == nullptr) {
        missing += (missing.empty() ? "" : ", ") + arg;
      } else if (names.insert(name).second) {
        chosen.push_back(found);
      }
    }
    if (!missing.empty()) throw ToolError(kExitNotFound, "not in the container: " + missing);
  }
  std::vector<std::string> hostNames;
  for (const EntryRef* e : chosen)
    hostNames.push_back(HostNameFromEntry(e->info.Name.Str()));

  const std::filesystem::path into(o.into);
  std::error_code ec;
  std::filesystem::create_directories(into, ec);
  if (ec) throw ToolError(kExitIo, "cannot make the folder " + o.into + ": " + ec.message());
  Progress progress(static_cast<int>(chosen.size()), !o.quiet);
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    progress.Step(hostNames[i]);
    auto content = ReadEntry(*container, chosen[i]->offset);
    content->SaveToFile((into / hostNames[i]).string());
  }
  return kExitOk;
}

}  // namespace tarn::tarnpack

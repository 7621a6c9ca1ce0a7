// create and add: files and folders become entries named after the files.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "base/Cp936.h"
#include "store/uXPFileDB.h"
#include "tools/tarnpack/Commands.h"
#include "tools/tarnpack/ContainerAccess.h"
#include "tools/tarnpack/Progress.h"
#include "tools/tarnpack/ToolError.h"

namespace tarn::tarnpack {
namespace {

namespace fs = std::filesystem;

struct Input {
  fs::path path;
  std::string name;  // code page 936
};

// Files as given, folders as the files inside them sorted by path. Every name is checked and
// must be unique before anything is written.
std::vector<Input> CollectInputs(const std::vector<std::string>& args) {
  std::vector<fs::path> files;
  for (const std::string& arg : args) {
    std::error_code ec;
    const fs::file_status st = fs::status(arg, ec);
    if (fs::is_regular_file(st)) {
      files.emplace_back(arg);
    } else if (fs::is_directory(st)) {
      std::vector<fs::path> inside;
      for (fs::recursive_directory_iterator it(arg, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file()) inside.push_back(it->path());
      }
      if (ec) throw ToolError(kExitIo, "cannot read the folder " + arg + ": " + ec.message());
      std::sort(inside.begin(), inside.end());
      files.insert(files.end(), inside.begin(), inside.end());
    } else {
      throw ToolError(kExitIo, "no such file or folder: " + arg);
    }
  }
  std::vector<Input> inputs;
  std::map<std::string, fs::path> seen;
  for (const fs::path& file : files) {
    Input in{file, EntryNameFromHost(file.filename().string())};
    const auto [it, fresh] = seen.emplace(in.name, file);
    if (!fresh) {
      throw ToolError(kExitUsage, "two inputs would both be the entry '" + Show(in.name) +
                                      "': " + it->second.string() + " and " + file.string());
    }
    inputs.push_back(std::move(in));
  }
  return inputs;
}

std::string ReadHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw ToolError(kExitIo, "cannot read " + path.string());
  const std::streamoff size = in.tellg();
  if (size > INT32_MAX) {
    throw ToolError(kExitUsage, path.string() + " is too large for a container entry");
  }
  std::string content(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  if (!in.read(content.data(), size)) throw ToolError(kExitIo, "cannot read " + path.string());
  return content;
}

struct Added {
  int added = 0;
  int updated = 0;
};

Added AddInputs(TXPFileDB& db, const std::vector<Input>& inputs, const Options& o) {
  const std::string note = FieldFromArgument("note", o.note, kNoteCapacity);
  Added counts;
  Progress progress(static_cast<int>(inputs.size()), !o.quiet);
  for (const Input& in : inputs) {
    progress.Step(Show(in.name));
    const std::string content = ReadHostFile(in.path);
    const bool existed = db.DataExists(in.name);
    db.AddData(in.name, content.data(), static_cast<int32_t>(content.size()), o.kind, o.tag, note);
    ++(existed ? counts.updated : counts.added);
  }
  return counts;
}

}  // namespace

int RunCreate(const Options& o) {
  const std::string mark = FieldFromArgument("mark", *o.mark, kMarkCapacity);
  const std::vector<Input> inputs = CollectInputs(o.args);
  // Built beside the target and renamed over it at the end, so a failed run leaves no
  // half-made container behind and an old one untouched.
  const fs::path out(o.container);
  const fs::path temp = out.string() + ".tarnpack-" + std::to_string(getpid());
  std::error_code ec;
  fs::remove(temp, ec);
  try {
    TXPFileDB db;
    db.SetDBMark(mark);
    db.SetDBFile(temp.string());
    AddInputs(db, inputs, o);
  } catch (...) {
    fs::remove(temp, ec);
    throw;
  }
  fs::rename(temp, out, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw ToolError(kExitIo, "cannot write " + o.container + ": " + ec.message());
  }
  std::printf("created %s: %zu entries, %llu bytes\n", o.container.c_str(), inputs.size(),
              static_cast<unsigned long long>(fs::file_size(out)));
  return kExitOk;
}

int RunAdd(const Options& o) {
  std::error_code ec;
  if (!fs::is_regular_file(o.container, ec)) {
    throw ToolError(kExitIo, "no such container file: " + o.container + " (create makes one)");
  }
  const std::string mark = FieldFromArgument("mark", *o.mark, kMarkCapacity);
  const std::vector<Input> inputs = CollectInputs(o.args);
  TXPFileDB db;
  db.SetDBMark(mark);
  try {
    db.SetDBFile(o.container);
  } catch (const EContainerDamaged&) {
    throw;
  } catch (const TXPException&) {
    throw ToolError(kExitMark, o.container + " does not carry the mark '" + *o.mark + "'");
  }
  const Added counts = AddInputs(db, inputs, o);
  std::printf("%s: %d added, %d updated\n", o.container.c_str(), counts.added, counts.updated);
  return kExitOk;
}

}  // namespace tarn::tarnpack

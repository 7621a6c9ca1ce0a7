// Protects the layering of the modules: dependencies point downward only (base <- store,
// graphics, platform <- platform/host <- framework <- slideshow, controls <- app), and the
// transition engine needs graphics only. A module that includes a header of a module above it,
// or of a peer, fails here with the file, the line and the header named.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace tarn::testing {
namespace {

namespace fs = std::filesystem;

struct Module {
  std::string Path;  // relative to the source root
  int Rank;          // a module may include modules of lower rank
  // When not empty: the only other modules it may include (a stricter rule than the rank).
  std::vector<std::string> Only;
};

// The module table. A sub-folder belongs to the longest path that starts it; tools, tests,
// benchmarks and fuzz targets stand on top of everything and are not checked.
const std::vector<Module>& Modules() {
  static const std::vector<Module> modules = {
      {"base", 0, {}},          {"store", 1, {}},
      {"graphics", 1, {}},      {"platform", 1, {}},
      {"platform/host", 2, {}}, {"framework", 3, {}},
      {"slideshow", 4, {}},     {"slideshow/effects", 4, {"base", "graphics"}},
      {"controls", 4, {}},      {"app", 5, {}},
  };
  return modules;
}

// The module a path (relative to the root, '/'-separated) lies in, or none.
const Module* ModuleOf(const std::string& path) {
  const Module* best = nullptr;
  for (const Module& m : Modules()) {
    if (path.size() > m.Path.size() && path.compare(0, m.Path.size(), m.Path) == 0 &&
        path[m.Path.size()] == '/' && (best == nullptr || m.Path.size() > best->Path.size())) {
      best = &m;
    }
  }
  return best;
}

bool MayInclude(const Module& from, const Module& to) {
  if (&from == &to) return true;
  // A module may use its own sub-modules (the picture show its transition engine).
  if (to.Path.rfind(from.Path + "/", 0) == 0) return true;
  if (!from.Only.empty()) {
    return std::find(from.Only.begin(), from.Only.end(), to.Path) != from.Only.end();
  }
  return to.Rank < from.Rank;
}

// The header of a line `#include "header"`, or empty.
std::string QuotedInclude(const std::string& line) {
  std::size_t i = line.find_first_not_of(" \t");
  if (i == std::string::npos || line[i] != '#') return {};
  i = line.find_first_not_of(" \t", i + 1);
  if (i == std::string::npos || line.compare(i, 7, "include") != 0) return {};
  i = line.find_first_not_of(" \t", i + 7);
  if (i == std::string::npos || line[i] != '"') return {};
  const std::size_t end = line.find('"', i + 1);
  return end == std::string::npos ? std::string() : line.substr(i + 1, end - i - 1);
}

// Every include of a module's file that reaches a module it may not depend on, as
// "file:line: header". Quoted includes are found from the root or, failing that, next to the
// including file.
std::vector<std::string> LayeringViolations(const fs::path& root) {
  std::vector<std::string> found;
  for (const Module& top : Modules()) {
    if (top.Path.find('/') != std::string::npos || !fs::is_directory(root / top.Path)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top.Path)) {
      const std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".inc")) continue;
      const std::string file = fs::relative(entry.path(), root).generic_string();
      const Module* from = ModuleOf(file);
      std::ifstream in(entry.path());
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        const std::string header = QuotedInclude(line);
        if (header.empty()) continue;
        std::string target = header;
        if (!fs::exists(root / header) && fs::exists(entry.path().parent_path() / header)) {
          target = fs::relative(fs::weakly_canonical(entry.path().parent_path() / header),
                                fs::weakly_canonical(root))
                       .generic_string();
        }
        const Module* to = ModuleOf(target);
        if (to != nullptr && !MayInclude(*from, *to)) {
          found.push_back(file + ":" + std::to_string(number) + ": " + header);
        }
      }
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

TEST(LayeringTest, TheTreeIncludesOnlyDownward) {
  const std::vector<std::string> found = LayeringViolations(TARN_SOURCE_DIR);
  std::string list;
  for (const std::string& v : found)
    list += "\n  " + v;
  EXPECT_TRUE(found.empty()) << "headers of a module above or beside:" << list;
  // The scan looked at the real tree, not at an empty folder.
  EXPECT_TRUE(fs::exists(fs::path(TARN_SOURCE_DIR) / "framework" / "Form.h"));
}

TEST(LayeringTest, UpwardSidewaysAndRelativeIncludesAreFound) {
  TempDir dir;
  const fs::path root = dir.Path();
  Write(root / "base/Text.h", "#pragma once\n");
  Write(root / "graphics/Canvas.h", "#include \"base/Text.h\"\n");
  Write(root / "framework/Form.h", "#include \"graphics/Canvas.h\"\n#include <vector>\n");
  Write(root / "framework/layout/Loader.h", "#include \"framework/Form.h\"\n");
  Write(root / "app/Wizard.cpp", "#include \"framework/layout/Loader.h\"\n");
  EXPECT_EQ(LayeringViolations(root), std::vector<std::string>{});

  // Up, sideways, from a sub-module, relative, and into modules that do not exist yet.
  Write(root / "graphics/Bad.cpp",
        "#include \"graphics/Canvas.h\"\n  #  include \"framework/Form.h\"\n");
  Write(root / "store/Peer.h", "#include \"graphics/Canvas.h\"\n");
  Write(root / "slideshow/effects/Engine.cpp",
        "#include \"platform/host/Host.h\"\n#include \"slideshow/PicShow.h\"\n");
  Write(root / "slideshow/PicShow.h", "#include \"slideshow/effects/Engine.h\"\n");
  Write(root / "platform/host/Up.cpp", "#include \"../../framework/Form.h\"\n");
  Write(root / "framework/Skin.h", "#include \"controls/uXPPanel.h\"\n");
  Write(root / "controls/uXPPanel.h", "#include \"app/Wizard.h\"\n");
  EXPECT_EQ(
      LayeringViolations(root),
      (std::vector<std::string>{
          "controls/uXPPanel.h:1: app/Wizard.h", "framework/Skin.h:1: controls/uXPPanel.h",
          "graphics/Bad.cpp:2: framework/Form.h", "platform/host/Up.cpp:1: ../../framework/Form.h",
          "slideshow/effects/Engine.cpp:1: platform/host/Host.h",
          "slideshow/effects/Engine.cpp:2: slideshow/PicShow.h",
          "store/Peer.h:1: graphics/Canvas.h"}));
}

}  // namespace
}  // namespace tarn::testing

// tarn-rc: the resource build step. Turns a manifest and the files it lists into a C++ source
// file that links the bytes into a program and registers them as its resource table.
//   tarn-rc --manifest FILE --output FILE.cpp [--depfile FILE.d] [--prefix NAME]
//           [--define NAME=PATH ...]
// The depfile names the manifest and every file, so the build runs the step again when any of
// them changes. A define names a file the build makes, which the manifest lists as ${NAME}.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>

#include "ResourceManifest.h"

namespace {

std::string DepfileEscape(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#' || c == '\\') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

int Usage() {
  std::fprintf(stderr,
               "usage: tarn-rc --manifest FILE --output FILE.cpp [--depfile FILE.d] "
               "[--prefix NAME] [--define NAME=PATH ...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string manifest, output, depfile, prefix = "res";
  tarn::rc::ManifestDefines defines;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    const std::string value = argv[++i];
    if (arg == "--manifest") {
      manifest = value;
    } else if (arg == "--output") {
      output = value;
    } else if (arg == "--depfile") {
      depfile = value;
    } else if (arg == "--define") {
      const std::size_t equals = value.find('=');
      if (equals == 0 || equals == std::string::npos) return Usage();
      defines[value.substr(0, equals)] = value.substr(equals + 1);
    } else if (arg == "--prefix") {
      prefix.clear();
      for (char c : value)
        prefix += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    } else {
      return Usage();
    }
  }
  if (manifest.empty() || output.empty()) return Usage();
  try {
    std::vector<tarn::rc::ManifestEntry> entries = tarn::rc::ReadManifest(manifest, defines);
    const std::filesystem::path out_path = std::filesystem::absolute(output);
    const std::string source =
        tarn::rc::GenerateSource(entries, prefix, out_path.string() + ".blobs");
    std::ofstream out(out_path, std::ios::binary | std::ios::trunc);
    out << source;
    if (!out) throw tarn::rc::ManifestError("cannot write " + output);
    if (!depfile.empty()) {
      std::ofstream dep(depfile, std::ios::binary | std::ios::trunc);
      dep << DepfileEscape(out_path.string()) << ":";
      dep << " \\\n  " << DepfileEscape(std::filesystem::absolute(manifest).string());
      for (const auto& e : entries) {
        if (!e.File.empty()) dep << " \\\n  " << DepfileEscape(e.File.string());
      }
      dep << "\n";
      if (!dep) throw tarn::rc::ManifestError("cannot write " + depfile);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarn-rc: %s\n", e.what());
    return 1;
  }
  return 0;
}

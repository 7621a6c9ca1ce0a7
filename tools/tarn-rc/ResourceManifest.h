// The manifest of a resource set: one resource a line, "TYPE NAME SOURCE", where the source is
// a file (relative to the manifest) or a quoted text. '#' starts a comment.
//   BITMAP   1       skin/title.bmp       a .bmp file, stored without its file header
//   RCDATA   4       skin/btn_min.png     raw bytes
//   JPGFILE  IPIC1   pictures/pic1.jpg    a type of our own, by name
//   STRING   1       "default"            a string-table entry, stored in code page 936
//   DBFILE   IDATA   ${PACKAGE}           a file the build makes, named by --define PACKAGE=path
// Types BITMAP, STRING and RCDATA are the standard numbered ones; a number is a numbered type or
// name; other words are names. Texts are UTF-8 with the escapes \" \\ \n \r \t and \xHH (a raw
// byte, taken as it is).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarn::rc {

class ManifestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ManifestEntry {
  uint32_t TypeNumber = 0;
  std::string TypeName;  // empty when numbered
  uint32_t NameNumber = 0;
  std::string Name;  // empty when numbered
  int Line = 0;
  // Where the bytes come from: a part of a file, or bytes of their own.
  std::filesystem::path File;
  uint64_t Offset = 0;
  bool FromFile = false;
  std::string Bytes;
};

// Names a source may refer to as ${NAME}: files that the build makes elsewhere (a relative
// value is taken relative to the manifest, as other files are).
using ManifestDefines = std::map<std::string, std::string>;

// Reads and checks the manifest and every file it names; raises ManifestError("file:line: ...").
std::vector<ManifestEntry> ReadManifest(const std::filesystem::path& manifest,
                                        const ManifestDefines& defines = {});

// The C++ source that links the resources into a program and registers their table. Bytes of
// their own are written to files in blobDir first. `prefix` keeps the symbols of two tables in
// one program apart.
std::string GenerateSource(std::vector<ManifestEntry>& entries, const std::string& prefix,
                           const std::filesystem::path& blobDir);

}  // namespace tarn::rc

// tarn-payload: writes the stand-ins of the player's 59 files, which the install package
// carries, into a folder.
//   tarn-payload OUTDIR
// Prints the file names in the package's order, one a line, for the packing step. The files are
// the same on every run and machine: each comes from its own seeded generator.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/payload/PayloadFiles.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(argc == 2 ? stdout : stderr,
                 "usage: tarn-payload OUTDIR\n"
                 "Writes the install package's 59 stand-in files into OUTDIR and prints their\n"
                 "names in the package's order.\n");
    return argc == 2 && std::string(argv[1]) == "--help" ? 0 : 2;
  }
  namespace fs = std::filesystem;
  using namespace tarn::payload;
  try {
    const fs::path dir = argv[1];
    fs::create_directories(dir);
    for (const PayloadFile& file : PayloadFiles()) {
      const std::vector<uint8_t> bytes = MakeFile(file);
      if (bytes.size() != file.size)
        throw std::logic_error(std::string(file.name) + " came out at the wrong size");
      std::ofstream out(dir / file.name, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
      if (!out) throw std::runtime_error("cannot write " + (dir / file.name).string());
      std::printf("%s\n", file.name);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarn-payload: %s\n", e.what());
    return 1;
  }
  return 0;
}

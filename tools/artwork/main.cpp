// tarn-artwork: draws the wizard's skin, logo and slideshow pictures into the resources folder.
//   tarn-artwork OUTDIR [--preview DIR]
// Writes every picture under OUTDIR (skin/*.bmp, skin/*.png, pictures/*.jpg) and
// OUTDIR/artwork-fonts.txt, which names the faces that drew the text. --preview also renders
// the pictures as the window places them, for a person to look at.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "graphics/BmpCodec.h"
#include "graphics/JpegCodec.h"
#include "graphics/PngCodec.h"
#include "tools/artwork/Artwork.h"
#include "tools/artwork/Preview.h"
#include "tools/artwork/Text.h"

namespace {

namespace fs = std::filesystem;
using namespace tarn;
using namespace tarn::artwork;

constexpr int kJpegQuality = 92;

std::vector<uint8_t> Encode(const Bitmap32& bitmap, FileFormat format) {
  switch (format) {
    case FileFormat::Bmp:
      return EncodeBmp(bitmap, 24);
    case FileFormat::Png:
      return EncodePng(bitmap, PngAlpha::Keep);
    case FileFormat::Jpeg:
      return EncodeJpeg(bitmap, kJpegQuality, JpegMode::Baseline);
    case FileFormat::ProgressiveJpeg:
      return EncodeJpeg(bitmap, kJpegQuality, JpegMode::Progressive);
  }
  return {};
}

void WriteFile(const fs::path& path, const void* data, std::size_t size) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

int Usage(FILE* to) {
  std::fprintf(to,
               "usage: tarn-artwork OUTDIR [--preview DIR]\n"
               "Draws the wizard's skin, logo and slideshow pictures into OUTDIR; --preview\n"
               "also renders them as the window places them into DIR.\n");
  return to == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out_dir, preview_dir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") return Usage(stdout);
    if (arg == "--preview" && i + 1 < argc) {
      preview_dir = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && out_dir.empty()) {
      out_dir = arg;
    } else {
      return Usage(stderr);
    }
  }
  if (out_dir.empty()) return Usage(stderr);
  try {
    for (const Output& output : Outputs()) {
      const std::vector<uint8_t> bytes = Encode(output.draw(), output.format);
      WriteFile(fs::path(out_dir) / output.path, bytes.data(), bytes.size());
    }
    const std::string stamp = FontStamp();
    WriteFile(fs::path(out_dir) / "artwork-fonts.txt", stamp.data(), stamp.size());
    if (!preview_dir.empty()) WritePreviews(out_dir, preview_dir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarn-artwork: %s\n", e.what());
    return 1;
  }
  return 0;
}

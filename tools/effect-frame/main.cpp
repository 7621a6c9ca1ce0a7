// effect-frame: renders one transition frame, or a contact sheet of many, to a PNG, so that a
// person can look at what each of the 171 transition styles draws.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/ImageCodec.h"
#include "graphics/PngCodec.h"
#include "slideshow/effects/EffectTable.h"
#include "tools/effect-frame/ContactSheet.h"
#include "tools/effect-frame/Options.h"
#include "tools/effect-frame/TestPatterns.h"

namespace {

using namespace tarn;
using namespace tarn::effectframe;

constexpr int kDefaultWidth = 503;  // the installer's slideshow
constexpr int kDefaultHeight = 186;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Exception("cannot open " + path);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad()) throw Exception("cannot read " + path);
  return bytes;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw Exception("cannot write " + path);
}

bool IsPattern(const std::string& source) {
  return source.rfind("pattern:", 0) == 0;
}

// A picture file, or a built-in pattern drawn at width x height.
Bitmap32 LoadPicture(const std::string& source, int width, int height) {
  Bitmap32 picture;
  if (IsPattern(source)) {
    if (!MakeTestPattern(source.substr(8), width, height, picture)) {
      throw EUsage("unknown pattern \"" + source + "\" (pattern:old or pattern:new)");
    }
    return picture;
  }
  try {
    picture = DecodeImage(ReadFile(source));
  } catch (const EInvalidGraphic& e) {
    throw Exception(source + ": " + e.Message());
  }
  return picture;
}

// Nearest-pixel resize, as the picture show fits a picture to its frame.
Bitmap32 Fit(Bitmap32 picture, int width, int height) {
  if (picture.Width() == width && picture.Height() == height) return picture;
  Bitmap32 out(width, height);
  out.StretchBlock(0, 0, width, height, picture, 0, 0, picture.Width(), picture.Height());
  return out;
}

// The old and new pictures at one size: --size, else the old file's size, else the default.
void LoadPair(const Options& o, Bitmap32& oldPic, Bitmap32& newPic) {
  int width = o.Width, height = o.Height;
  if (width == 0) {
    width = kDefaultWidth;
    height = kDefaultHeight;
    if (!IsPattern(o.Old)) {
      oldPic = LoadPicture(o.Old, 0, 0);
      width = oldPic.Width();
      height = oldPic.Height();
    }
  }
  if (oldPic.Empty()) oldPic = LoadPicture(o.Old, width, height);
  oldPic = Fit(std::move(oldPic), width, height);
  newPic = Fit(LoadPicture(o.New, width, height), width, height);
  if (oldPic.Empty()) throw Exception("the old picture is empty");
}

int Run(const Options& o) {
  switch (o.Mode) {
    case Command::Help:
      std::fputs(kUsage, stdout);
      return 0;
    case Command::List:
      for (int style = 1; style <= EffectCount; ++style) {
        std::printf("%3d  %s\n", style, FindEffect(style)->Name);
      }
      return 0;
    case Command::Frame: {
      Bitmap32 frame, newPic;
      LoadPair(o, frame, newPic);
      DrawEffectFrame(o.Style, frame, newPic, o.Progress);
      WriteFile(o.Output, EncodePng(frame, PngAlpha::Opaque));
      std::printf("%s: style %d \"%s\" at %d %%, %d x %d\n", o.Output.c_str(), o.Style,
                  FindEffect(o.Style)->Name, o.Progress, frame.Width(), frame.Height());
      return 0;
    }
    case Command::Sheet: {
      Bitmap32 oldPic, newPic;
      LoadPair(o, oldPic, newPic);
      SheetLayout layout;
      layout.Styles = o.Styles;
      if (layout.Styles.empty()) {
        for (int style = 1; style <= EffectCount; ++style)
          layout.Styles.push_back(style);
      }
      layout.Progress = o.ProgressList;
      layout.Scale = o.Scale;
      layout.Columns = o.Columns;
      const Bitmap32 sheet = RenderContactSheet(oldPic, newPic, layout);
      WriteFile(o.Output, EncodePng(sheet, PngAlpha::Opaque));
      std::printf("%s: %zu styles at %zu progress values, %d x %d\n", o.Output.c_str(),
                  layout.Styles.size(), layout.Progress.size(), sheet.Width(), sheet.Height());
      return 0;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(ParseOptions(std::vector<std::string>(argv + 1, argv + argc)));
  } catch (const EUsage& e) {
    std::fprintf(stderr, "effect-frame: %s\n%s", e.what(), kUsage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "effect-frame: %s\n", e.what());
    return 1;
  }
}

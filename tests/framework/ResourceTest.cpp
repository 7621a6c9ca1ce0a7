// The program's own resources: the wizard finds its package, pictures, skin and string table by
// type and name or number, without regard to letter case, and a missing one must raise the
// resource error rather than hand out nothing. The build step that links them in is checked
// too, including its refusals of bad manifests.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "base/Cp936.h"
#include "framework/ResourceStream.h"
#include "framework/Resources.h"
#include "framework/pictures/Bitmap.h"
#include "framework/pictures/PngImage.h"
#include "tests/support/TempDir.h"

namespace tarn::testing {
namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Bytes(std::span<const uint8_t> s) {
  return {s.begin(), s.end()};
}

TEST(ResourceTest, LookupsByTypeAndNameOrNumberIgnoreLetterCase) {
  const std::vector<uint8_t> jpeg =
      FileBytes(std::string(TARN_TEST_RESOURCES) + "/pictures/baseline.jpg");
  EXPECT_EQ(Bytes(LoadResource("JPGFILE", "IPIC1")), jpeg);
  EXPECT_EQ(Bytes(LoadResource("jpgfile", "ipic1")), jpeg);
  EXPECT_EQ(FindResource("JpgFile", "iPic1"), FindResource("JPGFILE", "IPIC1"));
  const std::vector<uint8_t> png =
      FileBytes(std::string(TARN_TEST_RESOURCES) + "/pictures/alpha.png");
  EXPECT_EQ(Bytes(LoadResource(RT_RCDATA, 4)), png);
  EXPECT_EQ(Bytes(LoadResource("#10", "#4")), png);  // numbers written as texts
  EXPECT_EQ(FindResource(RT_RCDATA, "4"), nullptr);  // a name, not the number
  EXPECT_EQ(FindResource(RT_BITMAP, 4), nullptr);    // another type
  EXPECT_NE(FindResource(RT_BITMAP, "palette"), nullptr);
}

TEST(ResourceTest, AMissingResourceRaisesTheResourceError) {
  EXPECT_EQ(FindResource("JPGFILE", "IPIC9"), nullptr);
  try {
    LoadResource("JPGFILE", "IPIC9");
    FAIL() << "no error";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource IPIC9 not found");
  }
  EXPECT_THROW(TResourceStream("DATA", RT_RCDATA), EResNotFound);
  TBitmap bitmap;
  EXPECT_THROW(bitmap.LoadFromResourceID(99), EResNotFound);
  TPngImage png;
  try {
    png.LoadFromResourceID(77);
    FAIL() << "no error";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource #77 not found");
  }
}

TEST(ResourceTest, StringTableEntriesAreCodePage936AndMissingOnesEmpty) {
  EXPECT_EQ(LoadStr(1), "default");
  EXPECT_EQ(LoadStr(2), Utf8ToCp936("塔恩播放器"));
  EXPECT_EQ(LoadStr(3), "");
  // Quoted texts keep their escapes, raw bytes included.
  const auto note = LoadResource(RT_RCDATA, "note");
  EXPECT_EQ(std::string(note.begin(), note.end()), std::string("line one\nline \"two\"\0end", 23));
}

TEST(ResourceTest, BitmapResourcesDecodeIncludingOnesWithAGapBeforeThePixels) {
  TBitmap stripes;
  stripes.LoadFromResourceID(1);
  ASSERT_EQ(stripes.Width(), 6);
  EXPECT_EQ(PixelToColor(stripes.Pixels().PixelAt(2, 0)), clBlue);
  EXPECT_EQ(PixelToColor(stripes.Pixels().PixelAt(0, 3)), clWhite);
  // The file's pixels lie ten bytes after its two-colour table; the resource packs them.
  TBitmap palette;
  palette.LoadFromResourceName("PALETTE");
  ASSERT_EQ(palette.Width(), 4);
  ASSERT_EQ(palette.Height(), 2);
  const TColor top[] = {clRed, clBlue, clRed, clBlue};
  const TColor bottom[] = {clBlue, clBlue, clRed, clRed};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(PixelToColor(palette.Pixels().PixelAt(x, 0)), top[x]) << x;
    EXPECT_EQ(PixelToColor(palette.Pixels().PixelAt(x, 1)), bottom[x]) << x;
  }
  TPngImage png;
  png.LoadFromResourceID(4);
  EXPECT_EQ(png.Width(), 4);
}

TEST(ResourceTest, AResourceOpensAsAReadOnlyStream) {
  TResourceStream stream("IPIC2", "JPGFILE");
  const std::vector<uint8_t> file =
      FileBytes(std::string(TARN_TEST_RESOURCES) + "/pictures/progressive.jpg");
  ASSERT_EQ(stream.Size(), static_cast<int64_t>(file.size()));
  std::vector<uint8_t> head(10);
  stream.ReadBuffer(head.data(), head.size());
  EXPECT_TRUE(std::equal(head.begin(), head.end(), file.begin()));
  stream.Seek(-2, SeekOrigin::End);
  uint8_t tail[4];
  EXPECT_EQ(stream.Read(tail, 4), 2u);
  EXPECT_EQ(tail[0], file[file.size() - 2]);
  EXPECT_THROW(stream.Write(tail, 1), EWriteError);
  EXPECT_THROW(stream.SetSize(0), EWriteError);
  EXPECT_THROW(stream.Seek(-1, SeekOrigin::Begin), EStreamError);
}

// Runs the build step on a manifest and returns what it printed; `status` gets its exit code.
std::string RunTool(const std::string& manifest, const std::string& output, int& status) {
  const std::string command = std::string("'") + TARN_RC_PATH + "' --manifest '" + manifest +
                              "' --output '" + output + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string text;
  char buffer[256];
  while (pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr)
    text += buffer;
  status = pipe != nullptr ? pclose(pipe) : -1;
  return text;
}

TEST(ResourceBuildStepTest, BadManifestsAreRefusedNamingTheLine) {
  testing::TempDir dir;
  {
    std::ofstream(dir.File("a.png")) << "not checked: raw data is raw";
    std::ofstream(dir.File("fake.bmp")) << "no bitmap header here, but long enough to look at it";
  }
  const std::pair<const char*, const char*> cases[] = {
      {"RCDATA 1 a.png\nRCDATA 2 missing.png\n", ":2: no such file: missing.png"},
      {"RCDATA X a.png\nrcdata x a.png\n", ":2: the resource #10/X is listed twice"},
      {"BITMAP 1 fake.bmp\n", ":1: "},
      {"STRING name \"text\"\n", ":1: string-table entries are numbered"},
      {"RCDATA 1 \"bad \\q escape\"\n", ":1: unknown escape \\q"},
      {"RCDATA 1 \"open\n", ":1: the text has no closing quote"},
      {"RCDATA\n", ":1: a name must follow the type"},
      {"# comment\n\nRCDATA 1 a.png extra\n", ":3: unexpected text after the source"},
      {"RC/DATA 1 a.png\n", ":1: 'RC/DATA' is not a resource type"},
  };
  for (const auto& [text, expected] : cases) {
    const std::string manifest = dir.File("manifest.txt");
    std::ofstream(manifest, std::ios::trunc) << text;
    int status = 0;
    const std::string out = RunTool(manifest, dir.File("out.cpp"), status);
    EXPECT_NE(status, 0) << text;
    EXPECT_NE(out.find(manifest + expected), std::string::npos) << out;
  }
  // A good one writes the source.
  std::ofstream(dir.File("manifest.txt"), std::ios::trunc) << "RCDATA 1 a.png\nSTRING 5 \"x\"\n";
  int status = 0;
  RunTool(dir.File("manifest.txt"), dir.File("out.cpp"), status);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("out.cpp")));
}

}  // namespace
}  // namespace tarn::testing

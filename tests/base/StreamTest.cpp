// Memory and file streams carry every byte the store reads and writes; a wrong position or size
// here corrupts containers silently.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "base/Exception.h"
#include "base/FileStream.h"
#include "base/MemoryStream.h"
#include "tests/support/TempDir.h"

namespace tarn {
namespace {

TEST(MemoryStreamTest, WriteReadSeekAndGrowth) {
  TMemoryStream s;
  EXPECT_EQ(s.Size(), 0);
  s.WriteBuffer("hello", 5);
  EXPECT_EQ(s.Position(), 5);
  s.Seek(-2, SeekOrigin::End);
  char two[2];
  s.ReadBuffer(two, 2);
  EXPECT_EQ(std::string(two, 2), "lo");
  EXPECT_EQ(s.Read(two, 2), 0u);  // at the end
  EXPECT_THROW(s.ReadBuffer(two, 1), EReadError);
  EXPECT_THROW(s.Seek(-1, SeekOrigin::Begin), EStreamError);

  // A write past the end fills the gap with zeros.
  s.SetPosition(8);
  s.WriteBuffer("!", 1);
  EXPECT_EQ(s.Size(), 9);
  EXPECT_EQ(s.View(), std::string_view("hello\0\0\0!", 9));

  // Many small writes keep all bytes.
  TMemoryStream big;
  for (int i = 0; i < 100000; ++i) {
    const auto b = static_cast<uint8_t>(i * 7);
    big.WriteBuffer(&b, 1);
  }
  ASSERT_EQ(big.Size(), 100000);
  for (int i = 0; i < 100000; i += 997)
    EXPECT_EQ(big.Memory()[i], static_cast<uint8_t>(i * 7));
}

TEST(MemoryStreamTest, SetSizeKeepsContentAndClampsPosition) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  s.SetSize(3);
  EXPECT_EQ(s.Position(), 3);
  EXPECT_EQ(s.View(), "abc");
  s.SetSize(1000);
  EXPECT_EQ(std::memcmp(s.Memory(), "abc", 3), 0);
  EXPECT_THROW(s.SetSize(-1), EStreamError);

  auto fresh = std::unique_ptr<uint8_t[]>(new uint8_t[2]{'x', 'y'});
  s.Adopt(std::move(fresh), 2);
  EXPECT_EQ(s.View(), "xy");
  EXPECT_EQ(s.Position(), 0);
}

TEST(FileStreamTest, CreateWriteReopenAndCopy) {
  testing::TempDir dir;
  const std::string path = dir.File("data.bin");
  EXPECT_FALSE(FileExists(path));
  {
    TFileStream f(path, FileMode::Create, FileShare::Exclusive);
    f.WriteBuffer("0123456789", 10);
    EXPECT_EQ(f.Size(), 10);
  }
  EXPECT_TRUE(FileExists(path));
  TFileStream f(path, FileMode::OpenReadWrite, FileShare::DenyNone);
  f.Seek(4, SeekOrigin::Begin);
  char buf[3];
  f.ReadBuffer(buf, 3);
  EXPECT_EQ(std::string(buf, 3), "456");
  f.Seek(0, SeekOrigin::End);
  EXPECT_EQ(f.Read(buf, 3), 0u);

  TMemoryStream m;
  m.CopyFrom(f, 0);
  EXPECT_EQ(m.View(), "0123456789");
  m.SaveToFile(dir.File("copy.bin"));
  TMemoryStream back;
  back.LoadFromFile(dir.File("copy.bin"));
  EXPECT_EQ(back.View(), "0123456789");
}

TEST(FileStreamTest, OpenErrorsAndSharing) {
  testing::TempDir dir;
  EXPECT_THROW(TFileStream(dir.File("missing"), FileMode::OpenRead, FileShare::DenyNone),
               EFOpenError);
  EXPECT_THROW(TFileStream(dir.File("no/such/dir/x"), FileMode::Create, FileShare::Exclusive),
               EFCreateError);
  EXPECT_THROW(TFileStream(dir.Path().string(), FileMode::OpenRead, FileShare::DenyNone),
               EFOpenError);

  const std::string path = dir.File("shared.bin");
  { TFileStream create(path, FileMode::Create, FileShare::Exclusive); }
  {
    // Two sharing openers coexist; an exclusive one is refused while they hold the file.
    TFileStream a(path, FileMode::OpenReadWrite, FileShare::DenyNone);
    TFileStream b(path, FileMode::OpenReadWrite, FileShare::DenyNone);
    EXPECT_THROW(TFileStream(path, FileMode::OpenReadWrite, FileShare::Exclusive), EFOpenError);
  }
  TFileStream exclusive(path, FileMode::OpenReadWrite, FileShare::Exclusive);
  EXPECT_THROW(TFileStream(path, FileMode::OpenRead, FileShare::DenyNone), EFOpenError);
}

TEST(FileStreamTest, ProgramPathsAreCp936AndGoThroughTheMapper) {
  testing::TempDir dir;
  // "数据.bin" in code page 936 lands as a UTF-8 host name.
  const std::string cp936Name = "\xCA\xFD\xBE\xDD.bin";
  { TFileStream f(dir.File(cp936Name), FileMode::Create, FileShare::Exclusive); }
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "\xE6\x95\xB0\xE6\x8D\xAE.bin"));

  SetHostPathMapper([&](const std::string& p) { return dir.File("mapped-" + p); });
  { TFileStream f("x", FileMode::Create, FileShare::Exclusive); }
  SetHostPathMapper(nullptr);
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "mapped-x"));
}

}  // namespace
}  // namespace tarn

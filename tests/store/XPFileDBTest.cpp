// The store is how the installer reads its package and writes its marker file: opening,
// creating, mark checks and reading by name must behave exactly as callers rely on, and a file
// written by another writer of the format (with leftovers in its names) must read the same.
#include <gtest/gtest.h>

#include <zlib.h>

#include <filesystem>

#include "base/Exception.h"
#include "base/FileStream.h"
#include "store/uXPFileDB.h"
#include "tests/store/RawContainer.h"
#include "tests/support/TempDir.h"

namespace tarn {
namespace {

using testing::Bytes;
using testing::PutLE;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

TEST(XPFileDBTest, NewStoreIsClosedWithTheDefaultMark) {
  TXPFileDB db;
  EXPECT_EQ(db.DBMark(), "xpselfdb");
  EXPECT_EQ(db.DBFile(), "");
  EXPECT_FALSE(db.IsOpen());
  // Entry operations need an open container: a clear error, not a crash.
  EXPECT_THROW(db.GetData("x"), TXPException);
  EXPECT_THROW(db.AddData("x", "a", 1, 1, 0, ""), TXPException);
}

TEST(XPFileDBTest, MissingFileIsCreatedEmptyWithTheMark) {
  TempDir dir;
  const std::string path = dir.File("new.bin");
  TXPFileDB db;
  db.SetDBMark("b_special");
  db.SetDBFile(path);
  EXPECT_TRUE(db.IsOpen());
  EXPECT_EQ(std::filesystem::file_size(path), 44u);
  EXPECT_EQ(db.DataIdxList()->Count(), 0);
  EXPECT_FALSE(db.DataExists("boxspvalue"));
  const Bytes record(272, 0x5A);
  db.AddData("boxspvalue", record.data(), 272, 1, 0, "");
  auto s = db.GetData("boxspvalue");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(Bytes(s->Memory(), s->Memory() + s->Length()), record);
}

TEST(XPFileDBTest, MarkMismatchRaisesTheExactMessage) {
  TempDir dir;
  const std::string path = dir.File("pkg.bin");
  {
    TXPFileDB db;
    db.SetDBMark("m_install");
    db.SetDBFile(path);
  }
  TXPFileDB other;
  other.SetDBMark("b_special");
  try {
    other.SetDBFile(path);
    FAIL();
  } catch (const TXPException& e) {
    EXPECT_EQ(e.Message(), "\xCA\xFD\xBE\xDD\xBF\xE2\xCE\xC4\xBC\xFE\xD2\xEC\xB3\xA3\xA1\xA3");
  }
  // The container stays open on the new path, as the caller gives up on the store anyway.
  EXPECT_EQ(other.DBFile(), path);
  // Any file that is not a container at all fails the same way, also a short one.
  WriteFileBytes(dir.File("text.txt"), testing::ToBytes("hello"));
  TXPFileDB text;
  EXPECT_THROW(text.SetDBFile(dir.File("text.txt")), TXPException);
}

TEST(XPFileDBTest, SamePathOpensOnceAndAnotherPathClosesTheFirst) {
  TempDir dir;
  const std::string first = dir.File("first.bin");
  TXPFileDB db;
  db.SetDBFile(first);  // created: held exclusively while open
  EXPECT_THROW(TFileStream(first, FileMode::OpenReadWrite, FileShare::DenyNone), EFOpenError);
  // Setting the same path again neither reopens nor checks: a new mark is not looked at.
  db.SetDBMark("another");
  db.SetDBFile(first);
  EXPECT_TRUE(db.IsOpen());
  // Another path closes the first container.
  db.SetDBMark("xpselfdb");
  db.SetDBFile(dir.File("second.bin"));
  EXPECT_NO_THROW(TFileStream(first, FileMode::OpenReadWrite, FileShare::DenyNone));
  // An existing container is opened shared with other readers and writers.
  TXPFileDB shared;
  shared.SetDBFile(first);
  EXPECT_NO_THROW(TFileStream(first, FileMode::OpenReadWrite, FileShare::DenyNone));
}

TEST(XPFileDBTest, OpenFailurePassesTheFileErrorAndCanBeRetried) {
  TempDir dir;
  const std::string folder = dir.File("sub");
  std::filesystem::create_directory(folder);
  TXPFileDB db;
  EXPECT_THROW(db.SetDBFile(folder), EFCreateError);
  EXPECT_FALSE(db.IsOpen());
  EXPECT_EQ(db.DBFile(), folder);
  // Once the obstacle is gone, the same path opens (it is not taken as already open).
  std::filesystem::remove(folder);
  db.SetDBFile(folder);
  EXPECT_TRUE(db.IsOpen());
}

// A file written by another writer of the format: names carry leftovers of longer names
// behind their length, and the chain was built by hand.
TEST(XPFileDBTest, ReadsAHandBuiltContainerWithLeftovers) {
  TempDir dir;
  const std::string path = dir.File("hand.bin");
  Bytes file(44, 0);
  file[8] = 1;
  file[9] = 9;
  std::memcpy(&file[10], "m_install", 9);
  struct Item {
    std::string name, leftover, content;
  };
  const std::vector<Item> items = {{"a.dll", "a.dllXXXXold", std::string(3000, 'a')},
                                   {"b.ico", "b.icoYY", "tiny"}};
  int64_t prev = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto pos = static_cast<int64_t>(file.size());
    uLongf packedSize = compressBound(static_cast<uLong>(items[i].content.size()));
    Bytes packed(packedSize);
    compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(items[i].content.data()),
              static_cast<uLong>(items[i].content.size()), 9);
    const auto dataSize = static_cast<int64_t>(8 + packedSize);
    Bytes entry(112 + static_cast<std::size_t>(dataSize), 0);
    PutLE(entry, 0, 4, static_cast<int64_t>(i + 1));
    PutLE(entry, 4, 4, prev);
    entry[8] = 1;
    PutLE(entry, 9, 4, pos);
    PutLE(entry, 13, 4, pos + 25);
    PutLE(entry, 17, 4, dataSize);
    PutLE(entry, 21, 4, i + 1 < items.size() ? pos + 112 + dataSize : 0);
    entry[25] = 2;
    entry[30] = static_cast<uint8_t>(items[i].name.size());
    std::memcpy(&entry[31], items[i].leftover.data(), items[i].leftover.size());
    PutLE(entry, 112, 8, static_cast<int64_t>(items[i].content.size()));
    std::memcpy(&entry[120], packed.data(), packedSize);
    file.insert(file.end(), entry.begin(), entry.end());
    if (i == 0) PutLE(file, 26, 4, pos);
    PutLE(file, 36, 4, pos);
    prev = pos;
  }
  PutLE(file, 20, 4, 2);
  PutLE(file, 24, 2, 2);
  WriteFileBytes(path, file);

  TXPFileDB db;
  db.SetDBMark("m_install");
  db.SetDBFile(path);
  EXPECT_EQ(db.DataIdxList()->Values(), (std::vector<int32_t>{1, 2}));
  EXPECT_FALSE(db.DataExists("a.dllXXXXold"));
  for (const auto& item : items) {
    auto s = db.GetData(item.name);
    ASSERT_NE(s, nullptr) << item.name;
    EXPECT_EQ(std::string(s->View()), item.content);
  }
  // An update in place rewrites the data info as read, leftovers included.
  db.UpdateData("a.dll", "A", 1);
  const Bytes after = ReadFileBytes(path);
  EXPECT_EQ(std::string(after.begin() + 44 + 31, after.begin() + 44 + 31 + 12), "a.dllXXXXold");
  EXPECT_EQ(std::string(db.GetData("a.dll")->View()), "A");
}

}  // namespace
}  // namespace tarn

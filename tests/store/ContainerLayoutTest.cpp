// The container's bytes are a format other programs and older files share: a new file, the
// first entry's places and the packed block must be byte-exact, and what our code writes must
// read back through a reader built from the layout alone.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "base/DateTime.h"
#include "store/SelfFileClass.h"
#include "store/uXPFileDB.h"
#include "tests/store/RawContainer.h"
#include "tests/support/TempDir.h"

namespace tarn {
namespace {

using testing::Bytes;
using testing::GetLE;
using testing::ParseContainer;
using testing::ReadFileBytes;
using testing::TempDir;

Bytes Noise(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& v : b)
    v = static_cast<uint8_t>(rng());
  return b;
}

TEST(ContainerLayoutTest, NewContainerIsExactlyTheHead) {
  TempDir dir;
  const std::string path = dir.File("new.bin");
  const double before = Now();
  { TSelfFileClass c(path, "m_install"); }
  const double after = Now();
  const Bytes b = ReadFileBytes(path);
  ASSERT_EQ(b.size(), 44u);
  double created = 0;
  std::memcpy(&created, b.data(), 8);
  EXPECT_GE(created, before - 1e-6);
  EXPECT_LE(created, after + 1e-6);
  EXPECT_EQ(b[8], 1);  // version
  EXPECT_EQ(b[9], 9);  // mark length
  EXPECT_EQ(std::string(b.begin() + 10, b.begin() + 19), "m_install");
  EXPECT_EQ(b[19], 0);
  for (std::size_t i = 20; i < 44; ++i)
    EXPECT_EQ(b[i], 0) << "index head byte " << i;
}

TEST(ContainerLayoutTest, FirstEntryLiesAt44With69And156) {
  TempDir dir;
  const std::string path = dir.File("one.bin");
  const Bytes content = Noise(1000, 1);
  TMemoryStream stream;
  stream.WriteBuffer(content.data(), content.size());
  TDataInfo info;
  info.Kind = 2;
  info.Name.Assign("GdiPlus.dll");
  int32_t id = 0;
  {
    TSelfFileClass c(path, "m_install");
    id = c.AddData(info, stream, 0);
  }
  EXPECT_EQ(id, 1);
  const Bytes b = ReadFileBytes(path);
  // Index head.
  EXPECT_EQ(GetLE(b, 20, 4), 1);   // MaxID
  EXPECT_EQ(GetLE(b, 24, 2), 1);   // DataCount
  EXPECT_EQ(GetLE(b, 26, 4), 44);  // FirstIdx
  EXPECT_EQ(GetLE(b, 30, 2), 0);
  EXPECT_EQ(GetLE(b, 32, 4), 0);
  EXPECT_EQ(GetLE(b, 36, 4), 44);  // LastIdx
  EXPECT_EQ(GetLE(b, 40, 4), 0);
  // Record at 44.
  EXPECT_EQ(GetLE(b, 44, 4), 1);
  EXPECT_EQ(GetLE(b, 48, 4), 0);
  EXPECT_EQ(b[52], 1);
  EXPECT_EQ(GetLE(b, 53, 4), 44);
  EXPECT_EQ(GetLE(b, 57, 4), 69);
  EXPECT_EQ(GetLE(b, 61, 4), static_cast<int64_t>(b.size()) - 156);
  EXPECT_EQ(GetLE(b, 65, 4), 0);
  // Data info at 69.
  EXPECT_EQ(b[69], 2);
  EXPECT_EQ(GetLE(b, 70, 4), 0);
  EXPECT_EQ(b[74], 11);
  EXPECT_EQ(std::string(b.begin() + 75, b.begin() + 86), "GdiPlus.dll");
  EXPECT_EQ(b[135], 0);  // empty note
  // Block at 156: the unpacked length, then a level-9 zlib stream.
  EXPECT_EQ(GetLE(b, 156, 8), 1000);
  EXPECT_EQ(b[164], 0x78);
  EXPECT_EQ(b[165], 0xDA);
  // The caller's stream is left holding exactly the block.
  ASSERT_EQ(stream.Length(), b.size() - 156);
  EXPECT_EQ(std::memcmp(stream.Memory(), b.data() + 156, stream.Length()), 0);
}

TEST(ContainerLayoutTest, IndependentReaderReadsWhatTheStoreWrote) {
  TempDir dir;
  const std::string path = dir.File("pkg.bin");
  const std::string chinese = "\xCB\xFE\xB6\xF7\xB2\xA5\xB7\xC5\xC6\xF7.exe";  // 塔恩播放器.exe
  const Bytes a = Noise(3000, 2);
  const std::string text(20000, 'x');
  const Bytes bigger = Noise(9000, 3);
  {
    TXPFileDB db;
    db.SetDBMark("m_install");
    db.SetDBFile(path);
    db.AddData("a.dll", a.data(), static_cast<int32_t>(a.size()), 2, 0, "");
    db.AddData(chinese, text.data(), static_cast<int32_t>(text.size()), 1, -7, "note");
    db.AddData("empty", nullptr, 0, 2, 0, "");
    db.AddData("c.ico", a.data(), 100, 2, 5, "");
    db.UpdateData("a.dll", bigger.data(), static_cast<int32_t>(bigger.size()));  // moves
    db.UpdateData("c.ico", a.data(), 50);                                        // in place
  }
  const auto raw = ParseContainer(ReadFileBytes(path));
  EXPECT_EQ(raw.version, 1);
  EXPECT_EQ(raw.mark, "m_install");
  EXPECT_EQ(raw.maxId, 4);
  EXPECT_EQ(raw.dataCount, 4);
  EXPECT_EQ(raw.delCount, 1);
  ASSERT_EQ(raw.live.size(), 4u);
  EXPECT_EQ(raw.live[0].name, chinese);
  EXPECT_EQ(raw.live[0].kind, 1);
  EXPECT_EQ(raw.live[0].tag, -7);
  EXPECT_EQ(raw.live[0].note, "note");
  EXPECT_EQ(std::string(raw.live[0].content.begin(), raw.live[0].content.end()), text);
  EXPECT_EQ(raw.live[1].name, "empty");
  EXPECT_EQ(raw.live[1].dataSize, 0);
  EXPECT_EQ(raw.live[2].name, "c.ico");
  EXPECT_EQ(raw.live[2].content, Bytes(a.begin(), a.begin() + 50));
  EXPECT_EQ(raw.live[3].name, "a.dll");
  EXPECT_EQ(raw.live[3].id, 1);  // kept its ID when it moved
  EXPECT_EQ(raw.live[3].content, bigger);
  // The chain is consistently linked both ways and ends at LastIdx.
  int64_t prev = 0;
  for (const auto& e : raw.live) {
    EXPECT_EQ(e.prev, prev);
    EXPECT_EQ(e.selfPos, e.offset);
    EXPECT_EQ(e.infoPos, e.offset + 25);
    EXPECT_EQ(e.inUse, 1);
    prev = e.offset;
  }
  EXPECT_EQ(raw.lastIdx, raw.live.back().offset);
  ASSERT_EQ(raw.deleted.size(), 1u);
  EXPECT_EQ(raw.deleted[0].offset, 44);
  EXPECT_EQ(raw.deleted[0].inUse, 0);
  EXPECT_EQ(raw.firstDelIdx, 44);
  EXPECT_EQ(raw.lastDelIdx, 44);
}

}  // namespace
}  // namespace tarn

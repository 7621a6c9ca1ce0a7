// How a container changes: updates stay in place or move to the end keeping their ID, IDs are
// never reused, deletions keep both chains linked, and empty contents keep their special rules.
// A slip here loses or duplicates entries in files that are only ever appended to.
#include <gtest/gtest.h>

#include <random>

#include "base/StringList.h"
#include "store/MyColocTTreemap.h"
#include "store/SelfFileClass.h"
#include "store/uXPFileDB.h"
#include "tests/store/RawContainer.h"
#include "tests/support/TempDir.h"

namespace tarn {
namespace {

using testing::Bytes;
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

std::vector<int32_t> Ids(TXPFileDB& db) {
  return db.DataIdxList()->Values();
}

Bytes Content(TXPFileDB& db, const std::string& name) {
  auto s = db.GetData(name);
  if (!s) return {};
  EXPECT_EQ(s->Position(), 0);
  return Bytes(s->Memory(), s->Memory() + s->Length());
}

void Add(TXPFileDB& db, const std::string& name, const Bytes& b) {
  db.AddData(name, b.data(), static_cast<int32_t>(b.size()), 2, 0, "");
}
void Update(TXPFileDB& db, const std::string& name, const Bytes& b) {
  db.UpdateData(name, b.data(), static_cast<int32_t>(b.size()));
}

struct Fixture : ::testing::Test {
  TempDir dir;
  std::string path = dir.File("c.bin");
  TXPFileDB db;
  void SetUp() override {
    db.SetDBMark("m_test");
    db.SetDBFile(path);
  }
  int32_t Offset(const std::string& name) { return db.Container()->FindData(name); }
};

using ContainerChangesTest = Fixture;

TEST_F(ContainerChangesTest, UpdatesStayInPlaceWhenTheyFitAndMoveWhenNot) {
  const Bytes a = Noise(2000, 1), b = Noise(2000, 2), c = Noise(2000, 3);
  Add(db, "a", a);
  Add(db, "b", b);
  Add(db, "c", c);
  const int32_t offsetB = Offset("b");
  const auto sizeBefore = ReadFileBytes(path).size();

  // Smaller (compressible) content fits in the old block: same offset, the file keeps its size.
  const Bytes small(5000, 'z');
  Update(db, "b", small);
  EXPECT_EQ(Offset("b"), offsetB);
  EXPECT_EQ(ReadFileBytes(path).size(), sizeBefore);
  EXPECT_EQ(Content(db, "b"), small);
  // The same content again packs to the same size: still in place.
  Update(db, "b", small);
  EXPECT_EQ(Offset("b"), offsetB);

  // Larger content moves the entry to the end: new offset, same ID, listed last.
  const int32_t offsetA = Offset("a");
  const Bytes big = Noise(4000, 4);
  Update(db, "a", big);
  EXPECT_EQ(Offset("a"), static_cast<int32_t>(sizeBefore));
  EXPECT_NE(Offset("a"), offsetA);
  EXPECT_EQ(Content(db, "a"), big);
  EXPECT_EQ(Ids(db), (std::vector<int32_t>{2, 3, 1}));
  // The moved-out record went to the deleted chain; IDs are never reused.
  auto& c1 = *db.Container();
  EXPECT_EQ(c1.GetDelCount(), 1);
  EXPECT_EQ(c1.GetFirstDelIdx(), offsetA);
  EXPECT_EQ(c1.GetMaxID(), 3);
  Add(db, "d", a);
  EXPECT_EQ(Ids(db), (std::vector<int32_t>{2, 3, 1, 4}));
  EXPECT_EQ(Content(db, "c"), c);
}

TEST_F(ContainerChangesTest, DeletingKeepsBothChainsLinkedAndIdsGrow) {
  for (int i = 0; i < 5; ++i)
    Add(db, "e" + std::to_string(i), Noise(100, static_cast<unsigned>(i)));
  auto& c = *db.Container();
  // Middle, first, last: each unlinks correctly.
  c.DeleteData(c.FindData("e2"));
  c.DeleteData(c.FindData("e0"));
  c.DeleteData(c.FindData("e4"));
  EXPECT_EQ(Ids(db), (std::vector<int32_t>{2, 4}));
  auto raw = ParseContainer(ReadFileBytes(path));
  EXPECT_EQ(raw.dataCount, 2);
  EXPECT_EQ(raw.delCount, 3);
  ASSERT_EQ(raw.live.size(), 2u);
  EXPECT_EQ(raw.live[0].prev, 0);
  EXPECT_EQ(raw.live[1].prev, raw.live[0].offset);
  EXPECT_EQ(raw.lastIdx, raw.live[1].offset);
  ASSERT_EQ(raw.deleted.size(), 3u);
  EXPECT_EQ(raw.deleted[0].id, 3);
  EXPECT_EQ(raw.deleted[1].id, 1);
  EXPECT_EQ(raw.deleted[2].id, 5);
  EXPECT_EQ(raw.deleted[1].prev, raw.deleted[0].offset);
  EXPECT_EQ(raw.lastDelIdx, raw.deleted[2].offset);
  // Emptied completely, the chain is empty and the next entry still gets MaxID + 1.
  c.DeleteData(c.FindData("e1"));
  c.DeleteData(c.FindData("e3"));
  EXPECT_TRUE(Ids(db).empty());
  EXPECT_EQ(c.GetFirstIdx(), 0);
  EXPECT_EQ(c.GetLastIdx(), 0);
  Add(db, "again", Bytes{1, 2, 3});
  EXPECT_EQ(Ids(db), (std::vector<int32_t>{6}));
  EXPECT_EQ(Content(db, "again"), (Bytes{1, 2, 3}));
}

TEST_F(ContainerChangesTest, EmptyContentHasNoBlock) {
  const auto before = ReadFileBytes(path).size();
  Add(db, "empty", {});
  EXPECT_EQ(ReadFileBytes(path).size(), before + 112);
  auto s = db.GetData("empty");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Size(), 0);
  TIndexRec rec;
  db.Container()->ReadIndex(Offset("empty"), rec);
  EXPECT_EQ(rec.DataSize, 0);
  EXPECT_EQ(db.GetData("absent"), nullptr);

  // An empty update keeps the old content; content for an empty entry moves it.
  Add(db, "full", Bytes(500, 7));
  Update(db, "full", {});
  EXPECT_EQ(Content(db, "full"), Bytes(500, 7));
  const int32_t emptyAt = Offset("empty");
  Update(db, "empty", Bytes{9});
  EXPECT_NE(Offset("empty"), emptyAt);
  EXPECT_EQ(Content(db, "empty"), Bytes{9});
}

TEST_F(ContainerChangesTest, AddingAnExistingNameUpdatesAndKeepsItsData) {
  db.AddData("n", "abc", 3, 7, 42, "keep me");
  const auto idsBefore = Ids(db);
  const Bytes bigger = Noise(3000, 9);
  db.AddData("n", bigger.data(), static_cast<int32_t>(bigger.size()), 1, 0, "other");
  EXPECT_EQ(Ids(db), idsBefore);
  EXPECT_EQ(Content(db, "n"), bigger);
  TStringList list;
  db.Container()->GetDataList(list);
  ASSERT_EQ(list.Count(), 1);
  const auto* node = dynamic_cast<const TMyColocTTreemap*>(list.Objects(0));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->Key(), "1");
  EXPECT_EQ(node->Name(), "n");
  EXPECT_EQ(node->Value(), "42");
  EXPECT_EQ(node->Offset(), Offset("n"));
  EXPECT_EQ(node->DataInfo().Kind, 7);
  EXPECT_EQ(node->DataInfo().Note.Str(), "keep me");
}

TEST_F(ContainerChangesTest, LongNamesAreCutToSixtyBytes) {
  // 31 Chinese characters: 62 bytes in code page 936.
  std::string name;
  for (int i = 0; i < 31; ++i)
    name += "\xB2\xA5";  // 播
  const std::string cut = name.substr(0, 60);
  Add(db, name, Bytes{1});
  EXPECT_FALSE(db.DataExists(name));
  EXPECT_TRUE(db.DataExists(cut));
  // The full name is not found, so adding it again adds a second entry.
  Add(db, name, Bytes{2});
  EXPECT_EQ(Ids(db), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(Content(db, cut), Bytes{1});  // the first in chain order
  // Cut by bytes, even through a double-byte character.
  const std::string odd = "a" + name;
  Add(db, odd, Bytes{3});
  EXPECT_TRUE(db.DataExists(odd.substr(0, 60)));
  const auto raw = ParseContainer(ReadFileBytes(path));
  EXPECT_EQ(raw.live.back().name.size(), 60u);
  // Notes are cut to 20 bytes.
  db.AddData("noted", "x", 1, 2, 0, std::string(30, 'n'));
  TStringList list;
  db.Container()->GetDataList(list);
  const auto* node = dynamic_cast<const TMyColocTTreemap*>(list.Objects(list.Count() - 1));
  EXPECT_EQ(node->DataInfo().Note.Str(), std::string(20, 'n'));
}

TEST(ContainerMarkTest, LongMarksAreCutInTheFileAndThenFailTheCheck) {
  TempDir dir;
  const std::string mark =
      "\xB1\xEA\xBC\xC7\xB1\xEA\xBC\xC7\xB1\xEA\xBC\xC7";  // 标记标记标记, 12 bytes
  {
    TXPFileDB db;
    db.SetDBMark(mark);
    try {
      db.SetDBFile(dir.File("long.bin"));
      FAIL() << "a mark over 10 bytes cannot match";
    } catch (const TXPException& e) {
      EXPECT_EQ(e.Message(), kXPExceptionMessage);
    }
  }
  const auto raw = ParseContainer(ReadFileBytes(dir.File("long.bin")));
  EXPECT_EQ(raw.mark, mark.substr(0, 10));
  // A mark of exactly 10 bytes round-trips.
  TXPFileDB ten;
  ten.SetDBMark(mark.substr(0, 10));
  ten.SetDBFile(dir.File("long.bin"));
  EXPECT_TRUE(ten.IsOpen());
}

}  // namespace
}  // namespace tarn

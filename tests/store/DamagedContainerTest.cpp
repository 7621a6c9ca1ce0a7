// A package file is input: a damaged or hostile one must give a clear error from the store,
// never a hang, a crash, a read outside the file or a huge allocation, and a change must not
// make a damaged file worse.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

#include "base/Exception.h"
#include "store/PackedBlock.h"
#include "store/uXPFileDB.h"
#include "tests/store/RawContainer.h"
#include "tests/support/TempDir.h"

namespace tarn {
namespace {

using testing::Bytes;
using testing::GetLE;
using testing::PutLE;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
namespace raw = testing::raw;

const char* const kNames[] = {"a", "b", "c"};

// Three entries back to back, the last block ending at the end of the file.
struct Sample {
  Bytes bytes;
  std::size_t at[3] = {};  // record offsets
  std::size_t Block(int i) const { return at[i] + 112; }
};

Sample MakeSample(const TempDir& dir) {
  const std::string path = dir.File("sample.bin");
  std::mt19937 rng(5);
  Bytes noise(3000);
  for (auto& v : noise)
    v = static_cast<uint8_t>(rng());
  {
    TXPFileDB db;
    db.SetDBMark("m_t");
    db.SetDBFile(path);
    db.AddData("a", noise.data(), 3000, 2, 0, "");
    db.AddData("b", std::string(5000, 'b').data(), 5000, 2, 0, "");
    db.AddData("c", noise.data(), 500, 2, 0, "");
  }
  Sample s;
  s.bytes = ReadFileBytes(path);
  const auto raw = testing::ParseContainer(s.bytes);
  for (int i = 0; i < 3; ++i)
    s.at[i] = static_cast<std::size_t>(raw.live[static_cast<std::size_t>(i)].offset);
  return s;
}

// Opens the bytes as a store and reads every entry.
void ReadAll(const TempDir& dir, const Bytes& bytes) {
  const std::string path = dir.File("damaged.bin");
  WriteFileBytes(path, bytes);
  TXPFileDB db;
  db.SetDBMark("m_t");
  db.SetDBFile(path);
  db.DataIdxList();
  for (const char* name : kNames)
    db.GetData(name);
  EXPECT_FALSE(db.DataExists("not there"));
}

// Which of the store's clear errors a read raised: "" when it raised none.
std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EContainerDamaged&) {
    return "damaged";
  } catch (const TXPException&) {
    return "mark";
  } catch (const EInflateError&) {
    return "inflate";
  } catch (const EReadError&) {
    return "read";
  }
  return "";
}

struct DamagedContainerTest : ::testing::Test {
  TempDir dir;
  Sample s = MakeSample(dir);
  std::string Read(const Bytes& b) {
    return ErrorOf([&] { ReadAll(dir, b); });
  }
  std::string Patched(std::size_t at, int width, int64_t value) {
    Bytes b = s.bytes;
    PutLE(b, at, width, value);
    return Read(b);
  }
};

TEST_F(DamagedContainerTest, TheSampleItselfReads) {
  EXPECT_EQ(Read(s.bytes), "");
}

TEST_F(DamagedContainerTest, EveryTruncationIsAClearError) {
  for (std::size_t n = 0; n < s.bytes.size(); ++n) {
    const std::string error =
        Read(Bytes(s.bytes.begin(), s.bytes.begin() + static_cast<std::ptrdiff_t>(n)));
    // Below the file head the mark cannot match; from there on the damage is named.
    if (n < 13) {
      EXPECT_EQ(error, "mark") << "cut at " << n;
    } else {
      EXPECT_TRUE(error == "damaged" || error == "read") << "cut at " << n << ": " << error;
    }
  }
}

TEST_F(DamagedContainerTest, LoopingChainsAreDetected) {
  // The last record links back to the first and LastIdx is never met.
  Bytes b = s.bytes;
  PutLE(b, s.at[2] + raw::kNext, 4, static_cast<int64_t>(s.at[0]));
  PutLE(b, raw::kLastIdx, 4, 0);
  EXPECT_EQ(Read(b), "damaged");
  // A record that links to itself.
  b = s.bytes;
  PutLE(b, s.at[1] + raw::kNext, 4, static_cast<int64_t>(s.at[1]));
  EXPECT_EQ(Read(b), "damaged");
  // ... even when it also claims itself as its predecessor.
  PutLE(b, s.at[1] + raw::kPrev, 4, static_cast<int64_t>(s.at[1]));
  EXPECT_EQ(Read(b), "damaged");
  // A chain that stops before LastIdx, and a last record that links on.
  EXPECT_EQ(Patched(s.at[1] + raw::kNext, 4, 0), "damaged");
  EXPECT_EQ(Patched(s.at[2] + raw::kNext, 4, static_cast<int64_t>(s.at[0])), "damaged");
}

TEST_F(DamagedContainerTest, OffsetsOutsideTheFileAreErrors) {
  EXPECT_EQ(Patched(raw::kFirstIdx, 4, 1000000), "read");
  EXPECT_EQ(Patched(raw::kFirstIdx, 4, INT32_MAX), "read");
  EXPECT_EQ(Patched(raw::kFirstIdx, 4, 8), "damaged");    // inside the head
  EXPECT_EQ(Patched(raw::kFirstIdx, 4, -44), "damaged");  // negative
  EXPECT_EQ(Patched(s.at[0] + raw::kNext, 4, static_cast<int64_t>(s.bytes.size()) + 5), "read");
  EXPECT_EQ(Patched(s.at[0] + raw::kNext, 4, static_cast<int64_t>(s.at[0]) + 3), "damaged");
  EXPECT_EQ(Patched(s.at[1] + raw::kSelf, 4, 12345), "damaged");
}

TEST_F(DamagedContainerTest, ImpossibleSizesAreErrors) {
  EXPECT_EQ(Patched(s.at[0] + raw::kSize, 4, -1), "damaged");
  EXPECT_EQ(Patched(s.at[0] + raw::kSize, 4, INT32_MIN), "damaged");
  EXPECT_EQ(Patched(s.at[0] + raw::kSize, 4, INT32_MAX), "damaged");
  EXPECT_EQ(Patched(s.at[0] + raw::kSize, 4, 5), "damaged");  // shorter than the length field
  // A block claiming 2 GiB or more unpacked, or a length that cannot be.
  for (int64_t claim :
       {int64_t{INT32_MAX}, int64_t{1} << 31, int64_t{1} << 40, int64_t{-1}, int64_t{100000000}}) {
    EXPECT_EQ(Patched(s.Block(0), 8, claim), "damaged") << claim;
  }
  // A name or note longer than its field.
  EXPECT_EQ(Patched(s.at[1] + 25 + raw::kName, 1, 61), "damaged");
  EXPECT_EQ(Patched(s.at[1] + 25 + raw::kNote, 1, 200), "damaged");
  // A deleted record in the live chain.
  EXPECT_EQ(Patched(s.at[1] + raw::kInUse, 1, 0), "damaged");
}

TEST_F(DamagedContainerTest, BlocksThatDoNotInflate) {
  EXPECT_EQ(Patched(s.Block(0) + 8, 2, 0), "inflate");  // zlib header
  // The Adler-32 trailer (the last four bytes of the last block).
  Bytes b = s.bytes;
  b[b.size() - 1] ^= 0x55;
  EXPECT_EQ(Read(b), "inflate");
  // Garbage in the middle of the deflate data: either not inflatable or short.
  b = s.bytes;
  for (std::size_t i = s.Block(1) + 12; i < s.Block(1) + 20; ++i)
    b[i] = 0xFF;
  const std::string error = Read(b);
  EXPECT_TRUE(error == "inflate" || error == "read") << error;
  // A stated length one more or one less than the stream holds.
  EXPECT_EQ(Patched(s.Block(0), 8, 3001), "read");
  EXPECT_EQ(Patched(s.Block(0), 8, 2999), "inflate");
}

// Changes on a damaged file are refused before anything is written.
TEST_F(DamagedContainerTest, ChangesRefuseDamageWithoutWriting) {
  const std::string path = dir.File("refuse.bin");
  std::mt19937 rng(8);
  std::string big(20000, ' ');
  for (char& c : big)
    c = static_cast<char>(rng());
  auto expectRefused = [&](Bytes b, const std::function<void(TXPFileDB&)>& change,
                           const char* what) {
    WriteFileBytes(path, b);
    TXPFileDB db;
    db.SetDBMark("m_t");
    db.SetDBFile(path);
    EXPECT_THROW(change(db), TXPException) << what;
    EXPECT_EQ(ReadFileBytes(path), b) << what;
  };
  auto add = [](TXPFileDB& db) { db.AddData("new", "x", 1, 2, 0, ""); };
  auto grow = [&](TXPFileDB& db) {
    db.UpdateData("a", big.data(), static_cast<int32_t>(big.size()));
  };

  Bytes b = s.bytes;
  PutLE(b, raw::kLastIdx, 4, static_cast<int64_t>(s.at[0]));  // not the end of the chain
  expectRefused(b, add, "last record links on");
  b = s.bytes;
  PutLE(b, raw::kDataCount, 2, 0xFFFF);
  expectRefused(b, add, "65535 live entries");
  b = s.bytes;
  PutLE(b, raw::kMaxID, 4, INT32_MAX);
  expectRefused(b, add, "no ID left");
  b = s.bytes;
  PutLE(b, raw::kDelCount, 2, 0xFFFF);
  expectRefused(b, grow, "65535 deletions: a move would lose the entry");
  b = s.bytes;
  PutLE(b, raw::kFirstDelIdx, 4, static_cast<int64_t>(s.at[0]));  // a live record as the end
  PutLE(b, raw::kLastDelIdx, 4, static_cast<int64_t>(s.at[0]));   // of the deleted chain
  const auto c = static_cast<int32_t>(s.at[2]);
  expectRefused(
      b, [c](TXPFileDB& db) { db.Container()->DeleteData(c); }, "deleted chain");
}

TEST_F(DamagedContainerTest, AFileCannotGrowPastTwoGiB) {
  const std::string path = dir.File("huge.bin");
  WriteFileBytes(path, s.bytes);
  std::filesystem::resize_file(path, (uint64_t{1} << 31) - 200);  // sparse: a dead tail
  TXPFileDB db;
  db.SetDBMark("m_t");
  db.SetDBFile(path);
  EXPECT_EQ(db.DataIdxList()->Count(), 3);
  std::mt19937 rng(9);
  std::string content(1000, ' ');
  for (char& c : content)
    c = static_cast<char>(rng());  // packs to more than the 87 bytes left
  EXPECT_THROW(db.AddData("new", content.data(), 1000, 2, 0, ""), TXPException);
  EXPECT_EQ(std::filesystem::file_size(path), (uint64_t{1} << 31) - 200);
  EXPECT_EQ(db.DataIdxList()->Count(), 3);
}

}  // namespace
}  // namespace tarn

// Reading an entry holds its packed block and its unpacked content and little else, and a block
// that claims a huge length is refused before anything is allocated; the installer reads a
// 17 MB entry and must not hold several copies of it. This test counts every operator new.
#include <gtest/gtest.h>

#include <random>

#include "store/XPException.h"
#include "store/uXPFileDB.h"
#include "tests/store/RawContainer.h"
#include "tests/support/HeapMeter.h"
#include "tests/support/TempDir.h"

using tarn::testing::HeapPeakMeter;

namespace tarn {
namespace {

using testing::TempDir;

TEST(StoreMemoryTest, ReadingAnEntryHoldsPackedPlusUnpacked) {
  TempDir dir;
  const std::string path = dir.File("mem.bin");
  // Half noise, half text: packs to roughly half, like program files.
  std::mt19937 rng(11);
  std::string content;
  while (content.size() < (8u << 20)) {
    if (rng() % 2) {
      for (int i = 0; i < 4096; ++i)
        content.push_back(static_cast<char>(rng()));
    } else {
      for (int i = 0; i < 200; ++i)
        content += "mov eax, " + std::to_string(rng() % 64) + "; ";
    }
  }
  TXPFileDB db;
  db.SetDBFile(path);
  db.AddData("big", content.data(), static_cast<int32_t>(content.size()), 2, 0, "");
  TIndexRec rec;
  db.Container()->ReadIndex(db.Container()->FindData("big"), rec);
  const std::size_t packed = static_cast<std::size_t>(rec.DataSize);

  std::size_t peak = 0;
  {
    HeapPeakMeter meter;
    auto stream = db.GetData("big");
    peak = meter.Peak();
    ASSERT_EQ(stream->Length(), content.size());
  }
  EXPECT_GE(peak, packed + content.size());
  EXPECT_LE(peak, packed + content.size() + 64 * 1024)
      << "packed " << packed << ", unpacked " << content.size();
}

TEST(StoreMemoryTest, AHugeClaimIsRefusedBeforeAllocating) {
  TempDir dir;
  const std::string path = dir.File("claim.bin");
  {
    TXPFileDB db;
    db.SetDBFile(path);
    db.AddData("x", std::string(100000, 'x').data(), 100000, 2, 0, "");
  }
  auto bytes = testing::ReadFileBytes(path);
  testing::PutLE(bytes, 156, 8, INT32_MAX);  // the first block's length: 2 GiB - 1
  testing::WriteFileBytes(path, bytes);
  TXPFileDB db;
  db.SetDBFile(path);
  HeapPeakMeter meter;
  EXPECT_THROW(db.GetData("x"), EContainerDamaged);
  EXPECT_LT(meter.Peak(), 64u * 1024);
}

}  // namespace
}  // namespace tarn

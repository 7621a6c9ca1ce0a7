// Reading an entry holds its packed block and its unpacked content and little else, and a block
// that claims a huge length is refused before anything is allocated; the installer reads a
// 17 MB entry and must not hold several copies of it. This test counts every operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

#include "store/XPException.h"
#include "store/uXPFileDB.h"
#include "tests/store/RawContainer.h"
#include "tests/support/TempDir.h"

namespace {

std::atomic<std::size_t> gLive{0};
std::atomic<std::size_t> gPeak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t n) {
  auto* p = static_cast<unsigned char*>(std::malloc(n + kHeader));
  if (p == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(p) = n;
  const std::size_t live = gLive += n;
  std::size_t peak = gPeak.load();
  while (live > peak && !gPeak.compare_exchange_weak(peak, live)) {
  }
  return p + kHeader;
}

void Release(void* q) {
  if (q == nullptr) return;
  auto* p = static_cast<unsigned char*>(q) - kHeader;
  gLive -= *reinterpret_cast<std::size_t*>(p);
  std::free(p);
}

// Peak of live heap bytes above the level at the start of the measurement.
class PeakMeter {
 public:
  PeakMeter() : base_(gLive.load()) { gPeak = base_; }
  std::size_t Peak() const { return gPeak.load() - base_; }

 private:
  std::size_t base_;
};

}  // namespace

void* operator new(std::size_t n) {
  return Allocate(n);
}
void* operator new[](std::size_t n) {
  return Allocate(n);
}
void operator delete(void* p) noexcept {
  Release(p);
}
void operator delete[](void* p) noexcept {
  Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  Release(p);
}

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
    PeakMeter meter;
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
  PeakMeter meter;
  EXPECT_THROW(db.GetData("x"), EContainerDamaged);
  EXPECT_LT(meter.Peak(), 64u * 1024);
}

}  // namespace
}  // namespace tarn

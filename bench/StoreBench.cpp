// Reading a package through the store against inflating the same zlib streams straight from
// memory, in one run. The package is shaped like the shipped install package: 59 entries of
// 40,442,048 bytes unpacked in all, the largest 17,773,936, packing to roughly 45 % like
// program files do. Prints the ratio of the two and the peak heap of reading the largest entry.
//   store_bench [benchmark options]
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "store/uXPFileDB.h"
#include "tests/support/HeapMeter.h"

namespace {

using tarn::TXPFileDB;

struct Entry {
  const char* name;
  std::size_t size;
  double randomShare;  // share of incompressible runs: sets how well the entry packs
};

// Sizes like the shipped package; the three it names are exact, the others are scaled so that
// the total is exact too.
std::vector<Entry> PackageShape() {
  std::vector<Entry> e = {{"GdiPlus.dll", 1724416, 0.50},    {"TarnSC.dll", 420000, 0.45},
                          {"TarnPlayer.exe", 3100000, 0.42}, {"TarnUP.exe", 800000, 0.45},
                          {"UnInstall.exe", 150000, 0.45},   {"TarnFS.dll", 600000, 0.45},
                          {"TarnCore.exe", 17773936, 0.38},  {"l3codeca.acm", 120000, 0.55},
                          {"l3codecx.ax", 130000, 0.55},     {"wmv8ds32.ax", 400000, 0.50},
                          {"wmvds32.ax", 380000, 0.50},      {"atrc.dll", 90000, 0.50},
                          {"atrc3260.dll", 95000, 0.50},     {"cook.dll", 110000, 0.50},
                          {"cook3260.dll", 115000, 0.50},    {"drv1.dll", 200000, 0.45},
                          {"drv13260.dll", 210000, 0.45},    {"drv2.dll", 300000, 0.45},
                          {"drv23260.dll", 310000, 0.45},    {"drv33260.dll", 320000, 0.45},
                          {"drv43260.dll", 400000, 0.45},    {"drvc.dll", 500000, 0.45},
                          {"hxltcolor.dll", 60000, 0.40},    {"pncrt.dll", 330000, 0.40},
                          {"raac.dll", 120000, 0.50},        {"raac3260.dll", 125000, 0.50},
                          {"rv10.dll", 80000, 0.50},         {"rv103260.dll", 85000, 0.50},
                          {"rv20.dll", 90000, 0.50},         {"rv203260.dll", 95000, 0.50},
                          {"rv30.dll", 250000, 0.50},        {"rv303260.dll", 260000, 0.50},
                          {"rv40.dll", 300000, 0.50},        {"rv403260.dll", 310000, 0.50},
                          {"sipr.dll", 80000, 0.50},         {"sipr3260.dll", 85000, 0.50},
                          {"vp6vfw.dll", 500000, 0.55},      {"vp7vfw.dll", 700000, 0.55},
                          {"VSFilter.dll", 1500000, 0.45},   {"wma9dmod.dll", 600000, 0.50},
                          {"wmadmod.dll", 300000, 0.50},     {"wmsdmod.dll", 400000, 0.50},
                          {"wmspdmod.dll", 550000, 0.50},    {"wmv9dmod.dll", 1600000, 0.50},
                          {"wmvadvd.dll", 1200000, 0.50},    {"wmvdmod.dll", 1100000, 0.50},
                          {"wvc1dmod.dll", 1400000, 0.50},   {"audio.ico", 40000, 0.20},
                          {"avi.ico", 40000, 0.20},          {"cd.ico", 30000, 0.20},
                          {"dvd.ico", 30000, 0.20},          {"mkv.ico", 40000, 0.20},
                          {"mp4.ico", 40000, 0.20},          {"mpg.ico", 40000, 0.20},
                          {"quicktime.ico", 50000, 0.20},    {"real.ico", 40000, 0.20},
                          {"swf.ico", 30000, 0.20},          {"wmv.ico", 40000, 0.20},
                          {"default.skn", 357640, 0.90}};
  constexpr std::size_t kTotal = 40442048;
  const std::size_t fixed = 1724416 + 17773936 + 357640;
  std::size_t others = 0;
  for (const Entry& x : e)
    others += x.size;
  others -= fixed;
  const double scale = static_cast<double>(kTotal - fixed) / static_cast<double>(others);
  std::size_t sum = 0;
  for (Entry& x : e) {
    const std::string n = x.name;
    if (n != "GdiPlus.dll" && n != "TarnCore.exe" && n != "default.skn") {
      x.size = static_cast<std::size_t>(static_cast<double>(x.size) * scale);
    }
    sum += x.size;
  }
  e[2].size += kTotal - sum;  // rounding
  return e;
}

// Program-like bytes: incompressible runs mixed with copies of earlier material.
std::string Synthesize(std::size_t size, double randomShare, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> coin(0, 1);
  std::string out;
  out.reserve(size);
  while (out.size() < size) {
    const std::size_t len = 16 + rng() % 112;
    if (out.size() < 4096 || coin(rng) < randomShare) {
      for (std::size_t i = 0; i < len; ++i)
        out.push_back(static_cast<char>(rng()));
    } else {
      const std::size_t back = 1 + rng() % std::min<std::size_t>(out.size() - len, 30000);
      const std::size_t from = out.size() - back - len;
      for (std::size_t i = 0; i < len; ++i)
        out.push_back(out[from + i]);
    }
  }
  out.resize(size);
  return out;
}

struct Package {
  std::filesystem::path dir;
  std::string file;
  std::vector<Entry> entries;
  std::vector<std::string> blocks;  // the packed blocks as stored, for the raw baseline
  std::size_t packedTotal = 0;
  std::size_t largestPacked = 0;
  std::size_t largestUnpacked = 0;
  std::string largestName;

  Package() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarn-store-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    dir = pattern;
    file = (dir / "package.bin").string();
    entries = PackageShape();
    {
      TXPFileDB db;
      db.SetDBMark("m_install");
      db.SetDBFile(file);
      unsigned seed = 1;
      for (const Entry& e : entries) {
        const std::string content = Synthesize(e.size, e.randomShare, seed++);
        db.AddData(e.name, content.data(), static_cast<int32_t>(content.size()), 2, 0, "");
      }
    }
    // The blocks, read with the container's own records, into memory.
    TXPFileDB db;
    db.SetDBMark("m_install");
    db.SetDBFile(file);
    auto& c = *db.Container();
    for (const Entry& e : entries) {
      tarn::TIndexRec rec;
      c.ReadIndex(c.FindData(e.name), rec);
      tarn::TDataInfo info;
      c.ReadDataInfo(info);
      std::string block(static_cast<std::size_t>(rec.DataSize), '\0');
      std::FILE* f = std::fopen(file.c_str(), "rb");
      std::fseek(f, rec.SelfPos + 112, SEEK_SET);
      if (std::fread(block.data(), 1, block.size(), f) != block.size()) std::abort();
      std::fclose(f);
      packedTotal += block.size();
      if (e.size > largestUnpacked) {
        largestUnpacked = e.size;
        largestPacked = block.size();
        largestName = e.name;
      }
      blocks.push_back(std::move(block));
    }
  }
  ~Package() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

Package& ThePackage() {
  static Package package;
  return package;
}

void BM_StoreGetData(benchmark::State& state) {
  Package& p = ThePackage();
  TXPFileDB db;
  db.SetDBMark("m_install");
  db.SetDBFile(p.file);
  for (auto _ : state) {
    for (const Entry& e : p.entries) {
      auto stream = db.GetData(e.name);
      benchmark::DoNotOptimize(stream->Memory());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 40442048);
}

void BM_RawInflate(benchmark::State& state) {
  Package& p = ThePackage();
  for (auto _ : state) {
    for (const std::string& block : p.blocks) {
      uLongf n = 0;
      for (int i = 0; i < 8; ++i)
        n |= uLongf{static_cast<uint8_t>(block[static_cast<std::size_t>(i)])} << 8 * i;
      auto out = std::unique_ptr<uint8_t[]>(new uint8_t[n]);
      if (uncompress(out.get(), &n, reinterpret_cast<const Bytef*>(block.data() + 8),
                     static_cast<uLong>(block.size() - 8)) != Z_OK) {
        state.SkipWithError("inflate failed");
      }
      benchmark::DoNotOptimize(out.get());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 40442048);
}

BENCHMARK(BM_RawInflate)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_StoreGetData)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Keeps the medians so the ratios can be printed after the run. CPU time (user and system, so
// the store's file reads count) is the steadier figure on a shared machine; wall time is shown
// too.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.aggregate_name != "median") continue;
      cpu[r.run_name.function_name] = r.GetAdjustedCPUTime();
      wall[r.run_name.function_name] = r.GetAdjustedRealTime();
    }
  }
  std::map<std::string, double> cpu;
  std::map<std::string, double> wall;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Package& p = ThePackage();
  std::printf("package: %zu entries, %zu bytes packed (%.1f %% of 40442048), file %zu bytes\n",
              p.entries.size(), p.packedTotal,
              100.0 * static_cast<double>(p.packedTotal) / 40442048.0,
              static_cast<std::size_t>(std::filesystem::file_size(p.file)));

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.cpu.count("BM_RawInflate") != 0 && reporter.cpu.count("BM_StoreGetData") != 0) {
    std::printf(
        "ratio GetData / raw inflate (medians): CPU %.3f, wall %.3f (target at most 1.25)\n",
        reporter.cpu["BM_StoreGetData"] / reporter.cpu["BM_RawInflate"],
        reporter.wall["BM_StoreGetData"] / reporter.wall["BM_RawInflate"]);
  }

  // Peak heap of reading the largest entry through the store, against packed + unpacked.
  {
    TXPFileDB db;
    db.SetDBMark("m_install");
    db.SetDBFile(p.file);
    tarn::testing::HeapPeakMeter meter;
    auto stream = db.GetData(p.largestName);
    const std::size_t peak = meter.Peak();
    const std::size_t bound = p.largestPacked + p.largestUnpacked;
    std::printf(
        "peak heap reading %s: %zu bytes; packed + unpacked %zu bytes; above that %lld bytes\n",
        p.largestName.c_str(), peak, bound,
        static_cast<long long>(peak) - static_cast<long long>(bound));
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("max resident set of the whole run: %ld KiB\n", usage.ru_maxrss);
  benchmark::Shutdown();
  return 0;
}

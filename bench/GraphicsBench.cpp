// Graphics benchmarks: the operations the transitions run per frame on the wizard's 503 x 186
// picture frame, each set against memcpy of the same frame's bytes measured in the same run.
// The closing lines print each result as a ratio to that baseline.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"
#include "graphics/Region.h"

namespace {

using namespace tarn;

constexpr int kW = 503, kH = 186;

Bitmap32 Frame() {
  Bitmap32 b(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      b.SetPixelAt(x, y, static_cast<Pixel32>(x * 7 + y * 13));
  return b;
}

// A grid of cells, each partly covered: cols x rows disjoint rectangles over the frame.
std::vector<TRect> GridRects(int cols, int rows) {
  std::vector<TRect> out;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      // Alternate rows are offset, so that no two bands merge and all rectangles stay apart.
      const int l = c * kW / cols + (r % 2) * 3, t = r * kH / rows;
      const int rr = (c + 1) * kW / cols, b = (r + 1) * kH / rows;
      out.push_back({l, t, l + (rr - l) * 3 / 5 + 1, b});
    }
  return out;
}

void BM_Memcpy(benchmark::State& state) {
  const Bitmap32 src = Frame();
  Bitmap32 dst(kW, kH);
  for (auto _ : state) {
    std::memcpy(dst.Bits(), src.Bits(), static_cast<std::size_t>(kW) * kH * 4);
    benchmark::DoNotOptimize(dst.Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Memcpy);

void BM_CopyBlock(benchmark::State& state) {
  const Bitmap32 src = Frame();
  Bitmap32 dst(kW, kH);
  for (auto _ : state) {
    dst.CopyBlock(0, 0, kW, kH, src, 0, 0);
    benchmark::DoNotOptimize(dst.Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyBlock);

void BM_CopyBlockSelfOverlap(benchmark::State& state) {
  Bitmap32 b = Frame();
  for (auto _ : state) {
    b.CopyBlock(3, 2, kW - 3, kH - 2, b, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyBlockSelfOverlap);

void BM_CopyBlockClipped1000(benchmark::State& state) {
  const auto rects = GridRects(40, 25);
  const Region clip = Region::FromRects(rects.data(), rects.size());
  state.counters["rects"] = static_cast<double>(clip.Rects().size());
  const Bitmap32 src = Frame();
  Bitmap32 dst(kW, kH);
  dst.SelectClip(clip);
  for (auto _ : state) {
    dst.CopyBlock(0, 0, kW, kH, src, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyBlockClipped1000);

void BM_StretchUp2x(benchmark::State& state) {
  Bitmap32 src(kW / 2, kH / 2);
  src.CopyBlock(0, 0, kW / 2, kH / 2, Frame(), 0, 0);
  Bitmap32 dst(kW, kH);
  for (auto _ : state) {
    dst.StretchBlock(0, 0, kW, kH, src, 0, 0, kW / 2, kH / 2);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StretchUp2x);

void BM_StretchMirrored(benchmark::State& state) {
  const Bitmap32 src = Frame();
  Bitmap32 dst(kW, kH);
  for (auto _ : state) {
    dst.StretchBlock(kW - 1, 0, -kW, kH, src, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StretchMirrored);

void BM_StretchSqueeze(benchmark::State& state) {
  const Bitmap32 src = Frame();
  Bitmap32 dst(kW, kH);
  for (auto _ : state) {
    dst.StretchBlock(0, 0, kW * 2 / 3, kH, src, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StretchSqueeze);

void BM_RegionFrom5000Rects(benchmark::State& state) {
  // Overlapping random rectangles, as the shred effects produce.
  std::mt19937 rng(1);
  std::vector<TRect> rects;
  for (int i = 0; i < 5000; ++i) {
    const int x = static_cast<int>(rng() % kW), y = static_cast<int>(rng() % kH);
    rects.push_back(
        {x, y, x + 1 + static_cast<int>(rng() % 12), y + 1 + static_cast<int>(rng() % 8)});
  }
  for (auto _ : state) {
    Region r = Region::FromRects(rects.data(), rects.size());
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_RegionFrom5000Rects);

void BM_RegionFrom5000GridRects(benchmark::State& state) {
  // Disjoint cells of a 100 x 50 grid, as the bar and blind effects produce.
  const auto rects = GridRects(100, 50);
  for (auto _ : state) {
    Region r = Region::FromRects(rects.data(), rects.size());
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_RegionFrom5000GridRects);

void BM_PolygonRegion(benchmark::State& state) {
  // A 16-point star over the frame, winding rule.
  std::vector<TPoint> star;
  for (int i = 0; i < 16; ++i) {
    const double a = i * 3.14159265358979 / 8, radius = i % 2 ? kH * 0.2 : kH * 0.9;
    star.push_back({static_cast<int>(kW / 2 + radius * 1.5 * std::cos(a)),
                    static_cast<int>(kH / 2 + radius * std::sin(a))});
  }
  for (auto _ : state) {
    Region r = Region::Polygon(star.data(), star.size(), PolyFillMode::Winding);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_PolygonRegion);

void BM_EllipseRegion(benchmark::State& state) {
  for (auto _ : state) {
    Region r = Region::Ellipse(-40, -20, kW + 40, kH + 20);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_EllipseRegion);

// Collects each benchmark's time per iteration and prints the ratios to BM_Memcpy at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatios() const {
    const auto base = times_.find("BM_Memcpy");
    if (base == times_.end() || base->second <= 0) return;
    std::printf("\nRatio of CPU time to memcpy of the %d x %d frame (%.2f us):\n", kW, kH,
                base->second / 1000.0);
    for (const auto& [name, time] : times_)
      if (name != "BM_Memcpy") std::printf("  %-28s %6.2fx\n", name.c_str(), time / base->second);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}

// Transition benchmarks: one frame of every style at the installer's 503 x 186 and at
// 1920 x 1080, at progress 25, 50 and 75, each set against a plain full-frame copy of the same
// bitmap measured in the same run. The closing table gives, per size and progress, the median
// and the worst style as ratios to that copy, and the slowest styles overall.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "graphics/Bitmap32.h"
#include "slideshow/effects/EffectTable.h"

namespace {

using namespace tarn;

struct Size {
  int W, H;
};
constexpr Size kSizes[] = {{503, 186}, {1920, 1080}};
constexpr int kProgress[] = {25, 50, 75};
constexpr double kMinTime = 0.05;  // seconds per style; 1026 frames in about a minute

// Pictures with detail everywhere, so no effect meets a uniform frame.
Bitmap32 Picture(int W, int H, uint32_t seed) {
  Bitmap32 b(W, H);
  for (int y = 0; y < H; ++y) {
    Pixel32* row = b.ScanLine(y);
    for (int x = 0; x < W; ++x) {
      seed = seed * 1664525u + 1013904223u;
      row[x] = 0xFF000000u | (seed >> 8);
    }
  }
  return b;
}

std::string Key(const Size& s, int progress, int style) {
  return std::to_string(s.W) + "x" + std::to_string(s.H) + "/" + std::to_string(progress) + "/" +
         std::to_string(style);
}
std::string CopyKey(const Size& s) {
  return std::to_string(s.W) + "x" + std::to_string(s.H) + "/copy";
}

// Screen is not restored between iterations: what a frame costs does not depend on what the
// previous frame left, and restoring it would be another full copy inside the timing.
void RegisterCopy(const Size& s) {
  benchmark::RegisterBenchmark(CopyKey(s).c_str(),
                               [s](benchmark::State& state) {
                                 const Bitmap32 picture = Picture(s.W, s.H, 2);
                                 Bitmap32 screen = Picture(s.W, s.H, 1);
                                 for (auto _ : state) {
                                   screen.CopyBlock(0, 0, s.W, s.H, picture, 0, 0);
                                   benchmark::ClobberMemory();
                                 }
                               })
      ->MinTime(kMinTime)
      ->Repetitions(5);
}

// The copy is measured before and after the styles, five times each, and its fastest run is
// the baseline, so that a moment of load on a shared machine cannot flatter the ratios.
void RegisterAll() {
  for (const Size& s : kSizes) {
    RegisterCopy(s);
    for (const int progress : kProgress) {
      for (int style = 1; style <= EffectCount; ++style) {
        benchmark::RegisterBenchmark(Key(s, progress, style).c_str(), [s, progress, style](
                                                                          benchmark::State& state) {
          const Bitmap32 picture = Picture(s.W, s.H, 2);
          Bitmap32 screen = Picture(s.W, s.H, 1);
          for (auto _ : state) {
            DrawEffectFrame(style, screen, picture, progress);
            benchmark::ClobberMemory();
          }
        })->MinTime(kMinTime);
      }
    }
    RegisterCopy(s);
  }
}

// Ratios use CPU time, not wall time: they are for one core, and the machine may be shared.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;  // aggregates of repetitions
      const double t = run.GetAdjustedCPUTime();
      auto [it, added] = times_.emplace(run.run_name.function_name, t);
      if (!added) it->second = std::min(it->second, t);  // the fastest run of a repeated one
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios() const {
    std::printf("\nOne frame as a ratio to a plain full-frame copy of the same size (same run):\n");
    std::printf("  %-10s %10s %9s %8s %8s  %s\n", "size", "copy", "progress", "median", "worst",
                "worst style");
    for (const Size& s : kSizes) {
      const auto copy = times_.find(CopyKey(s));
      if (copy == times_.end() || copy->second <= 0) continue;
      std::vector<std::pair<double, int>> all;  // every style at every progress
      for (const int progress : kProgress) {
        std::vector<std::pair<double, int>> ratios;
        for (int style = 1; style <= EffectCount; ++style) {
          const auto t = times_.find(Key(s, progress, style));
          if (t != times_.end()) ratios.emplace_back(t->second / copy->second, style);
        }
        if (ratios.empty()) continue;
        std::sort(ratios.begin(), ratios.end());
        all.insert(all.end(), ratios.begin(), ratios.end());
        const double median =
            ratios.size() % 2 == 1
                ? ratios[ratios.size() / 2].first
                : (ratios[ratios.size() / 2 - 1].first + ratios[ratios.size() / 2].first) / 2;
        const auto& worst = ratios.back();
        std::printf("  %4dx%-5d %8.1f us %9d %7.2fx %7.2fx  %d %s\n", s.W, s.H,
                    copy->second / 1000.0, progress, median, worst.first, worst.second,
                    FindEffect(worst.second)->Name);
      }
      std::sort(all.rbegin(), all.rend());
      std::printf("  slowest at %dx%d:", s.W, s.H);
      for (std::size_t i = 0; i < std::min<std::size_t>(all.size(), 6); ++i) {
        std::printf(" %d (%.1fx)", all[i].second, all[i].first);
      }
      std::printf("\n");
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterAll();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}

#include "tools/tarnpack/Progress.h"

#include <unistd.h>

#include <cstdio>

namespace tarn::tarnpack {

Progress::Progress(int total, bool enabled) : total_(total), enabled_(enabled && isatty(2) == 1) {}

Progress::~Progress() {
  Clear();
}

void Progress::Step(const std::string& what) {
  ++done_;
  if (!enabled_) return;
  std::fprintf(stderr, "\r\x1b[K[%d/%d] %s", done_, total_, what.c_str());
  std::fflush(stderr);
  shown_ = true;
}

void Progress::Clear() {
  if (!shown_) return;
  std::fprintf(stderr, "\r\x1b[K");
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace tarn::tarnpack

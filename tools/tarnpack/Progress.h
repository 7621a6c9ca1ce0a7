// A one-line progress display on a terminal ("[12/59] TarnCore.exe"), redrawn in place and
// cleared at the end; nothing at all when the output is not a terminal.
#pragma once

#include <string>

namespace tarn::tarnpack {

class Progress {
 public:
  Progress(int total, bool enabled);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void Step(const std::string& what);
  // Clears the line (before another message is printed, and at the end).
  void Clear();

 private:
  int total_;
  int done_ = 0;
  bool enabled_;
  bool shown_ = false;
};

}  // namespace tarn::tarnpack

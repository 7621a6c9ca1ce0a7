// The command line of effect-frame.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/Exception.h"

namespace tarn::effectframe {

// A command line that cannot be carried out; the message says why.
class EUsage : public Exception {
 public:
  using Exception::Exception;
};

enum class Command { Frame, Sheet, List, Help };

struct Options {
  Command Mode = Command::Help;
  std::string Old = "pattern:old";  // a picture file or pattern:NAME
  std::string New = "pattern:new";
  int Style = 0;
  int Progress = 50;
  std::string Output;
  int Width = 0;  // 0: from the old picture (503 x 186 for patterns)
  int Height = 0;
  std::vector<int> Styles;  // the sheet's styles (all when empty)
  std::vector<int> ProgressList{10, 25, 50, 75, 90};
  int Scale = 3;
  int Columns = 3;
};

Options ParseOptions(const std::vector<std::string>& args);

// "5", "1-57,128-135": numbers and ranges, each within lo..hi.
std::vector<int> ParseNumberList(std::string_view text, int lo, int hi);
// A style number 1..171 or a style name (ASCII case ignored).
int ParseStyle(std::string_view text);

extern const char* const kUsage;

}  // namespace tarn::effectframe

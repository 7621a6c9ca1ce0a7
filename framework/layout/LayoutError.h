// The error of a layout that cannot be read or loaded: the message names the layout and the
// line, e.g. "TTestForm line 12: unknown property 'Colour' of TLabel".
#pragma once

#include <string>

#include "base/Exception.h"

namespace tarn {

class ELayoutError : public Exception {
 public:
  ELayoutError(const std::string& source, int line, const std::string& message)
      : Exception(source + " line " + std::to_string(line) + ": " + message), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

}  // namespace tarn

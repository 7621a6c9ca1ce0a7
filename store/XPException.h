// The store's failures. TXPException carries the store's one message for a file that is not
// the container it should be; EContainerDamaged is a TXPException whose message names the
// damage found in a file that claims to be a container (a bad offset, a loop, a size that
// cannot be), so callers that catch the store's errors catch both.
#pragma once

#include <string>

#include "base/Exception.h"

namespace tarn {

// "数据库文件异常。" in code page 936.
inline constexpr const char* kXPExceptionMessage =
    "\xCA\xFD\xBE\xDD\xBF\xE2\xCE\xC4\xBC\xFE\xD2\xEC\xB3\xA3\xA1\xA3";

class TXPException : public Exception {
 public:
  using Exception::Exception;
};

class EContainerDamaged : public TXPException {
 public:
  explicit EContainerDamaged(const std::string& detail)
      : TXPException("Damaged container: " + detail) {}
};

}  // namespace tarn

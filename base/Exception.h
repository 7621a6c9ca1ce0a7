// Exceptions carry a message text, as every failure the wizard reports does.
// Messages are code-page-936 bytes like every other string inside the program.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace tarn {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

// The stream layer's failures, one class per kind so callers can tell them apart.
class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// Text that is not valid in the code page it claims to be in.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace tarn

#include "base/Cp936.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "base/Exception.h"

namespace tarn {
namespace {

// One converter per direction and thread: iconv descriptors carry state and are not shared.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw EConvertError(std::string("No converter from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts in, skipping each invalid unit (byteStep bytes) and appending replacement when
  // mode is Replace. Output bytes are appended to out.
  void Run(std::string_view in, std::string& out, Conversion mode, std::size_t byteStep,
           std::string_view replacement, const char* what) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[4096];
    while (srcLeft > 0) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      const int error = errno;
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (rc != static_cast<std::size_t>(-1)) break;
      if (error == E2BIG) continue;
      // EILSEQ, or EINVAL for a sequence cut short at the end.
      if (mode == Conversion::Throw) throw EConvertError(std::string("Invalid text in ") + what);
      out.append(replacement);
      const std::size_t skip = std::min(byteStep, srcLeft);
      src += skip;
      srcLeft -= skip;
    }
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
  }

 private:
  iconv_t cd_;
};

Converter& Get(int which) {
  thread_local std::unique_ptr<Converter> converters[4];
  static constexpr const char* kTo[4] = {"UTF-8", "CP936", "UTF-32LE", "CP936"};
  static constexpr const char* kFrom[4] = {"CP936", "UTF-8", "CP936", "UTF-32LE"};
  if (!converters[which]) converters[which] = std::make_unique<Converter>(kTo[which], kFrom[which]);
  return *converters[which];
}

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string Cp936ToUtf8(std::string_view text, Conversion mode) {
  if (IsAscii(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() * 3 / 2);
  Get(0).Run(text, out, mode, 1, "\xEF\xBF\xBD", "code page 936 text");
  return out;
}

std::string Utf8ToCp936(std::string_view text, Conversion mode) {
  if (IsAscii(text)) return std::string(text);
  std::string out;
  out.reserve(text.size());
  Get(1).Run(text, out, mode, 1, "?", "UTF-8 text");
  return out;
}

std::u32string Cp936ToUtf32(std::string_view text, Conversion mode) {
  std::string bytes;
  if (IsAscii(text)) {
    return std::u32string(text.begin(), text.end());
  }
  Get(2).Run(text, bytes, mode, 1, std::string_view("\xFD\xFF\x00\x00", 4), "code page 936 text");
  std::u32string out(bytes.size() / 4, U'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + i * 4);
    out[i] =
        static_cast<char32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
  }
  return out;
}

std::string Utf32ToCp936(std::u32string_view text, Conversion mode) {
  std::string bytes;
  bytes.reserve(text.size() * 4);
  for (char32_t c : text) {
    const auto v = static_cast<uint32_t>(c);
    bytes.push_back(static_cast<char>(v & 0xFF));
    bytes.push_back(static_cast<char>(v >> 8 & 0xFF));
    bytes.push_back(static_cast<char>(v >> 16 & 0xFF));
    bytes.push_back(static_cast<char>(v >> 24 & 0xFF));
  }
  std::string out;
  Get(3).Run(bytes, out, mode, 4, "?", "Unicode text");
  return out;
}

}  // namespace tarn

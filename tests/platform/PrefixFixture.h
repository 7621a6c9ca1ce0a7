// A temporary prefix for one test and a posix platform on it, so no test touches a real prefix
// (the Wine server folders are looked for inside the temporary folder too).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "base/Cp936.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/PrefixLayout.h"
#include "tests/support/TempDir.h"

namespace tarn::testing {

class PrefixTest : public ::testing::Test {
 protected:
  std::unique_ptr<TPosixPlatform> MakePlatform() const {
    TPosixOptions options;
    options.prefix = prefix_;
    options.wineServerRoot = temp_.Path() / "server";
    return std::make_unique<TPosixPlatform>(options);
  }
  // A platform on a freshly made prefix of that Windows version.
  std::unique_ptr<TPosixPlatform> MakePrefix(const std::string& version = "win10") const {
    auto platform = MakePlatform();
    TPrefixOptions options;
    options.windowsVersion = version;
    EXPECT_EQ(platform->CreatePrefix(options), WinError::Success);
    return platform;
  }
  std::string ReadFile(const std::string& name) const {
    std::ifstream in(prefix_ / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void WriteFile(const std::string& name, const std::string& text) const {
    std::ofstream(prefix_ / name, std::ios::binary) << text;
  }

  TempDir temp_;
  std::filesystem::path prefix_ = temp_.Path() / "prefix";
};

// Program text (code page 936) from UTF-8 source text.
inline std::string Gbk(const char* utf8) {
  return Utf8ToCp936(utf8);
}

}  // namespace tarn::testing

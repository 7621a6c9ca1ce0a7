// Every test program gets a temporary folder of its own: TMPDIR points into it while the tests
// run, so whatever a test, a program it starts or a child that crashed leaves in the temporary
// folder lands there, and the run fails when anything is left in it at the end. Linked into every
// test program; it registers itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarn::testing {
namespace {

class TempFolderCheck : public ::testing::Environment {
 public:
  void SetUp() override {
    if (const char* outer = std::getenv("TMPDIR")) outer_ = outer;
    std::string pattern = (std::filesystem::temp_directory_path() / "tarn-tests-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "Cannot make a temporary folder for the tests in " << pattern;
      return;
    }
    folder_ = pattern;
    ::setenv("TMPDIR", folder_.c_str(), 1);
  }

  void TearDown() override {
    if (folder_.empty()) return;
    if (outer_) {
      ::setenv("TMPDIR", outer_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
    std::vector<std::string> left;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error))
      left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    std::string names;
    for (const auto& name : left)
      names += " " + name;
    EXPECT_TRUE(left.empty()) << "The tests left behind in the temporary folder:" << names;
    std::filesystem::remove_all(folder_, error);
  }

 private:
  std::optional<std::string> outer_;
  std::filesystem::path folder_;
};

[[maybe_unused]] ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new TempFolderCheck);

}  // namespace
}  // namespace tarn::testing

// Runs the Qt host's tests in one QApplication on the offscreen platform, so that no display is needed.
#include <gtest/gtest.h>

#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// Gives each test its own screenshot folder under the run's one: tests run in parallel processes, and each
// test's pictures stay together. Hosts read the folder when they are made, after this has run.
class ScreenshotFolderPerTest : public ::testing::EmptyTestEventListener {
 public:
  explicit ScreenshotFolderPerTest(std::string base) : base_(std::move(base)) {}
  void OnTestStart(const ::testing::TestInfo& test) override {
    std::string name = std::string(test.test_suite_name()) + "." + test.name();
    std::replace(name.begin(), name.end(), '/', '_');
    setenv("MIRLET_SCREENSHOT_DIR", (base_ + "/" + name).c_str(), 1);
  }

 private:
  std::string base_;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const char* base = std::getenv("MIRLET_SCREENSHOT_DIR");
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(
      new ScreenshotFolderPerTest(base ? base : UI_QT_SCREENSHOTS));
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

// The display check that decides between Qt windows and the headless advice.
#include "app/display.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace app {
namespace {

struct Case {
  const char* name;
  std::map<std::string, std::string> environment;
  bool display;
};

void PrintTo(const Case& row, std::ostream* out) {
  *out << row.name;
}

class Display : public ::testing::TestWithParam<Case> {};

TEST_P(Display, FollowsTheEnvironment) {
  const auto& env = GetParam().environment;
  const Environment lookup = [&env](const char* name) -> const char* {
    const auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  };
  EXPECT_EQ(has_display(lookup), GetParam().display);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, Display,
    ::testing::Values(
        Case{"nothing_set", {}, false},
        Case{"all_empty", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}, false},
        Case{"x11", {{"DISPLAY", ":0"}}, true}, Case{"wayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        Case{"offscreen_chosen", {{"QT_QPA_PLATFORM", "offscreen"}}, true},
        Case{"unrelated_only", {{"TERM", "xterm"}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Display, HintNamesBothWaysToRunHeadless) {
  const std::string hint = headless_hint();
  EXPECT_NE(hint.find("--script"), std::string::npos);
  EXPECT_NE(hint.find("QT_QPA_PLATFORM=offscreen"), std::string::npos);
}

}  // namespace
}  // namespace app

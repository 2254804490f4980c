#include "dane/library.h"

#include <gtest/gtest.h>

namespace dane {
namespace {

std::vector<std::string>* steps = nullptr;
void first_init(ErrorObject*, SettingsFile*) {
  steps->push_back("first");
}
void second_init(ErrorObject* e, SettingsFile*) {
  steps->push_back(e ? "second with error object" : "second");
}
void first_kill() {
  steps->push_back("first kill");
}

TEST(LibraryEntry, InitRunsItsChainOnceAndKeepsTheFirstObjects) {
  std::vector<std::string> log;
  steps = &log;
  LibraryEntry entry("PROBA", {first_init, second_init}, {first_kill});
  auto* error = reinterpret_cast<ErrorObject*>(0x1000);
  auto* settings = reinterpret_cast<SettingsFile*>(0x2000);
  EXPECT_FALSE(entry.initialised());
  entry.init(error, settings);
  entry.init(nullptr, nullptr);
  EXPECT_TRUE(entry.initialised());
  EXPECT_EQ(entry.error_object(), error);
  EXPECT_EQ(entry.settings_file(), settings);
  entry.kill();
  entry.kill();
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second with error object", "first kill"}));
  const auto calls = library_calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "PROBA:INIT"), 1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "PROBA:KILL"), 1);
  steps = nullptr;
}

}  // namespace
}  // namespace dane

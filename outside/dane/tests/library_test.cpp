#include "dane/library.h"

#include <gtest/gtest.h>

#include "dane/error_object.h"
#include "dane/settings_file.h"

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
  ErrorObject error_object;
  SettingsFile settings_object;
  auto* error = &error_object;
  auto* settings = &settings_object;
  EXPECT_FALSE(entry.initialised());
  entry.init(error, settings);
  entry.init(nullptr, nullptr);
  EXPECT_TRUE(entry.initialised());
  EXPECT_EQ(entry.error_object(), error);
  EXPECT_EQ(entry.settings_file(), settings);
  entry.kill();
  entry.kill();
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second with error object", "first kill"}));
  // Released: the objects may be gone now, so the entry no longer hands them out, nor takes new ones.
  EXPECT_EQ(entry.error_object(), nullptr);
  EXPECT_EQ(entry.settings_file(), nullptr);
  entry.init(error, settings);
  EXPECT_EQ(entry.error_object(), nullptr);
  const auto calls = library_calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "PROBA:INIT"), 1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "PROBA:KILL"), 1);
  steps = nullptr;
}

}  // namespace
}  // namespace dane

#include "dane/globals.h"
#include "dane/settings_file.h"

namespace dane {
namespace {

TEST(LibraryDefaults, OwnSettingsFileFollowsTheUsersPath) {
  GLO.PATH_INI = "/tmp/mirlet-test/okna3000001.ini";
  EXPECT_EQ(settings_file().path(), "/tmp/mirlet-test/okna3000001.ini");
  GLO.PATH_INI = "/tmp/mirlet-test/okna3000002.ini  ";
  EXPECT_EQ(settings_file().path(), "/tmp/mirlet-test/okna3000002.ini");
  GLO.PATH_INI = "";
}

}  // namespace
}  // namespace dane

// Settings file: damaged, missing and unreadable files read what they can and are never made worse by a
// write.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "dane/settings_file.h"
#include "settings_test_folder.h"

namespace dane {
namespace {

using testing::read_bytes;
using testing::TestFolder;
using testing::write_bytes;

struct Expect {
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

struct DamageRow {
  const char* name;
  std::string file;
  std::vector<Expect> expected;

  friend void PrintTo(const DamageRow& row, std::ostream* os) { *os << row.name; }
};

std::string binary_garbage() {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919 + 13) % 256);
  return bytes;
}

class DamagedFile : public ::testing::TestWithParam<DamageRow> {};

TEST_P(DamagedFile, ReadsWhatItCan) {
  TestFolder folder;
  write_bytes(folder.file("s.ini"), GetParam().file);
  const SettingsFile settings(folder.file("s.ini"));
  for (const Expect& e : GetParam().expected) {
    EXPECT_EQ(settings.find_value(e.section, e.key), e.value) << e.section << "." << e.key;
  }
}

TEST_P(DamagedFile, WriteKeepsEveryReadableEntryAndTheDamage) {
  TestFolder folder;
  const std::string path = folder.file("s.ini");
  write_bytes(path, GetParam().file);
  SettingsFile settings(path);
  ASSERT_TRUE(settings.set_value("Nowa", "klucz", "1"));
  EXPECT_EQ(settings.get_value("Nowa", "klucz"), "1");
  for (const Expect& e : GetParam().expected) {
    EXPECT_EQ(settings.find_value(e.section, e.key), e.value) << e.section << "." << e.key;
  }
  // Lines are rewritten with LF ends; apart from that the old content is all still there.
  std::string old_text = GetParam().file;
  std::erase(old_text, '\r');
  std::string new_text = read_bytes(path);
  std::erase(new_text, '\r');
  EXPECT_TRUE(new_text.starts_with(old_text)) << "lost part of the old file";
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    ::testing::Values(
        DamageRow{"binary_garbage_before_a_section", binary_garbage() + "\n[A]\nk=v\n", {{"A", "k", "v"}}},
        DamageRow{"binary_garbage_only", binary_garbage(), {{"A", "k", std::nullopt}}},
        DamageRow{"line_without_equals",
                  "[A]\nbez znaku\nk=v\n",
                  {{"A", "k", "v"}, {"A", "bez znaku", std::nullopt}}},
        DamageRow{"huge_line", "[A]\n" + std::string(1 << 20, 'x') + "\nk=v\n", {{"A", "k", "v"}}},
        DamageRow{"huge_value",
                  "[A]\nk=" + std::string(1 << 20, 'y') + "\nj=w",
                  {{"A", "k", std::string(1 << 20, 'y')}, {"A", "j", "w"}}},
        DamageRow{"no_trailing_newline", "[A]\nk=v", {{"A", "k", "v"}}},
        DamageRow{"crlf_line_ends", "[A]\r\nk=v\r\n", {{"A", "k", "v"}}},
        DamageRow{"several_carriage_returns", "[A]\r\r\nk=v\r\r\r\n\r\r\n", {{"A", "k", "v"}}},
        DamageRow{"byte_order_mark", "\xEF\xBB\xBF[A]\nk=v\n", {{"A", "k", "v"}}},
        DamageRow{
            "entries_before_any_section", "k=v\n[A]\nj=w\n", {{"A", "k", std::nullopt}, {"A", "j", "w"}}},
        DamageRow{"header_without_name_ends_section",
                  "[A]\nx=1\n[]\ny=2\n",
                  {{"A", "x", "1"}, {"A", "y", std::nullopt}}},
        DamageRow{"header_without_bracket", "[A\nk=v\n", {{"A", "k", std::nullopt}}},
        DamageRow{"nul_inside_a_line",
                  std::string("[A]\nk=v\0w\nj=1\n", 14),
                  {{"A", "k", std::nullopt}, {"A", "j", "1"}}},
        DamageRow{"broken_utf8_kept_as_bytes", "[A]\nk=\xC5\n", {{"A", "k", "\xC5"}}},
        DamageRow{"first_of_duplicate_keys", "[A]\nk=1\nK=2\n", {{"A", "k", "1"}}},
        DamageRow{"repeated_section", "[A]\nx=1\n[B]\n[a]\ny=2\n", {{"A", "x", "1"}, {"A", "y", "2"}}},
        DamageRow{"empty_file", "", {{"A", "k", std::nullopt}}}),
    [](const auto& info) { return info.param.name; });

TEST(MissingFile, ReadsAsEmpty) {
  TestFolder folder;
  const SettingsFile settings(folder.file("brak.ini"));
  EXPECT_EQ(settings.find_value("A", "k"), std::nullopt);
  EXPECT_EQ(settings.get_value("A", "k", "d"), "d");
  EXPECT_EQ(settings.fetch_window("Okno"), std::nullopt);
}

TEST(MissingFile, FirstWriteCreatesFileAndFolders) {
  TestFolder folder;
  SettingsFile settings((folder.path() / "mirlet" / "nowy" / "okna1.ini").string());
  ASSERT_TRUE(settings.set_value("A", "k", "v"));
  EXPECT_EQ(read_bytes(settings.path()), "[A]\nk=v\n");
}

TEST(UnreadableFile, PathThatIsAFolderReadsEmptyAndIsNotReplaced) {
  TestFolder folder;
  const std::string path = folder.file("okna1.ini");
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
  SettingsFile settings(path);
  EXPECT_EQ(settings.get_value("A", "k", "d"), "d");
  EXPECT_FALSE(settings.set_value("A", "k", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(UnreadableFile, OversizedFileIsNeitherLoadedNorOverwritten) {
  TestFolder folder;
  const std::string path = folder.file("okna1.ini");
  write_bytes(path, "[A]\nk=v\n");
  ASSERT_EQ(::truncate(path.c_str(), 17 * 1024 * 1024), 0);
  SettingsFile settings(path);
  EXPECT_EQ(settings.find_value("A", "k"), std::nullopt);
  EXPECT_FALSE(settings.set_value("A", "j", "w"));
  EXPECT_EQ(std::filesystem::file_size(path), 17u * 1024 * 1024);
  EXPECT_EQ(testing::stray_files(folder.path(), "okna1.ini"), 0);
}

}  // namespace
}  // namespace dane

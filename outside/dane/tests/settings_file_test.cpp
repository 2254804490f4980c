// Settings file: values and window geometry read back as written, names matched as the system matches them.
#include "dane/settings_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "settings_test_folder.h"

namespace dane {
namespace {

using testing::read_bytes;
using testing::TestFolder;
using testing::write_bytes;

struct ValueRow {
  const char* name;
  std::string value;
  std::string read_back;

  friend void PrintTo(const ValueRow& row, std::ostream* os) { *os << row.name; }
};

class ValueRoundTrip : public ::testing::TestWithParam<ValueRow> {};

TEST_P(ValueRoundTrip, ReadsBackWhatWasWritten) {
  TestFolder folder;
  SettingsFile settings(folder.file("okna1.ini"));
  ASSERT_TRUE(settings.set_value("Sekcja", "Klucz", GetParam().value));
  EXPECT_EQ(settings.find_value("Sekcja", "Klucz"), GetParam().read_back);
  // A second object on the same file sees the same, as another process would.
  EXPECT_EQ(SettingsFile(folder.file("okna1.ini")).get_value("Sekcja", "Klucz", "brak"),
            GetParam().read_back);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueRoundTrip,
    ::testing::Values(ValueRow{"plain", "123", "123"},
                      ValueRow{"polish_letters", "Zażółć gęślą jaźń ŁÓDŹ", "Zażółć gęślą jaźń ŁÓDŹ"},
                      ValueRow{"empty", "", ""}, ValueRow{"equals_signs", "a=b=c", "a=b=c"},
                      ValueRow{"semicolon_after_blank", "+NAZWA ;-KOD", "+NAZWA ;-KOD"},
                      ValueRow{"hash_and_brackets", "#1 [x] ]", "#1 [x] ]"},
                      ValueRow{"quotes_kept", "\"C:\\Program Files\\\"", "\"C:\\Program Files\\\""},
                      ValueRow{"outer_blanks_dropped", "  środek  \t", "środek"},
                      ValueRow{"long", std::string(5000, 'x') + "ż", std::string(5000, 'x') + "ż"}),
    [](const auto& info) { return info.param.name; });

struct LookupRow {
  const char* name;
  const char* section;
  const char* key;
  const char* stored;

  friend void PrintTo(const LookupRow& row, std::ostream* os) { *os << row.name; }
};

class CaseInsensitiveLookup : public ::testing::TestWithParam<LookupRow> {};

TEST_P(CaseInsensitiveLookup, FindsTheEntryAndRewritesItInPlace) {
  TestFolder folder;
  SettingsFile settings(folder.file("s.ini"));
  ASSERT_TRUE(settings.set_value("Waluty_Brw", "SortHeader_1", "+SYMBOL"));
  ASSERT_TRUE(settings.set_value("Łódź", "Źródło", "-KOD"));

  const LookupRow& row = GetParam();
  EXPECT_EQ(settings.get_value(row.section, row.key), row.stored);

  ASSERT_TRUE(settings.set_value(row.section, row.key, "nowa"));
  EXPECT_EQ(settings.get_value(row.section, row.key), "nowa");
  const std::string text = read_bytes(settings.path());
  EXPECT_EQ(text.find(row.stored), std::string::npos) << text;
  EXPECT_EQ(text.find("nowa"), text.rfind("nowa")) << "written twice:\n" << text;
}

INSTANTIATE_TEST_SUITE_P(Names, CaseInsensitiveLookup,
                         ::testing::Values(LookupRow{"upper", "WALUTY_BRW", "SORTHEADER_1", "+SYMBOL"},
                                           LookupRow{"lower", "waluty_brw", "sortheader_1", "+SYMBOL"},
                                           LookupRow{"padded_fixed_text", "Waluty_Brw   ", " SortHeader_1  ",
                                                     "+SYMBOL"},
                                           LookupRow{"polish_upper", "ŁÓDŹ", "ŹRÓDŁO", "-KOD"},
                                           LookupRow{"polish_lower", "łódź", "źródło", "-KOD"}),
                         [](const auto& info) { return info.param.name; });

TEST(SettingsFileValues, MissingEntryGivesTheDefault) {
  TestFolder folder;
  SettingsFile settings(folder.file("s.ini"));
  EXPECT_EQ(settings.get_value("A", "k", "domyślna"), "domyślna");
  ASSERT_TRUE(settings.set_value("A", "k", "1"));
  EXPECT_EQ(settings.get_value("A", "inny", "d"), "d");
  EXPECT_EQ(settings.get_value("B", "k", "d"), "d");
  EXPECT_EQ(settings.find_value("A", "inny"), std::nullopt);
}

TEST(SettingsFileValues, WriteChangesOneLineAndKeepsTheRest) {
  TestFolder folder;
  const std::string path = folder.file("s.ini");
  write_bytes(path, "; ustawienia okien\n[A]\nx = 1\nśmieć bez znaku równości\n\n[B]\ny=2\n");
  SettingsFile settings(path);

  ASSERT_TRUE(settings.set_value("a", "X", "7"));
  EXPECT_EQ(read_bytes(path), "; ustawienia okien\n[A]\nx=7\nśmieć bez znaku równości\n\n[B]\ny=2\n");
  ASSERT_TRUE(settings.set_value("A", "z", "3"));
  EXPECT_EQ(read_bytes(path), "; ustawienia okien\n[A]\nx=7\nz=3\nśmieć bez znaku równości\n\n[B]\ny=2\n");
  ASSERT_TRUE(settings.set_value("C", "w", "4"));
  EXPECT_EQ(read_bytes(path),
            "; ustawienia okien\n[A]\nx=7\nz=3\nśmieć bez znaku równości\n\n[B]\ny=2\n\n[C]\nw=4\n");
}

struct RefusedRow {
  const char* name;
  std::string section;
  std::string key;
  std::string value;

  friend void PrintTo(const RefusedRow& row, std::ostream* os) { *os << row.name; }
};

class RefusedWrite : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedWrite, FailsAndLeavesTheFileAsItWas) {
  TestFolder folder;
  const std::string path = folder.file("s.ini");
  const std::string before = "[A]\nk=1\n";
  write_bytes(path, before);
  SettingsFile settings(path);
  EXPECT_FALSE(settings.set_value(GetParam().section, GetParam().key, GetParam().value));
  EXPECT_EQ(read_bytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(BadNames, RefusedWrite,
                         ::testing::Values(RefusedRow{"empty_section", "", "k", "v"},
                                           RefusedRow{"blank_section", "   ", "k", "v"},
                                           RefusedRow{"empty_key", "A", "", "v"},
                                           RefusedRow{"key_with_equals", "A", "a=b", "v"},
                                           RefusedRow{"key_like_section", "A", "[k", "v"},
                                           RefusedRow{"key_like_comment", "A", ";k", "v"},
                                           RefusedRow{"key_like_hash_comment", "A", "#k", "v"},
                                           RefusedRow{"section_with_line_break", "A\nB", "k", "v"},
                                           RefusedRow{"key_with_line_break", "A", "k\rj", "v"},
                                           RefusedRow{"value_with_line_break", "A", "k", "1\n[B]"},
                                           RefusedRow{"value_with_nul", "A", "k", std::string("1\0002", 3)}),
                         [](const auto& info) { return info.param.name; });

TEST(SettingsFileValues, WithoutAPathReadsDefaultsAndRefusesWrites) {
  SettingsFile settings;
  EXPECT_EQ(settings.get_value("A", "k", "d"), "d");
  EXPECT_FALSE(settings.set_value("A", "k", "v"));
  EXPECT_FALSE(settings.update_window("Okno", {1, 2, 3, 4}));
}

TEST(SettingsFileValues, SetPathMovesToAnotherFile) {
  TestFolder folder;
  SettingsFile settings(folder.file("okna0.ini"));
  ASSERT_TRUE(settings.set_value("A", "k", "przed"));
  settings.set_path(folder.file("okna5.ini"));
  EXPECT_EQ(settings.path(), folder.file("okna5.ini"));
  EXPECT_EQ(settings.get_value("A", "k", "brak"), "brak");
  ASSERT_TRUE(settings.set_value("A", "k", "po"));
  EXPECT_EQ(SettingsFile(folder.file("okna0.ini")).get_value("A", "k"), "przed");
}

TEST(SettingsFileWindows, GeometryRoundTrip) {
  TestFolder folder;
  SettingsFile settings(folder.file("okna1.ini"));
  const WindowGeometry waluty{-1280, 15, 640, 480};
  const WindowGeometry error_win{100, 200, 300, 400};
  ASSERT_TRUE(settings.update_window("Waluty_Brw", waluty));
  ASSERT_TRUE(settings.update_window("ErrorWin", error_win));
  EXPECT_EQ(settings.fetch_window("Waluty_Brw"), waluty);
  EXPECT_EQ(settings.fetch_window("WALUTY_BRW"), waluty);
  EXPECT_EQ(settings.fetch_window("ErrorWin"), error_win);
  EXPECT_EQ(settings.fetch_window("Banki_Brw"), std::nullopt);

  const WindowGeometry moved{0, 0, 800, 600};
  ASSERT_TRUE(settings.update_window("waluty_brw", moved));
  EXPECT_EQ(settings.fetch_window("Waluty_Brw"), moved);
  EXPECT_EQ(
      read_bytes(settings.path()),
      "[Waluty_Brw]\nX=0\nY=0\nWidth=800\nHeight=600\n\n[ErrorWin]\nX=100\nY=200\nWidth=300\nHeight=400\n");
}

TEST(SettingsFileWindows, GeometryWithoutPositiveSizeIsNotStored) {
  TestFolder folder;
  SettingsFile settings(folder.file("okna1.ini"));
  ASSERT_TRUE(settings.update_window("Okno", {1, 2, 3, 4}));
  EXPECT_FALSE(settings.update_window("Okno", {1, 2, 0, 4}));
  EXPECT_FALSE(settings.update_window("Okno", {1, 2, 3, -4}));
  EXPECT_EQ(settings.fetch_window("Okno"), (WindowGeometry{1, 2, 3, 4}));
}

struct StoredGeometryRow {
  const char* name;
  const char* file;
  std::optional<WindowGeometry> fetched;

  friend void PrintTo(const StoredGeometryRow& row, std::ostream* os) { *os << row.name; }
};

class StoredGeometry : public ::testing::TestWithParam<StoredGeometryRow> {};

TEST_P(StoredGeometry, FetchesOnlyACompleteSensibleEntry) {
  TestFolder folder;
  write_bytes(folder.file("s.ini"), GetParam().file);
  EXPECT_EQ(SettingsFile(folder.file("s.ini")).fetch_window("Okno"), GetParam().fetched);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoredGeometry,
    ::testing::Values(
        StoredGeometryRow{"complete", "[Okno]\nX=1\nY=-2\nWidth=3\nHeight=4\n", WindowGeometry{1, -2, 3, 4}},
        StoredGeometryRow{"blanks_and_plus_sign", "[OKNO]\n x = +1 \nY=2\nwidth=3\nHEIGHT=4",
                          WindowGeometry{1, 2, 3, 4}},
        StoredGeometryRow{"missing_height", "[Okno]\nX=1\nY=2\nWidth=3\n", std::nullopt},
        StoredGeometryRow{"text_width", "[Okno]\nX=1\nY=2\nWidth=szeroko\nHeight=4\n", std::nullopt},
        StoredGeometryRow{"trailing_junk", "[Okno]\nX=1px\nY=2\nWidth=3\nHeight=4\n", std::nullopt},
        StoredGeometryRow{"two_signs", "[Okno]\nX=+-1\nY=2\nWidth=3\nHeight=4\n", std::nullopt},
        StoredGeometryRow{"fraction", "[Okno]\nX=1.5\nY=2\nWidth=3\nHeight=4\n", std::nullopt},
        StoredGeometryRow{"overflow", "[Okno]\nX=99999999999\nY=2\nWidth=3\nHeight=4\n", std::nullopt},
        StoredGeometryRow{"zero_height", "[Okno]\nX=1\nY=2\nWidth=3\nHeight=0\n", std::nullopt},
        StoredGeometryRow{"other_window", "[Okno2]\nX=1\nY=2\nWidth=3\nHeight=4\n", std::nullopt}),
    [](const auto& info) { return info.param.name; });

class SettingsPath : public ::testing::Test {
 protected:
  void SetUp() override {
    save("XDG_CONFIG_HOME", xdg_);
    save("HOME", home_);
  }
  void TearDown() override {
    restore("XDG_CONFIG_HOME", xdg_);
    restore("HOME", home_);
  }

 private:
  static void save(const char* name, std::optional<std::string>& slot) {
    if (const char* value = std::getenv(name)) slot = value;
  }
  static void restore(const char* name, const std::optional<std::string>& slot) {
    if (slot) {
      ::setenv(name, slot->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  std::optional<std::string> xdg_;
  std::optional<std::string> home_;
};

TEST_F(SettingsPath, FollowsXdgConfigHome) {
  ::setenv("XDG_CONFIG_HOME", "/srv/konfig", 1);
  EXPECT_EQ(default_settings_path(3000001), "/srv/konfig/mirlet/okna3000001.ini");
}

TEST_F(SettingsPath, FallsBackToHomeWhenXdgIsUnsetOrRelative) {
  ::setenv("HOME", "/home/jan", 1);
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(default_settings_path(7), "/home/jan/.config/mirlet/okna7.ini");
  ::setenv("XDG_CONFIG_HOME", "konfig", 1);
  EXPECT_EQ(default_settings_folder(), "/home/jan/.config/mirlet");
}

TEST(SettingsPathInFolder, JoinsFolderAndUserId) {
  EXPECT_EQ(settings_path("/dane/instancja   ", 12), "/dane/instancja/okna12.ini");
  EXPECT_EQ(settings_path("/dane/instancja/", 3000001.0), "/dane/instancja/okna3000001.ini");
  EXPECT_EQ(settings_path("/d", 1e300), "/d/okna0.ini");
}

}  // namespace
}  // namespace dane

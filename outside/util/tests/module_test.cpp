// The module as the program meets it: loaded by path, entry points looked up by name, Windows-1250 texts.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "db/sqlite_engine.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "zorva_util/entry_points.h"

// glibc keeps the LOCPATH folder list of a locale loaded from it for the life of the process; the leak
// checker of the sanitizer build is told so instead of failing the locale test.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:__argz_add_sep\n";
}

namespace {

constexpr int kRows = 10000;
// "Zażółć gęślą jaźń" in Windows-1250 and in UTF-8.
constexpr std::string_view kPolish1250 = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
constexpr std::string_view kPolishUtf8 = "Zażółć gęślą jaźń";

// The module opened with dlopen, as the program's loader does, and its entry points.
class Module {
 public:
  Module() : handle_(dlopen(MIRLET_UTIL_MODULE, RTLD_NOW | RTLD_LOCAL)) {}
  ~Module() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  template <class Function>
  Function* entry(const char* name) const {
    return reinterpret_cast<Function*>(dlsym(handle_, name));
  }

 private:
  void* handle_;
};

std::string connect(const std::string& connection_text) {
  Module m;
  auto* open = m.entry<decltype(UtworzPolaczenieSQL)>("UtworzPolaczenieSQL");
  return open == nullptr ? "<missing>" : std::string(open(connection_text.c_str()));
}

std::string query(std::string_view statement, const char* record = "^", const char* field = ";") {
  Module m;
  auto* fetch = m.entry<decltype(PobierzKolejkeSQL)>("PobierzKolejkeSQL");
  return fetch == nullptr ? "<missing>" : std::string(fetch(std::string(statement).c_str(), record, field));
}

// A demo database with a table of kRows rows beside the demo data, and the module connected to it.
class ModuleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_.emplace("utiltest");
    const std::string path = folder_->file("demo.db");
    ASSERT_TRUE(server::make_demo_database(path, server::DemoSize::Demo).ok());
    db::SqliteOptions options;
    options.path = path;
    sqlite3* db = nullptr;
    ASSERT_TRUE(db::open_sqlite(options, db).ok());
    std::string script = "begin; create table POZYCJE_TESTU (ID integer, NAZWA varchar(60), CENA real);";
    for (int i = 1; i <= kRows; ++i) {
      script += "insert into POZYCJE_TESTU values (" + std::to_string(i) + ", 'Pozycja " + std::to_string(i) +
                " żółta', " + std::to_string(i) + ".25);";
    }
    script += "commit;";
    ASSERT_EQ(sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    connection_text_ = "sqlite:" + path;
  }
  static void TearDownTestSuite() { folder_.reset(); }
  void SetUp() override { ASSERT_EQ(connect(connection_text_), "1"); }

  static inline std::optional<mirlet_testing::TempFolder> folder_;
  static inline std::string connection_text_;
};

TEST(ModuleFile, ExportsEveryEntryPointWithCLinkage) {
  Module m;
  ASSERT_TRUE(m.loaded()) << dlerror();
  for (const char* name : {"UtworzPolaczenieSQL", "PobierzKolejkeSQL", "SystemListSeparator",
                           "ZapiszDaneDoPliku", "PobierzKursyNBPwartosc", "PobierzKursyNBPwartoscNaDzien",
                           "PobierzKursyECBwartosc", "PobierzKursyECBwartoscNaDzien"}) {
    EXPECT_NE(m.entry<void>(name), nullptr) << name;
  }
  EXPECT_EQ(
      m.entry<void>("_ZN10zorva_util16delimited_resultESt17basic_string_viewIcSt11char_traitsIcEES3_S3_"),
      nullptr)
      << "internal functions stay hidden";
}

TEST_F(ModuleTest, ConnectionFailureAnswersMinusOneAndTheReason) {
  const std::string answer = connect("sqlite:" + folder_->file("missing/none.db"));
  ASSERT_GE(answer.size(), 3u);
  EXPECT_EQ(answer.substr(0, 2), "-1");
  EXPECT_NE(answer.find("none.db"), std::string::npos) << answer;
}

TEST_F(ModuleTest, PolishLettersCrossTheBoundaryInWindows1250) {
  const std::string statement =
      "select '" + std::string(kPolish1250) + "', N'" + std::string(kPolish1250) + "'";
  EXPECT_EQ(query(statement), std::string(kPolish1250) + ";" + std::string(kPolish1250) + ";^");
}

TEST_F(ModuleTest, WholeResultInOneTextInRowOrder) {
  const std::string answer = query("select ID, NAZWA, CENA from POZYCJE_TESTU order by ID");
  std::istringstream records(answer);
  std::string record;
  int row = 0;
  while (std::getline(records, record, '^')) {
    ++row;
    const std::string expected = std::to_string(row) + ";Pozycja " + std::to_string(row) +
                                 " \xBF\xF3\xB3ta;" + std::to_string(row) + ".25;";
    ASSERT_EQ(record, expected) << "row " << row;
  }
  EXPECT_EQ(row, kRows);
  EXPECT_EQ(answer.back(), '^');
}

TEST_F(ModuleTest, NullsGiveEmptyValuesAndStatementsAreTranslated) {
  EXPECT_EQ(query("select top 2 ID, null from POZYCJE_TESTU order by ID desc"), "10000;;^9999;;^");
}

struct SeparatorRow {
  const char* name;
  const char* value;
  const char* record;
  const char* field;
  const char* answer;
};

class SeparatorInValue : public ModuleTest, public ::testing::WithParamInterface<SeparatorRow> {};

TEST_P(SeparatorInValue, AnswersEmptyRatherThanAShiftedRow) {
  const SeparatorRow& row = GetParam();
  const std::string statement =
      std::string("select 1, '") + row.value + "' union all select 2, 'x' order by 1";
  EXPECT_EQ(query(statement, row.record, row.field), row.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SeparatorInValue,
    ::testing::Values(SeparatorRow{"record_separator_in_value", "a^b", "^", ";", ""},
                      SeparatorRow{"field_separator_in_value", "a;b", "^", ";", ""},
                      SeparatorRow{"other_separators_carry_it", "a;b^c", "~", "|", "1|a;b^c|~2|x|~"},
                      SeparatorRow{"custom_field_separator_in_value", "a|b", "~", "|", ""},
                      SeparatorRow{"empty_separators_are_the_defaults", "a;b", "", "", ""},
                      SeparatorRow{"only_the_first_character_counts", "a,b", "^^", ";,", "1;a,b;^2;x;^"},
                      SeparatorRow{"separators_beyond_ascii", "a;b^c", "\xA4", "\xA7",
                                   "1\xA7\x61;b^c\xA7\xA4"
                                   "2\xA7x\xA7\xA4"},
                      SeparatorRow{"separator_beyond_ascii_in_value", "a\xA7", "^", "\xA7", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModuleTest, NothingToAnswerGivesTheEmptyText) {
  EXPECT_EQ(query("select ID from POZYCJE_TESTU where ID < 0"), "");
  EXPECT_EQ(query("select ID from NO_SUCH_TABLE"), "");
  EXPECT_EQ(query(""), "");
}

// A locale with a decimal comma, compiled into a private folder: the machine need not have it installed.
bool make_decimal_comma_locale(const mirlet_testing::TempFolder& folder) {
  const std::string command =
      "localedef -i pl_PL -f UTF-8 " + folder.file("pl_PL.UTF-8") + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

TEST(SystemListSeparator, FollowsTheDecimalPointOfTheLocale) {
  Module m;
  auto* separator = m.entry<decltype(SystemListSeparator)>("SystemListSeparator");
  ASSERT_NE(separator, nullptr);
  EXPECT_STREQ(separator(), ",") << "C.UTF-8 writes numbers with a point";

  const mirlet_testing::TempFolder folder("utiltest-locales");
  if (!make_decimal_comma_locale(folder)) GTEST_SKIP() << "localedef could not build pl_PL";
  setenv("LOCPATH", folder.path().c_str(), 1);
  setenv("LC_ALL", "pl_PL.UTF-8", 1);
  const std::string polish = separator();
  setenv("LC_ALL", "C.UTF-8", 1);
  unsetenv("LOCPATH");
  EXPECT_EQ(polish, ";");
}

class WriteFile : public ::testing::Test {
 protected:
  std::string write(const std::string& path, std::string_view text) {
    Module m;
    auto* save = m.entry<decltype(ZapiszDaneDoPliku)>("ZapiszDaneDoPliku");
    return save == nullptr ? "<missing>" : save(path.c_str(), std::string(text).c_str());
  }
  const mirlet_testing::TempFolder folder_{"utilfile"};
  const std::string dir_ = folder_.path().string();
};

TEST_F(WriteFile, WritesTheTextAsUtf8AndReplacesOldContent) {
  const std::string path = dir_ + "/plik.txt";
  ASSERT_EQ(write(path, "stara tre\x9C\xE6 kt\xF3ra by\xB3\x61 d\xB3u\xBFsza"), "1");
  ASSERT_EQ(write(path, kPolish1250), "1");
  std::ifstream in(path, std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(content, kPolishUtf8);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(WriteFile, UnwritablePlaceAnswersMinusOneAndLeavesNothing) {
  const std::string answer = write(dir_ + "/brak/plik.txt", "x");
  EXPECT_EQ(answer.substr(0, 2), "-1");
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/brak"));
  EXPECT_EQ(write("", "x").substr(0, 2), "-1");
}

}  // namespace

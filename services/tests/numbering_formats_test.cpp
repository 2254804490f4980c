#include "keldox/numbering_formats.h"
#include "mirlet_testing/temp_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "db/test_clients.h"
#include "keldox/sql.h"
#include "message_recorder.h"
#include "named_rows.h"
#include "server/demo.h"
#include "server/server.h"

namespace keldox {
namespace {

using Entry = dane::FormatNumeracjiEntry;
using testing::MessageRecorder;

const std::string kTypeMissing =
    "Brak definicji numeracji dla wybranego typu dokumentu!|Proszę uzupełnić dane o numeracji dokumentów.";
const std::string kKindMissing =
    "Brak definicji numeracji dla wybranego rodzaju dokumentów!|Proszę uzupełnić dane o numeracji "
    "dokumentów.";
const std::string kDistinguisherTypeMissing =
    "Brak definicji numeracji dla wyróżnika wybranego typu dokumentu!|Proszę uzupełnić dane o numeracji "
    "wyróżników dokumentów.";
const std::string kDistinguisherKindMissing =
    "Brak definicji numeracji dla wyróżnika wybranego rodzaju dokumentów!|Proszę uzupełnić dane o numeracji "
    "wyróżników dokumentów.";

// What a lookup gave: the result, the four outputs and the warnings shown.
struct Answer {
  bool found = false;
  std::string format;
  int period = 0, first = 0, second = 0;
  std::vector<std::string> warnings;

  friend bool operator==(const Answer&, const Answer&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Answer& a) {
    out << (a.found ? "found" : "missing") << " '" << a.format << "' " << a.period << "/" << a.first << "/"
        << a.second;
    for (const auto& w : a.warnings) out << " [" << w << "]";
    return out;
  }
};

Answer look_up(std::uint8_t kind, std::int32_t type, std::int32_t resource, std::size_t format_size = 49) {
  MessageRecorder boxes;
  Answer a;
  std::string format = "stale";
  std::uint8_t period = 9, first = 9, second = 9;
  a.found = POBIERZFORMATNUMERACJI(kind, type, resource, format, format_size, period, first, second);
  a.format = format;
  a.period = period;
  a.first = first;
  a.second = second;
  for (const auto& m : boxes.shown) a.warnings.push_back(m.text);
  return a;
}

void define(const std::vector<Entry>& entries) {
  dane::FORMAT_NUMERACJI_Q.reset();
  for (const Entry& e : entries) {
    dane::FORMAT_NUMERACJI_Q.buffer = e;
    dane::FORMAT_NUMERACJI_Q.add_in_order<Entry::ByKindTypeResource>();
  }
}

Entry def(std::uint8_t kind, std::int32_t type, std::int32_t resource, const char* format,
          std::uint8_t period, std::uint8_t first, std::uint8_t second) {
  return Entry{kind, type, resource, format, period, first, second};
}

struct LevelRow {
  const char* name;
  std::vector<Entry> definitions;
  std::uint8_t kind;
  std::int32_t type, resource;
  Answer expected;
};

class NumberingLevels : public ::testing::TestWithParam<LevelRow> {
 protected:
  void TearDown() override { dane::FORMAT_NUMERACJI_Q.reset(); }
};

TEST_P(NumberingLevels, FallBackFromResourceToTypeToKind) {
  define(GetParam().definitions);
  const LevelRow& row = GetParam();
  EXPECT_EQ(look_up(row.kind, row.type, row.resource), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, NumberingLevels,
    ::testing::Values(
        LevelRow{"kind_settings_complete_a_type_format",
                 {def(1, 0, 0, "", 0, 2, 3), def(1, 7, 0, "A", 4, 0, 0)},
                 1,
                 7,
                 9,
                 {true, "A", 4, 2, 3, {}}},
        LevelRow{"complete_resource_level_needs_nothing_else",
                 {def(1, 7, 9, "B", 1, 5, 6)},
                 1,
                 7,
                 9,
                 {true, "B", 1, 5, 6, {}}},
        LevelRow{"resource_format_wins_and_settings_mix",
                 {def(1, 7, 9, "B", 1, 5, 0), def(1, 7, 0, "A", 2, 0, 6)},
                 1,
                 7,
                 9,
                 {true, "B", 1, 5, 6, {}}},
        LevelRow{"blank_resource_format_takes_type_format_and_period",
                 {def(1, 7, 9, "   ", 3, 0, 0), def(1, 7, 0, "A", 2, 1, 1)},
                 1,
                 7,
                 9,
                 {true, "A", 2, 1, 1, {}}},
        LevelRow{"kind_level_gives_settings_only",
                 {def(1, 7, 0, "", 0, 0, 0), def(1, 0, 0, "KIND", 5, 1, 1)},
                 1,
                 7,
                 0,
                 {true, "", 0, 1, 1, {}}},
        LevelRow{"kind_level_alone_does_not_answer_for_a_type",
                 {def(1, 0, 0, "", 0, 2, 3)},
                 1,
                 7,
                 0,
                 {false, "", 0, 0, 0, {kTypeMissing}}},
        LevelRow{"incomplete_resource_level_still_needs_the_type",
                 {def(1, 7, 9, "B", 1, 5, 0), def(1, 0, 0, "", 0, 1, 1)},
                 1,
                 7,
                 9,
                 {false, "B", 1, 5, 0, {kTypeMissing}}},
        LevelRow{
            "no_kind_level", {def(1, 7, 0, "A", 2, 1, 0)}, 1, 7, 0, {false, "A", 2, 1, 0, {kKindMissing}}},
        LevelRow{"incomplete_at_kind_level_warns_twice",
                 {def(20, 7, 0, "A", 2, 0, 0), def(20, 0, 0, "", 0, 1, 0)},
                 20,
                 7,
                 0,
                 {false, "A", 2, 1, 0, {kKindMissing, kKindMissing}}},
        LevelRow{"distinguisher_incomplete_warns_of_it_then_of_documents",
                 {def(21, 7, 0, "W", 2, 0, 0), def(21, 0, 0, "", 0, 0, 4)},
                 21,
                 7,
                 0,
                 {false, "W", 2, 0, 4, {kDistinguisherKindMissing, kKindMissing}}},
        LevelRow{"distinguisher_without_its_type",
                 {def(21, 0, 0, "", 0, 1, 1)},
                 21,
                 7,
                 0,
                 {false, "", 0, 0, 0, {kDistinguisherTypeMissing}}},
        LevelRow{"other_kind_does_not_answer",
                 {def(2, 7, 0, "A", 2, 1, 1)},
                 1,
                 7,
                 0,
                 {false, "", 0, 0, 0, {kTypeMissing}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberingFormat, IsCutToTheCallersSize) {
  define({def(1, 7, 0, "FV/#/MM/RRRR", 1, 1, 1)});
  EXPECT_EQ(look_up(1, 7, 0, 5).format, "FV/#/");
  EXPECT_EQ(look_up(1, 7, 0, 0).format, "");
  dane::FORMAT_NUMERACJI_Q.reset();
}

class NumberingLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::install_database(&recording);
    dane::GLO.ID_FIRMY = 12;
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::FORMAT_NUMERACJI_Q.reset();
  }
  db::ScriptedClient scripted;
  db::RecordingClient recording{scripted};
  MessageRecorder boxes;
};

TEST_F(NumberingLoad, SendsTheStatementAndKeepsRowsInKeyOrder) {
  scripted.queue_rows({{"4", "3", "0", "FV/#/RRRR", "1", "2", "2"},
                       {"1", "0", "0", "", "0", "1", "1"},
                       {"300", "0", "0", "X", "0", "1", "1"},  // no kind of one byte: left out
                       {"1", "2", "5", std::string(60, 'F'), "2", "1", "1"}});
  LADUJFORMATYNUMERACJI();
  EXPECT_EQ(
      recording.statements(),
      std::vector<std::string>{
          "select DOKUMENT, ID_TYPU, ID_ZASOBU, FORMAT, OKRESNUMERACJI, PARAMETR1, PARAMETR2 from "
          "DEFINICJA_NUMERACJI with (nolock) where ID_FIRMY = 12and (DOKUMENT<=10 or DOKUMENT>20) order "
          "by DOKUMENT, ID_TYPU, ID_ZASOBU"});
  std::vector<std::tuple<int, int, int, std::string>> keys;
  for (const Entry& e : dane::FORMAT_NUMERACJI_Q)
    keys.emplace_back(e.DOKUMENT, e.ID_TYPU, e.ID_ZASOBU, e.FORMAT.str());
  EXPECT_EQ(keys, (std::vector<std::tuple<int, int, int, std::string>>{
                      {1, 0, 0, ""}, {1, 2, 5, std::string(49, 'F')}, {4, 3, 0, "FV/#/RRRR"}}));
  EXPECT_TRUE(look_up(4, 3, 0).found);
}

TEST_F(NumberingLoad, FailedQueryLeavesTheListEmpty) {
  scripted.queue_rows({{"1", "0", "0", "", "0", "1", "1"}});
  LADUJFORMATYNUMERACJI();
  ASSERT_EQ(dane::FORMAT_NUMERACJI_Q.count(), 1u);
  scripted.queue_failure(db::Status::statement_failed("Invalid object name 'DEFINICJA_NUMERACJI'."));
  LADUJFORMATYNUMERACJI();
  EXPECT_TRUE(dane::FORMAT_NUMERACJI_Q.empty());
  EXPECT_EQ(look_up(1, 0, 0).warnings, std::vector<std::string>{kTypeMissing});
}

// The company's definitions from the demo database, through the real statement and translator.
class NumberingOnDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.emplace("numbering");
    const std::string file = folder_->file("demo.db");
    ASSERT_TRUE(server::make_demo_database(file, server::DemoSize::Demo).ok());
    ASSERT_TRUE(server::connect("sqlite:" + file, client_).ok());
    dane::install_database(client_.get());
    dane::GLO.ID_FIRMY = 1;
    LADUJFORMATYNUMERACJI();
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::FORMAT_NUMERACJI_Q.reset();
    folder_.reset();
  }
  static std::int32_t type_of(const char* table, const char* signature, int company = 1) {
    return std::stoi(FUNCSQL(std::string("select id_typu from ") + table + " where id_firmy=" +
                             std::to_string(company) + " and sygnatura='" + signature + "'"));
  }
  std::optional<mirlet_testing::TempFolder> folder_;
  std::unique_ptr<db::Client> client_;
};

TEST_F(NumberingOnDemo, EachLevelAnswersAsDefined) {
  const std::int32_t pz = type_of("typ_dokumentu_magazynowego", "PZ");
  const std::int32_t wz = type_of("typ_dokumentu_magazynowego", "WZ");
  const std::int32_t fv = type_of("typ_dokumentu_handlowego", "FV");
  ASSERT_GT(dane::FORMAT_NUMERACJI_Q.count(), 20u);
  EXPECT_EQ(look_up(1, pz, 2), (Answer{true, "PZ/#/MH/MM/RRRR", 2, 1, 1, {}}));
  EXPECT_EQ(look_up(1, wz, 2), (Answer{true, "WZ/#/MH/RRRR", 1, 2, 3, {}}));
  EXPECT_EQ(look_up(4, fv, 1), (Answer{true, "FV/#/MG/RRRR", 1, 1, 2, {}}));
  EXPECT_EQ(look_up(1, pz, 3), (Answer{true, "PZ/#/MM/RRRR", 2, 1, 1, {}}));  // no row for warehouse 3
  EXPECT_EQ(look_up(1, 999999, 0), (Answer{false, "", 0, 0, 0, {kTypeMissing}}));
}

TEST_F(NumberingOnDemo, KindsElevenToTwentyAreNeverLoaded) {
  const std::int32_t pz = type_of("typ_dokumentu_magazynowego", "PZ");
  EXPECT_EQ(FUNCSQL("select count(1) from definicja_numeracji where id_firmy=1 and dokument=15 and id_typu=" +
                    std::to_string(pz) + " and parametr1>0 and parametr2>0"),
            "1");
  EXPECT_EQ(look_up(15, pz, 0), (Answer{false, "", 0, 0, 0, {kTypeMissing}}));
}

TEST_F(NumberingOnDemo, DistinguishersWarnInTheirOwnWords) {
  const std::int32_t pz = type_of("typ_dokumentu_magazynowego", "PZ");
  EXPECT_EQ(look_up(21, pz, 0), (Answer{false, "W/#", 0, 1, 0, {kDistinguisherKindMissing, kKindMissing}}));
  EXPECT_EQ(look_up(22, pz, 0), (Answer{false, "K/#", 0, 2, 0, {kDistinguisherKindMissing}}));
}

TEST_F(NumberingOnDemo, ReloadFollowsTheCompany) {
  const std::int32_t pz_of_first = type_of("typ_dokumentu_magazynowego", "PZ");
  const std::int32_t pz_of_second = type_of("typ_dokumentu_magazynowego", "PZ", 2);
  dane::GLO.ID_FIRMY = 2;
  LADUJFORMATYNUMERACJI();
  EXPECT_EQ(look_up(1, pz_of_second, 0), (Answer{true, "PZ/#/MM/RRRR", 2, 1, 1, {}}));
  EXPECT_FALSE(look_up(1, pz_of_first, 2).found);
  EXPECT_FALSE(look_up(21, pz_of_first, 0).found);
}

}  // namespace
}  // namespace keldox

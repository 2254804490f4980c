// Permissions: the statements that load the lists, the merging of grants, the check levels, flags,
// report grants and the contractor object-list condition.
#include "keldox/permissions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_access.h"
#include "db/test_clients.h"
#include "message_recorder.h"
#include "named_rows.h"

namespace keldox {
namespace {

using dane::AccessEntry;
using dane::DostepRaportowEntry;
using dane::UprawnEntry;
using Rows = std::vector<std::vector<std::string>>;

// The texts as the grants, catalogue and report loads send them (firm 2, user 3000003).
const std::string kGrantsStatement =
    "select distinct d.kod, d.id2, d.id3, d.id4, d.id5, d.rodzaj_dostepu,d.flaga_stanu from DOSTEP d with "
    "(nolock) inner join       UZYTKOWNIKGRUPY ug with (nolock) on (ug.id_grupy = d.id_grupy and "
    "ug.id_uzytkownika = 3000003) "
    "      inner join GRUPAUZYTKOWNIKOW g with (nolock) on (g.id_grupy=ug.id_grupy)"
    " where d.id_firmy = 2 and d.rodzaj_dostepu>0 and g.czy_aktywna=1";
const std::string kCatalogueStatement = "select kod, rodzaj from UPRAWNIENIE with (nolock)";
const std::string kReportsStatement =
    " select distinct d.id_raportu,d.rodzaj_dostepu  from DOSTEPDORAPORTOW d with (nolock)  inner join  "
    "UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy = d.id_grupy)  inner join  GRUPAUZYTKOWNIKOW g with "
    "(nolock) on (ug.id_grupy=g.id_grupy)  where g.id_firmy=2 and ug.id_uzytkownika = 3000003";

// ACCESSQ as "KOD ID2 ID3 ID4 ID5 kind [flags]" per entry, joined by "/".
std::string listed_grants() {
  std::string out;
  for (const AccessEntry& e : dane::ACCESSQ) {
    if (!out.empty()) out += "/";
    out += e.KOD.str() + " " + std::to_string(e.ID2) + " " + std::to_string(e.ID3) + " " +
           std::to_string(e.ID4) + " " + std::to_string(e.ID5) + " " + std::to_string(e.RODZAJ_DOSTEPU) +
           " [" + e.FLAGA_STANU.str() + "]";
  }
  return out;
}

std::string listed_reports() {
  std::string out;
  for (const DostepRaportowEntry& e : dane::DOSTEPRAPORTOWQ) {
    if (!out.empty()) out += "/";
    out += std::to_string(e.ID_RAPORTU) + ":" + std::to_string(e.RODZAJ_DOSTEPU);
  }
  return out;
}

// Loads through a scripted database; the utility module is not where the session looks for it, so the
// catalogue and the reports come row by row after the bridge's warning.
class PermissionLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::GLO.ID_FIRMY = 2;
    dane::GLO.ID_UZYTKOWNIKA = 3000003;
    dane::GLO.LOCALPATH = "/nonexistent/mirlet";
    dane::install_database(&recording);
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::reset_session();
  }
  void load(const Rows& grants, const Rows& catalogue, const Rows& reports) {
    scripted.queue_rows(grants);
    scripted.queue_rows(catalogue);
    scripted.queue_rows(reports);
    LADUJUPRAWNIENIA();
  }

  db::ScriptedClient scripted;
  db::RecordingClient recording{scripted};
  testing::MessageRecorder boxes;
};

TEST_F(PermissionLoading, SendsTheThreeStatementsAndFillsTheListsInKeyOrder) {
  load({{"okontr", "0", "0", "0", "0", "2", "D"}, {"Kasy", "1", "0", "0", "0", "1", ""}},
       {{"Kasy", ""}, {"OKontr", "M"}, {"Banki", ""}}, {{"7", "2"}, {"3", "1"}});
  EXPECT_EQ(recording.statements(),
            (std::vector<std::string>{kGrantsStatement, kCatalogueStatement, kReportsStatement}));
  EXPECT_EQ(listed_grants(), "KASY 1 0 0 0 1 []/OKONTR 0 0 0 0 2 [D]");
  ASSERT_EQ(dane::UPRAWNQ.count(), 3u);
  EXPECT_TRUE(dane::UPRAWNQ.ordered_by<UprawnEntry::ByCode>());
  EXPECT_EQ(dane::UPRAWNQ.entry(1)->KOD.str(), "BANKI");
  EXPECT_EQ(dane::UPRAWNQ.entry(3)->KOD.str(), "OKONTR");
  EXPECT_EQ(dane::UPRAWNQ.entry(3)->RODZAJ.str(), "M");
  EXPECT_EQ(listed_reports(), "3:1/7:2");
  // The bridge was asked twice and was not there: its warning, then the rows one by one.
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.");
}

TEST_F(PermissionLoading, ReloadReplacesTheListsWhole) {
  load({{"Kasy", "0", "0", "0", "0", "1", ""}}, {{"Kasy", ""}}, {{"1", "1"}});
  ASSERT_EQ(POBIERZUPRAWNIENIE("Kasy"), 1);
  load({{"Banki", "0", "0", "0", "0", "1", ""}}, {{"Banki", ""}}, {});
  EXPECT_EQ(listed_grants(), "BANKI 0 0 0 0 1 []");
  EXPECT_EQ(POBIERZUPRAWNIENIE("Kasy"), 0);
  EXPECT_EQ(POBIERZUPRAWNIENIE("Banki"), 1);
  EXPECT_EQ(listed_reports(), "");
}

TEST_F(PermissionLoading, FailingStatementsLeaveEmptyListsThatAnswerNoAccess) {
  load({{"Kasy", "0", "0", "0", "0", "1", ""}}, {{"Kasy", ""}}, {{"1", "1"}});
  scripted.queue_failure(db::Status::statement_failed("Invalid object name 'DOSTEP'."));
  scripted.queue_failure(db::Status::statement_failed("Invalid object name 'UPRAWNIENIE'."));
  scripted.queue_failure(db::Status::statement_failed("Invalid object name 'DOSTEPDORAPORTOW'."));
  LADUJUPRAWNIENIA();
  EXPECT_TRUE(dane::ACCESSQ.empty());
  EXPECT_TRUE(dane::UPRAWNQ.empty());
  EXPECT_TRUE(dane::DOSTEPRAPORTOWQ.empty());
  EXPECT_EQ(POBIERZUPRAWNIENIE("Kasy"), 0);
  EXPECT_EQ(DOSTEPDORAPORTUOK(1), 0);
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  EXPECT_EQ(POBIERZUPRAWNIENIE("Kasy"), 1);
  EXPECT_EQ(DOSTEPDORAPORTUOK(1), 1);
}

TEST_F(PermissionLoading, ReportGrantsAreNotMergedAndTheFirstReadAnswers) {
  scripted.queue_rows({{"5", "2"}, {"4", "1"}, {"5", "1"}, {"5", "2"}});
  LADUJUPRAWNIENIARAPORTU();
  EXPECT_EQ(recording.statements(), std::vector<std::string>{kReportsStatement});
  EXPECT_EQ(listed_reports(), "4:1/5:2/5:1/5:2");
  EXPECT_EQ(DOSTEPDORAPORTUOK(5), 2);
  EXPECT_EQ(DOSTEPDORAPORTUOK(4), 1);
  EXPECT_EQ(DOSTEPDORAPORTUOK(6), 0);
}

struct MergeRow {
  const char* name;
  Rows rows;
  const char* expected;
};

class GrantMerging : public PermissionLoading, public ::testing::WithParamInterface<MergeRow> {};

TEST_P(GrantMerging, OneEntryPerCodeAndObjects) {
  load(GetParam().rows, {}, {});
  EXPECT_EQ(listed_grants(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GrantMerging,
    ::testing::Values(
        MergeRow{"full_after_limited_raises_it",
                 {{"X", "0", "0", "0", "0", "2", "W"}, {"X", "0", "0", "0", "0", "1", ""}},
                 "X 0 0 0 0 1 [W]"},
        MergeRow{"limited_after_full_stays_full",
                 {{"X", "0", "0", "0", "0", "1", ""}, {"X", "0", "0", "0", "0", "2", "W"}},
                 "X 0 0 0 0 1 []"},
        MergeRow{"two_limited_keep_the_first_flags",
                 {{"X", "0", "0", "0", "0", "2", "W"}, {"X", "0", "0", "0", "0", "2", "WD"}},
                 "X 0 0 0 0 2 [W]"},
        MergeRow{"codes_merge_in_upper_case",
                 {{"Kasy", "1", "0", "0", "0", "2", "D"}, {"KASY", "1", "0", "0", "0", "1", ""}},
                 "KASY 1 0 0 0 1 [D]"},
        MergeRow{"codes_cut_to_twenty_characters_merge",
                 {{"KodDluzszyNizDwadziesciaZnakow", "0", "0", "0", "0", "2", ""},
                  {"KodDluzszyNizDwadzie", "0", "0", "0", "0", "1", ""}},
                 "KODDLUZSZYNIZDWADZIE 0 0 0 0 1 []"},
        MergeRow{"polish_letters_upper_cased", {{"Żółw", "0", "0", "0", "0", "1", ""}}, "ŻÓŁW 0 0 0 0 1 []"},
        MergeRow{"other_objects_are_other_entries",
                 {{"X", "0", "0", "0", "5", "2", ""},
                  {"X", "0", "0", "0", "0", "2", ""},
                  {"X", "3", "0", "0", "0", "1", ""},
                  {"X", "3", "1", "0", "0", "2", ""}},
                 "X 0 0 0 0 2 []/X 0 0 0 5 2 []/X 3 0 0 0 1 []/X 3 1 0 0 2 []"},
        MergeRow{
            "identifiers_read_as_whole_numbers", {{"X", "12.0", " 7", "", "x", "1", ""}}, "X 12 7 0 0 1 []"}),
    [](const auto& info) { return std::string(info.param.name); });

// Lists filled directly: the checks read nothing else.
class PermissionChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::GLO.ID_FIRMY = 2;
    dane::GLO.ID_UZYTKOWNIKA = 3000003;
    for (const auto& [code, kind] :
         std::vector<std::pair<const char*, const char*>>{{"X", ""},
                                                          {"MAG", "M"},
                                                          {"FULL", ""},
                                                          {"NOGRANT", ""},
                                                          {"ŻÓŁW", ""},
                                                          {"ABCDEFGHIJKLMNOPQRST", ""},
                                                          {"OKONTR", ""},
                                                          {"OWN", ""},
                                                          {"PADDED   ", ""},
                                                          {"LOWER", ""}}) {
      dane::UPRAWNQ.buffer = UprawnEntry{code, kind};
      dane::UPRAWNQ.add_in_order<UprawnEntry::ByCode>();
    }
    grant("X", 0, 0, 2, "WD");
    grant("X", 5, 0, 1);
    grant("X", 7, 0, 2);
    grant("X", 7, 9, 1);
    grant("X", 7, 8, 2);
    grant("MAG", 0, 0, 2);
    grant("MAG", 3, 0, 1);
    grant("MAG", 4, 0, 2);
    grant("FULL", 0, 0, 1, "W");
    grant("ORPHAN", 0, 0, 1);
    grant("ŻÓŁW", 0, 0, 2, "W");
    grant("ABCDEFGHIJKLMNOPQRST", 0, 0, 1);
    grant("OKONTR", 0, 0, 2, "D");
    grant("OWN", 0, 0, 2, "W");
    grant("LOWER", 0, 0, 2, "w");
    grant("PADDED      ", 0, 0, 1);
  }
  void TearDown() override { dane::reset_session(); }

  static void grant(const char* code, std::int32_t id2, std::int32_t id3, std::uint8_t kind,
                    const char* flags = "") {
    dane::ACCESSQ.buffer = AccessEntry{code, id2, id3, 0, 0, kind, flags};
    dane::ACCESSQ.add_in_order<AccessEntry::ByCodeAndObjects>();
  }
};

struct LevelRow {
  const char* name;
  const char* code;
  PermissionObject object1;
  PermissionObject object2;
  double warehouse;
  double user;
  std::uint8_t expected;
};

constexpr double kUser = 3000003;
constexpr double kAdmin = 3000001;
constexpr std::nullopt_t none = std::nullopt;

class PermissionLevels : public PermissionChecks, public ::testing::WithParamInterface<LevelRow> {};

TEST_P(PermissionLevels, AnswerFromTheMostSpecificLevelAsked) {
  dane::GLO.ID_MAGAZYNU = GetParam().warehouse;
  dane::GLO.ID_UZYTKOWNIKA = GetParam().user;
  EXPECT_EQ(POBIERZUPRAWNIENIE(GetParam().code, GetParam().object1, GetParam().object2), GetParam().expected);
}

TEST_P(PermissionLevels, SameAnswerFromListsOutOfKeyOrder) {
  const auto grants = dane::ACCESSQ;
  const auto catalogue = dane::UPRAWNQ;
  dane::ACCESSQ.reset();
  dane::UPRAWNQ.reset();
  for (std::size_t n = grants.count(); n > 0; --n) {
    dane::ACCESSQ.buffer = *grants.entry(n);
    dane::ACCESSQ.add();
  }
  for (std::size_t n = catalogue.count(); n > 0; --n) {
    dane::UPRAWNQ.buffer = *catalogue.entry(n);
    dane::UPRAWNQ.add();
  }
  ASSERT_FALSE(dane::ACCESSQ.ordered_by<AccessEntry::ByCodeAndObjects>());
  ASSERT_FALSE(dane::UPRAWNQ.ordered_by<UprawnEntry::ByCode>());
  dane::GLO.ID_MAGAZYNU = GetParam().warehouse;
  dane::GLO.ID_UZYTKOWNIKA = GetParam().user;
  EXPECT_EQ(POBIERZUPRAWNIENIE(GetParam().code, GetParam().object1, GetParam().object2), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PermissionLevels,
    ::testing::Values(LevelRow{"general_limited", "X", none, none, 0, kUser, 2},
                      LevelRow{"object_with_full_grant", "X", 5, none, 0, kUser, 1},
                      LevelRow{"object_without_grant", "X", 6, none, 0, kUser, 0},
                      LevelRow{"object_with_limited_grant", "X", 7, none, 0, kUser, 2},
                      LevelRow{"second_object_full", "X", 7, 9, 0, kUser, 1},
                      LevelRow{"second_object_limited", "X", 7, 8, 0, kUser, 2},
                      LevelRow{"second_object_without_grant", "X", 7, 1, 0, kUser, 0},
                      LevelRow{"full_object_covers_every_second", "X", 5, 123, 0, kUser, 1},
                      LevelRow{"zero_objects_given_stay_general", "X", 0, 0, 0, kUser, 2},
                      LevelRow{"second_object_alone", "X", none, 9, 0, kUser, 0},
                      LevelRow{"not_per_warehouse_ignores_warehouse", "X", none, none, 5, kUser, 2},
                      LevelRow{"lower_case_code", "x", none, none, 0, kUser, 2},
                      LevelRow{"trailing_blanks", "X    ", 5, none, 0, kUser, 1},
                      LevelRow{"polish_letters_in_lower_case", "żółw", none, none, 0, kUser, 2},
                      LevelRow{"code_cut_to_twenty_characters", "abcdefghijklmnopqrstUVW", none, none, 0,
                               kUser, 1},
                      LevelRow{"full_general_covers_every_object", "FULL", 99, 99, 0, kUser, 1},
                      LevelRow{"listed_with_trailing_blanks", "Padded", none, none, 0, kUser, 1},
                      LevelRow{"code_between_listed_codes", "NOGRANTX", none, none, 0, kUser, 0},
                      LevelRow{"prefix_of_a_listed_code", "MA", none, none, 3, kUser, 0},
                      LevelRow{"granted_but_not_catalogued", "ORPHAN", none, none, 0, kUser, 0},
                      LevelRow{"catalogued_without_grant", "NOGRANT", none, none, 0, kUser, 0},
                      LevelRow{"unknown_code", "NIEZNANY", none, none, 0, kUser, 0},
                      LevelRow{"current_warehouse_full", "MAG", none, none, 3, kUser, 1},
                      LevelRow{"current_warehouse_limited", "MAG", none, none, 4, kUser, 2},
                      LevelRow{"current_warehouse_without_grant", "MAG", none, none, 5, kUser, 0},
                      LevelRow{"current_warehouse_truncated", "MAG", none, none, 3.9, kUser, 1},
                      LevelRow{"current_warehouse_beyond_32_bits", "MAG", none, none, 1e12, kUser, 0},
                      LevelRow{"given_zero_is_not_the_current_warehouse", "MAG", 0, none, 3, kUser, 2},
                      LevelRow{"given_warehouse_wins", "MAG", 4, none, 3, kUser, 2},
                      LevelRow{"current_warehouse_then_second_object", "MAG", none, 1, 4, kUser, 0},
                      LevelRow{"administrator_uncatalogued", "ORPHAN", none, none, 0, kAdmin, 1},
                      LevelRow{"administrator_unknown", "COKOLWIEK", 5, 6, 0, kAdmin, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct FlagRow {
  const char* name;
  const char* code;
  double user;
  const char* flags;
  bool own_documents_only;
};

class PermissionFlags : public PermissionChecks, public ::testing::WithParamInterface<FlagRow> {};

TEST_P(PermissionFlags, LimitedGeneralGrantsGiveTheirLetters) {
  dane::GLO.ID_UZYTKOWNIKA = GetParam().user;
  const FlagText flags = POBIERZFLAGEUPRAWNIENIA(GetParam().code);
  EXPECT_EQ(flags.str(), GetParam().flags);
  EXPECT_EQ(DOSTEPDOWLASNYCHDOKUMENTOW(GetParam().code), GetParam().own_documents_only);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PermissionFlags,
    ::testing::Values(FlagRow{"limited_padded_to_twenty", "x", kUser, "WD                  ", true},
                      FlagRow{"polish_code", "Żółw", kUser, "W                   ", true},
                      FlagRow{"without_w", "OKontr", kUser, "D                   ", false},
                      FlagRow{"lower_case_w_is_not_w", "LOWER", kUser, "w                   ", false},
                      FlagRow{"full_grant_has_no_flags", "FULL", kUser, "", false},
                      FlagRow{"not_catalogued", "ORPHAN", kUser, "", false},
                      FlagRow{"catalogued_without_grant", "NOGRANT", kUser, "", false},
                      FlagRow{"administrator", "X", kAdmin, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PermissionChecks, EveryGrantOfALongRunIsFoundAndNoneOfItsNeighbours) {
  for (const char* code : {"RUN", "RUM", "RUNA"}) {
    dane::UPRAWNQ.buffer = UprawnEntry{code, ""};
    dane::UPRAWNQ.add_in_order<UprawnEntry::ByCode>();
  }
  grant("RUM", 0, 0, 2);
  grant("RUM", 200, 0, 1);
  grant("RUNA", 0, 0, 2);
  grant("RUNA", 150, 0, 1);
  grant("RUN", 0, 0, 2);
  for (std::int32_t object = 1; object <= 129; ++object) grant("RUN", object, 0, object % 2 == 0 ? 1 : 2);
  for (std::int32_t object = 1; object <= 129; ++object) {
    ASSERT_EQ(POBIERZUPRAWNIENIE("run", object), object % 2 == 0 ? 1 : 2) << object;
  }
  EXPECT_EQ(POBIERZUPRAWNIENIE("run", 130), 0);
  EXPECT_EQ(POBIERZUPRAWNIENIE("run", 150), 0) << "RUNA's object";
  EXPECT_EQ(POBIERZUPRAWNIENIE("run", 200), 0) << "RUM's object";
  EXPECT_EQ(POBIERZUPRAWNIENIE("runa", 150), 1);
  EXPECT_EQ(POBIERZUPRAWNIENIE("rum", 200), 1);
}

TEST_F(PermissionChecks, FlagTextComparesWithoutTrailingBlanks) {
  const FlagText flags = POBIERZFLAGEUPRAWNIENIA("X", 5, 7);
  EXPECT_TRUE(flags == "WD");
  EXPECT_EQ(flags.clipped(), "WD");
  EXPECT_FALSE(flags == "W");
  EXPECT_TRUE(FlagText{}.empty());
  EXPECT_EQ(FlagText::padded("ABCDEFGHIJKLMNOPQRSTUVWXYZ").str(), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(FlagText::padded("ŻÓŁ").view().size(), 3u * 2 + 17);
}

const std::string kContractorCondition =
    "A.id_kontrahenta in (select id_elementu from MAG_ELEMENTY_LISTY_OBIEKTOW melo with (nolock) inner "
    "join  MAG_LISTA_OBIEKTOW mel with (nolock) on (melo.id_listy=mel.id_listy and mel.id_firmy=2 and "
    "mel.uzycie=120)  inner join MAG_GRUPAUZYTKOWNIKOW_LISTY_OBIEKTOW mglo  with (nolock) on "
    "(mglo.id_listy=mel.id_listy)  inner join UZYTKOWNIKGRUPY ug with (nolock)  on "
    "(ug.id_grupy=mglo.id_grupy) "
    " where ug.id_uzytkownika=3000003)";

struct ContractorRow {
  const char* name;
  const char* code;
  std::uint8_t flag;
  std::uint8_t kind;
  const char* flags;
  double user;
  bool limited;
};

class ContractorFilter : public PermissionChecks, public ::testing::WithParamInterface<ContractorRow> {};

TEST_P(ContractorFilter, OnlyLimitedOKontrGivesTheCondition) {
  dane::ACCESSQ.reset();
  if (GetParam().kind != 0) grant("OKONTR", 0, 0, GetParam().kind, GetParam().flags);
  dane::GLO.ID_UZYTKOWNIKA = GetParam().user;
  EXPECT_EQ(FILTRUPRAWTYLKOWGLISTZAZN(GetParam().code, GetParam().flag),
            GetParam().limited ? kContractorCondition : "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ContractorFilter,
    ::testing::Values(ContractorRow{"limited_without_flag_asked", "OKontr", 0, 2, "", kUser, true},
                      ContractorRow{"limited_with_d_and_flag", "OKontr", 1, 2, "WD", kUser, true},
                      ContractorRow{"limited_without_d_but_flag", "OKontr", 1, 2, "W", kUser, false},
                      ContractorRow{"trailing_blanks", "OKontr   ", 0, 2, "", kUser, true},
                      ContractorRow{"lower_case_code", "okontr", 0, 2, "D", kUser, false},
                      ContractorRow{"other_code", "OKontrD", 0, 2, "D", kUser, false},
                      ContractorRow{"full_access", "OKontr", 0, 1, "D", kUser, false},
                      ContractorRow{"no_grant", "OKontr", 0, 0, "", kUser, false},
                      ContractorRow{"administrator", "OKontr", 0, 2, "D", kAdmin, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PermissionChecks, ContractorConditionCarriesTheSessionsFirmAndUser) {
  dane::GLO.ID_FIRMY = 14;
  dane::GLO.ID_UZYTKOWNIKA = 3000123;
  const std::string condition = FILTRUPRAWTYLKOWGLISTZAZN("OKontr");
  EXPECT_NE(condition.find("mel.id_firmy=14 and"), std::string::npos) << condition;
  EXPECT_TRUE(condition.ends_with("where ug.id_uzytkownika=3000123)")) << condition;
}

}  // namespace
}  // namespace keldox

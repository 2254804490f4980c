// The query bridge: the module's connection, delimited results, and their splitting into session lists.
#include <string>

#include "dane/lists_settings.h"
#include "dane/lists_startup.h"
#include "keldox/query_bridge.h"
#include "named_rows.h"
#include "runtime/text.h"
#include "util_library_fixture.h"

namespace keldox {
namespace {

using testing::kParameterRows;
using testing::MessageKind;
using testing::parameter_code;

// The list as "ID|KOD|MASKA|WARTOSC" per entry, entries joined by "/".
std::string listed(const dane::SessionList<dane::ParamKonfEntry>& list) {
  std::string out;
  for (const dane::ParamKonfEntry& e : list) {
    if (!out.empty()) out += "/";
    out += std::to_string(static_cast<long long>(e.ID_POZYCJI)) + "|" + e.KOD.str() + "|" + e.MASKA.str() +
           "|" + e.WARTOSC.str();
  }
  return out;
}

struct SplitRow {
  const char* name;
  const char* result;
  const char* record_separator;
  const char* field_separator;
  const char* expected;
};

class SplitIntoList : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitIntoList, AppendsTheRecordsThatTheRulesAdmit) {
  dane::SessionList<dane::ParamKonfEntry> list;
  list.buffer.KOD = "LEFT IN BUFFER";
  DOTNETZALADUJKOLEJKE(list, GetParam().result, GetParam().record_separator, GetParam().field_separator);
  EXPECT_EQ(listed(list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SplitIntoList,
    ::testing::Values(
        SplitRow{"no_record_separator_adds_nothing", "1;KOD;M;W", "", "", ""},
        SplitRow{"one_record_needs_its_separator", "1;KOD;M;W^", "", "", "1|KOD|M|W"},
        SplitRow{"text_after_the_last_separator_is_a_record", "1;A^2;B", "", "", "1|A||/2|B||"},
        SplitRow{"record_without_field_separator_is_skipped", "1;A^lone^^2;B;^", "", "", "1|A||/2|B||"},
        SplitRow{"pieces_beyond_the_fields_are_ignored", "1;A;M;W;extra;more^", "", "", "1|A|M|W"},
        SplitRow{"empty_pieces_clear_their_fields", "5;;M;^", "", "", "5||M|"},
        SplitRow{"numbers_by_ordinary_assignment", " 12.9x;A;^abc;B;^", "", "", "12|A||/0|B||"},
        SplitRow{"separators_are_first_characters", "1|A|M~2|B~", "~~", "|;", "1|A|M|/2|B||"},
        SplitRow{"blank_separators_are_the_defaults", "3;C^", "  ", " ", "3|C||"},
        SplitRow{"multibyte_separators", "1§Ą¤2§Ę¤", "¤", "§", "1|Ą||/2|Ę||"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SplitIntoListCuts, PiecesRecordsAndFieldsToTheirWidths) {
  dane::SessionList<dane::ParamKonfEntry> list;
  const std::string long_piece(2500, 'w');
  const std::string record_too_long = "2;" + std::string(9997, 'k') + ";LOST^";
  DOTNETZALADUJKOLEJKE(list, "1;ŻÓŁĆĘŚĄŹŃżółćęśąźńabcdef;M;" + long_piece + "^" + record_too_long);
  ASSERT_EQ(list.count(), 2u);
  EXPECT_EQ(list.entry(1)->KOD.str(), "ŻÓŁĆĘŚĄŹŃżółćęśąźńab");
  EXPECT_EQ(list.entry(1)->WARTOSC.str(), std::string(249, 'w'));
  EXPECT_EQ(list.entry(2)->KOD.str(), std::string(20, 'k'));
  EXPECT_EQ(list.entry(2)->MASKA.str(), "") << "the record is cut at 10,000 characters before its last piece";
}

class QueryBridge : public testing::UtilLibraryTest {
 protected:
  void SetUp() override {
    UtilLibraryTest::SetUp();
    ASSERT_EQ(DOTNETUTWORZPOLACZENIESQL(), "1");
  }
};

TEST_F(QueryBridge, ConnectionFailureWarnsWithTheModulesReasonAndAnswersIt) {
  dane::GLO.OWNERNAME = "sqlite:" + folder_->file("brak/baza.db");
  const std::string answer = DOTNETUTWORZPOLACZENIESQL();
  ASSERT_TRUE(answer.starts_with("-1")) << answer;
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, MessageKind::warning);
  EXPECT_EQ(
      boxes.shown[0].text,
      "Wystąpił błąd połączenia do bazy modułu ZORVAutilKS!|Skontaktuj się z Administratorem systemu.|" +
          std::string(runtime::trim_right(answer.substr(2))));
  EXPECT_NE(boxes.shown[0].text.find("baza.db"), std::string::npos);
}

TEST_F(QueryBridge, GivesTheDelimitedResultWithTheCallersSeparators) {
  EXPECT_EQ(DOTNETPODAJKOLEJKESQL("select top 2 ID_POZYCJI, MASKA from PARAMETRY_TESTU order by ID_POZYCJI"),
            "1;M1;^2;M2;^");
  EXPECT_EQ(DOTNETPODAJKOLEJKESQL("select top 2 ID_POZYCJI, MASKA from PARAMETRY_TESTU order by ID_POZYCJI",
                                  "~~", "|x"),
            "1|M1|~2|M2|~");
  EXPECT_EQ(DOTNETPODAJKOLEJKESQL("select 1, 'Łódź'", "¤", "§"), "1§Łódź§¤");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(QueryBridge, SeparatorInsideAValueEmptiesTheAnswerSoTheListStaysUntouched) {
  dane::SessionList<dane::ParamKonfEntry> list;
  const std::string result =
      DOTNETPODAJKOLEJKESQL("select 1, 'A;B', 'M', 'W' union all select 2, 'C', 'M', 'W' order by 1");
  EXPECT_EQ(result, "");
  DOTNETZALADUJKOLEJKE(list, result);
  EXPECT_EQ(list.count(), 0u);
  EXPECT_EQ(DOTNETPODAJKOLEJKESQL("select 1, 'A^B'"), "");
  EXPECT_EQ(DOTNETPODAJKOLEJKESQL("select 1, 'A;B'", "^", "|"), "1|A;B|^");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(QueryBridge, ResultBeyondTheLimitIsNotCutButEmptied) {
  const std::string all = DOTNETPODAJKOLEJKESQL("select ID_POZYCJI, WARTOSC from PARAMETRY_TESTU");
  EXPECT_EQ(all, "") << "10,000 rows of 420 characters exceed 4,000,000 characters";
  const std::string part =
      DOTNETPODAJKOLEJKESQL("select top 9000 ID_POZYCJI, WARTOSC from PARAMETRY_TESTU order by ID_POZYCJI");
  std::size_t expected = 0;
  for (int i = 1; i <= 9000; ++i) expected += std::to_string(i).size() + 1 + 420 + 2;
  EXPECT_EQ(runtime::char_count(part), expected) << "9000 rows stay under the limit and come whole";
}

TEST_F(QueryBridge, StatementBeyondItsWidthIsCut) {
  const std::string statement = "select 7, 'x'" + std::string(9999, ' ') + "garbage beyond the width";
  EXPECT_EQ(DOTNETPODAJKOLEJKESQL(statement), "7;x;^");
}

TEST_F(QueryBridge, FillsParameterListFromTenThousandRowsCuttingToFieldWidths) {
  dane::S_PARAMKONFQ.reset();
  DOTNETZALADUJKOLEJKE(dane::S_PARAMKONFQ, DOTNETPODAJKOLEJKESQL("select ID_POZYCJI, KOD, MASKA from "
                                                                 "PARAMETRY_TESTU order by ID_POZYCJI"));
  ASSERT_EQ(dane::S_PARAMKONFQ.count(), static_cast<std::size_t>(kParameterRows));
  for (int i = 1; i <= kParameterRows; ++i) {
    const dane::ParamKonfEntry& e = *dane::S_PARAMKONFQ.entry(static_cast<std::size_t>(i));
    ASSERT_EQ(e.ID_POZYCJI, i);
    ASSERT_EQ(e.KOD.str(), runtime::cut_to_width(parameter_code(i), 20));
    ASSERT_EQ(e.MASKA.str(), "M" + std::to_string(i % 7));
    ASSERT_TRUE(e.WARTOSC.blank());
  }
  dane::S_PARAMKONFQ.reset();
}

TEST_F(QueryBridge, FillsWarehouseListFromTheDemoDatabase) {
  dane::KOL_MAGAZYNOW.reset();
  DOTNETZALADUJKOLEJKE(dane::KOL_MAGAZYNOW,
                       DOTNETPODAJKOLEJKESQL("select ID_MAGAZYNU, 1 from MAGAZYN order by ID_MAGAZYNU"));
  EXPECT_GT(dane::KOL_MAGAZYNOW.count(), 0u);
  for (const dane::MagazynEntry& e : dane::KOL_MAGAZYNOW) {
    EXPECT_GT(e.ID_MAGAZYNU, 0u);
    EXPECT_EQ(e.SYSTEM_SPRZEDAZY, 1);
  }
  dane::KOL_MAGAZYNOW.reset();
}

}  // namespace
}  // namespace keldox

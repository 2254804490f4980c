#include "keldox/messages.h"

#include <gtest/gtest.h>

#include "ui_script/script_host.h"

namespace keldox {
namespace {

class Messages : public ::testing::Test {
 protected:
  void SetUp() override {
    script.on_failure([](const std::string& m) { ADD_FAILURE() << m; });
    dane::install_host(&script);
  }
  void TearDown() override { dane::install_host(nullptr); }
  ui_script::ScriptHost script;
};

TEST_F(Messages, QuestionAnswersTwoForYesFourForNo) {
  script.answer("Tak").answer("Nie");
  EXPECT_EQ(MSG_PYTANIE("Czy usunąć?"), 2);
  EXPECT_EQ(MSG_PYTANIE("Czy usunąć?"), 4);
  const auto shown = script.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].title, "MIRLET: Pytanie");
  EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"Tak", "Nie"}));
}

TEST_F(Messages, QuestionDefaultsToNo) {
  script.on_failure([](const std::string&) {});  // an unscripted box takes its default
  EXPECT_EQ(MSG_PYTANIE("Czy zakończyć?"), 4);
}

struct TitleRow {
  const char* name;
  const char* given;
  const char* shown;
};

class QuestionTitle : public Messages, public ::testing::WithParamInterface<TitleRow> {};

TEST_P(QuestionTitle, BlankTitlesFallBackAndOthersLoseTrailingBlanks) {
  script.answer("Tak");
  MSG_PYTANIE("tekst", GetParam().given);
  EXPECT_EQ(script.shown().at(0).title, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Titles, QuestionTitle,
                         ::testing::Values(TitleRow{"empty", "", "MIRLET: Pytanie"},
                                           TitleRow{"blanks_only", "     ", "MIRLET: Pytanie"},
                                           TitleRow{"own", "Zapis wariantu   ", "Zapis wariantu"},
                                           TitleRow{"leading_blank_kept", " Uwaga", " Uwaga"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Messages, NoticeAndWarningHaveTheirTitlesAndOneButton) {
  script.answer("OK", "MIRLET: Informacja", "Zapisano|2 pozycje").answer("OK", "MIRLET: Ostrzeżenie");
  MSG_INFORMACJA("Zapisano|2 pozycje");
  MSG_OSTRZEZENIE("Brak uprawnień!");
  const auto shown = script.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"OK"}));
  EXPECT_EQ(shown[1].text, "Brak uprawnień!");
  EXPECT_TRUE(script.finished());
}

TEST_F(Messages, ErrorWindowShowsStatementUnderDriverMessage) {
  ERRORWIN("select * from walutyy", "no such table: walutyy");
  const auto shown = script.shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, "error");
  EXPECT_EQ(shown[0].title, "no such table: walutyy");
  EXPECT_EQ(shown[0].text, "select * from walutyy");
}

}  // namespace
}  // namespace keldox

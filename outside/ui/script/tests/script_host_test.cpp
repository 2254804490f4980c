#include "ui_script/script_host.h"

#include <gtest/gtest.h>

namespace ui_script {
namespace {

using dane::button::kNo;
using dane::button::kOk;
using dane::button::kYes;

dane::MessageBox question(std::string text) {
  return dane::MessageBox{"MIRLET: Pytanie", std::move(text), dane::Icon::Question, kYes | kNo, {}, kNo};
}

TEST(ScriptedAnswers, StandardButtonsByPolishOrEnglishName) {
  ScriptHost h;
  h.answer("Tak").answer("no").answer("&Tak");
  EXPECT_EQ(h.message(question("1")), kYes);
  EXPECT_EQ(h.message(question("2")), kNo);
  EXPECT_EQ(h.message(question("3")), kYes);
  EXPECT_TRUE(h.finished());
  EXPECT_TRUE(h.failures().empty());
  const auto shown = h.shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"Tak", "Nie"}));
  EXPECT_EQ(shown[2].answer, kYes);
}

TEST(ScriptedAnswers, CustomButtonsAnswerTheirPosition) {
  ScriptHost h;
  h.answer("Usuń wariant");
  dane::MessageBox box{"MIRLET: Pytanie",
                       "Wariant",
                       dane::Icon::Question,
                       0,
                       dane::split_bar_list("Zapisz zmianę|Nowy wariant|Usuń wariant|Anuluj"),
                       4};
  EXPECT_EQ(h.message(box), 3);
}

TEST(ScriptedFailures, RunningOutAnswersTheDefaultAndNamesTheBox) {
  ScriptHost h;
  std::vector<std::string> reported;
  h.on_failure([&](const std::string& m) { reported.push_back(m); });
  EXPECT_EQ(h.message(question("Czy zakończyć pracę?")), kNo);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_NE(reported[0].find("MIRLET: Pytanie"), std::string::npos);
  EXPECT_NE(reported[0].find("Czy zakończyć pracę?"), std::string::npos);
  EXPECT_EQ(h.failures(), reported);
}

TEST(ScriptedFailures, BrokenExpectationOrUnknownButtonIsReported) {
  ScriptHost h;
  h.answer("Tak", "Ostrzeżenie").answer("Zapisz");
  EXPECT_EQ(h.message(question("x")), kNo);  // title does not match: default answer
  EXPECT_EQ(h.message(question("y")), kNo);  // no such button
  const auto failures = h.failures();
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[0].find("step 1"), std::string::npos);
  EXPECT_NE(failures[1].find("Zapisz"), std::string::npos);
}

TEST(ScriptedFailures, FileStepMeetingABoxIsReported) {
  ScriptHost h;
  h.choose_file("/tmp/a.txt");
  dane::MessageBox info{"MIRLET: Informacja", "ok", dane::Icon::Information, kOk, {}, kOk};
  EXPECT_EQ(h.message(info), kOk);
  EXPECT_EQ(h.failures().size(), 1u);
}

TEST(ScriptedDialogs, FileChoiceCancelAndRecords) {
  ScriptHost h;
  h.choose_file("/tmp/przelewy.txt").cancel_file();
  dane::FileDialog d{dane::FileDialog::Kind::Save, "Zapisz", "", "Pliki tekstowe|*.txt|Wszystkie pliki|*.*"};
  EXPECT_EQ(h.choose_file(d), "/tmp/przelewy.txt");
  EXPECT_FALSE(h.choose_file(d).has_value());
  EXPECT_TRUE(h.open_with_desktop("mailto:biuro@firma.pl"));
  h.error_window("select * from x", "Błąd SQL");
  h.show_help("qorvis7.chm", "waluty.htm");
  const auto shown = h.shown();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[2].kind, "desktop");
  EXPECT_EQ(shown[2].text, "mailto:biuro@firma.pl");
  EXPECT_EQ(shown[3].kind, "error");
  EXPECT_EQ(shown[3].title, "Błąd SQL");
  EXPECT_EQ(shown[4].text, "waluty.htm");
  EXPECT_TRUE(h.failures().empty());
}

TEST(ScriptFile, ParsesStepsWithQuotesAndComments) {
  std::string error;
  const auto steps = ScriptHost::parse(
      "# zamykanie\n"
      "answer Tak \"MIRLET: Pytanie\" \"Czy zakończyć\"\r\n"
      "\n"
      "answer \"Nowy wariant\"  # drugi\n"
      "file \"/tmp/a b.txt\"\n"
      "cancel-file\n"
      "browse popup SYM_WALUTY=PLN\n"
      "popup \"Ustaw walutę bazową\"\n"
      "popup-dismiss\n",
      &error);
  ASSERT_TRUE(steps.has_value()) << error;
  ASSERT_EQ(steps->size(), 7u);
  EXPECT_EQ((*steps)[4].action, "popup");
  EXPECT_EQ((*steps)[4].value, "PLN");
  EXPECT_EQ((*steps)[5].kind, Step::Kind::Popup);
  EXPECT_EQ((*steps)[5].action, "Ustaw walutę bazową");
  EXPECT_EQ((*steps)[6].kind, Step::Kind::Popup);
  EXPECT_EQ((*steps)[6].action, "");
  EXPECT_EQ((*steps)[0].expect_title, "MIRLET: Pytanie");
  EXPECT_EQ((*steps)[0].expect_text, "Czy zakończyć");
  EXPECT_EQ((*steps)[1].button, "Nowy wariant");
  EXPECT_EQ((*steps)[2].path, "/tmp/a b.txt");
  EXPECT_EQ((*steps)[3].kind, Step::Kind::CancelFile);
}

TEST(ScriptFile, RefusesWhatItDoesNotUnderstandWithTheLine) {
  std::string error;
  EXPECT_FALSE(ScriptHost::parse("answer Tak\nclick OK\n", &error).has_value());
  EXPECT_EQ(error, "line 2: not understood: click OK");
  EXPECT_FALSE(ScriptHost::parse("answer \"Tak\n", &error).has_value());
  EXPECT_EQ(error, "line 1: unclosed quote");
  EXPECT_FALSE(ScriptHost::parse("answer\n", &error).has_value());
  EXPECT_FALSE(ScriptHost::parse("popup\n", &error).has_value());
}

}  // namespace
}  // namespace ui_script

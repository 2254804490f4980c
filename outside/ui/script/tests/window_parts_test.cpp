// Toolbars, tooltips and progress windows through the scripted host: buttons pressed by name, tooltips
// recorded when the pointer rests on a control, a batch pass stopped where the script says.
#include <gtest/gtest.h>

#include "dane/process.h"
#include "dane/window.h"
#include "ui_script/script_host.h"

namespace ui_script {
namespace {

class ToolWindow : public dane::Window {
 public:
  ToolWindow() : Window("Narzedzia_Okno") {
    set_title("Narzędzia");
    toolbar().add_button("?Odswiez", "[31848(~wybierz.ico)]Odśwież", "Odświeża listę");
    toolbar().add_button("?Drukuj", "Drukuj");
    toolbar().set_enabled("?Drukuj", false);
    tooltips().add("?Odswiez", "Odświeża listę (F5)");
  }
  std::vector<std::string> accepted;

 protected:
  bool take_accepted(std::string_view control) override {
    accepted.emplace_back(control);
    return true;
  }
};

class WindowParts : public ::testing::Test {
 protected:
  void SetUp() override {
    script.on_failure([this](const std::string& m) { failures.push_back(m); });
    dane::install_host(&script);
  }
  void TearDown() override { dane::install_host(nullptr); }
  ScriptHost script;
  std::vector<std::string> failures;
};

TEST_F(WindowParts, ToolbarButtonsArePressedByNameAndTooltipsRecorded) {
  script.tool("?odswiez").hover("?Odswiez").tool("?Drukuj").hover("?Drukuj").close_window();
  ToolWindow w;
  dane::run_window(w);
  EXPECT_EQ(w.accepted, (std::vector<std::string>{"?Odswiez"}));
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[0].find("no enabled toolbar button ?Drukuj"), std::string::npos) << failures[0];
  EXPECT_NE(failures[1].find("control ?Drukuj of window Narzedzia_Okno"), std::string::npos) << failures[1];
  const auto shown = script.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].kind, "window");
  EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"Odśwież", "Drukuj"}));
  EXPECT_EQ(shown[1].kind, "tooltip");
  EXPECT_EQ(shown[1].title, "Narzędzia");
  EXPECT_EQ(shown[1].text, "Odświeża listę (F5)");
}

dane::MemoryRowSource numbers(int count) {
  dane::MemoryRowSource source({{"ID", "Id", "@n5", true}});
  for (int i = 1; i <= count; ++i) source.add({std::to_string(i)});
  return source;
}

TEST_F(WindowParts, ProgressIsRecordedAndAPassIsStoppedWhereTheScriptSays) {
  dane::MemoryRowSource source = numbers(400);
  script.cancel_progress_at(25);
  dane::ProcessPass stopped("Przeliczanie cen", source, {"id", {0}, false});
  stopped.set_total(400);
  const dane::ProcessResult first = stopped.run([](const dane::Row&) { return true; });
  EXPECT_TRUE(first.cancelled);
  EXPECT_EQ(first.rows, 100u);

  dane::ProcessPass counted("Liczenie", source, {"id", {0}, false});
  const dane::ProcessResult second = counted.run([](const dane::Row&) { return true; });
  EXPECT_FALSE(second.cancelled);
  EXPECT_EQ(second.rows, 400u);
  EXPECT_TRUE(failures.empty());
  EXPECT_TRUE(script.finished());

  const auto shown = script.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].kind, "progress");
  EXPECT_EQ(shown[0].title, "Przeliczanie cen");
  EXPECT_EQ(shown[0].answer, 25);
  EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"Przerwij"}));
  EXPECT_EQ(shown[1].answer, 100);
  EXPECT_EQ(shown[1].text, "Przetworzono rekordów: 384");  // the last count shown before the end
}

TEST_F(WindowParts, HelpOpensTheWindowsTopicInTheHelpFile) {
  script.press_help().close_window();
  ToolWindow w;
  w.set_help_topic("kar_fin_walut.htm");
  dane::run_window(w);
  const auto shown = script.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].kind, "help");
  EXPECT_EQ(shown[1].title, "qorvis7.chm");  // no local folder set
  EXPECT_EQ(shown[1].text, "kar_fin_walut.htm");
}

TEST_F(WindowParts, AStopStepMeetingAWindowIsReported) {
  script.cancel_progress_at(50);
  ToolWindow w;
  dane::run_window(w);
  ASSERT_FALSE(failures.empty());
  EXPECT_NE(failures[0].find("expects a progress window"), std::string::npos) << failures[0];
}

TEST(ScriptFileParts, ReadsToolHoverAndStopSteps) {
  std::string error;
  const auto steps =
      ScriptHost::parse("tool ?Odswiez\nhover \"?Zapisz zmiany\"\ncancel-progress 30\nhelp\n", &error);
  ASSERT_TRUE(steps.has_value()) << error;
  ASSERT_EQ(steps->size(), 4u);
  EXPECT_EQ((*steps)[3].kind, Step::Kind::Help);
  EXPECT_EQ((*steps)[0].kind, Step::Kind::Tool);
  EXPECT_EQ((*steps)[0].action, "?Odswiez");
  EXPECT_EQ((*steps)[1].column, "?Zapisz zmiany");
  EXPECT_EQ((*steps)[2].value, "30");
  EXPECT_FALSE(ScriptHost::parse("cancel-progress pół\n", &error).has_value());
  EXPECT_EQ(error, "line 1: expected a percent 0..100: pół");
  EXPECT_FALSE(ScriptHost::parse("cancel-progress 1000\n", &error).has_value());
}

}  // namespace
}  // namespace ui_script

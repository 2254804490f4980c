// Toolbars with the program's icons, tooltips on controls, and a batch pass the user stops from its
// progress window, in the Qt host.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "dane/browse.h"
#include "dane/form.h"
#include "dane/process.h"
#include "qt_test_support.h"
#include "ui_qt/qt_host.h"

namespace ui_qt {
namespace {

using testing::child;
using testing::expect_png_files;
using testing::when_shown;

class ToolWindow : public dane::Window {
 public:
  ToolWindow() : Window("Narzedzia_Okno") {
    set_title("Narzędzia");
    toolbar().add_button("?Odswiez", "[31848(~wybierz.ico)]Odśwież");
    toolbar().add_button("?Zamknij", "Zamknij okno", "Zamyka okno");
    toolbar().add_button("?Drukuj", "Drukuj");
    toolbar().set_enabled("?Drukuj", false);
    tooltips().add("?Odswiez", "Odświeża listę (F5)");
  }
  std::vector<std::string> accepted;

 protected:
  bool take_accepted(std::string_view control) override {
    accepted.emplace_back(control);
    if (control == "?Zamknij") close(dane::Response::Completed);
    return true;
  }
};

class QtWindowParts : public ::testing::Test {
 protected:
  void SetUp() override { dane::install_host(&host); }
  void TearDown() override { dane::install_host(nullptr); }
  QtHost host;
};

TEST_F(QtWindowParts, ToolbarShowsIconsTooltipsAndEnabledStateAndPressesRunTheWindow) {
  ToolWindow window;
  std::vector<QString> labels, tips;
  std::vector<bool> icons, enabled;
  when_shown("Narzedzia_Okno", [&](QWidget* w) {
    auto* bar = child<QToolBar>(w, "toolbar");
    for (QAction* a : bar->actions()) {
      labels.push_back(a->text());
      tips.push_back(a->toolTip());
      icons.push_back(!a->icon().isNull());
      enabled.push_back(a->isEnabled());
    }
    bar->actions()[0]->trigger();
    bar->actions()[2]->trigger();  // disabled: nothing runs
    bar->actions()[1]->trigger();  // the window closes itself
  });
  EXPECT_EQ(dane::run_window(window), dane::Response::Completed);
  EXPECT_EQ(labels, (std::vector<QString>{"Odśwież", "Zamknij okno", "Drukuj"}));
  EXPECT_EQ(tips[0], "Odświeża listę (F5)");
  EXPECT_EQ(tips[1], "Zamyka okno");
  EXPECT_EQ(icons, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(enabled, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(window.accepted, (std::vector<std::string>{"?Odswiez", "?Zamknij"}));
  expect_png_files(host.screenshots(), 1);
}

TEST_F(QtWindowParts, TooltipsReachTheNamedControlsOfBrowseAndForm) {
  dane::MemoryRowSource table({{"SYMBOL", "Symbol", "@s3"}});
  table.add({"PLN"});
  dane::BrowseWindow browse("Waluty_Brw", table);
  browse.tooltips().add("INSERT", "Dodaje walutę (Insert)");
  browse.tooltips().add("locator", "Szukaj według symbolu");
  QString insert_tip, locator_tip;
  when_shown("Waluty_Brw", [&](QWidget* w) {
    insert_tip = child<QPushButton>(w, "insert")->toolTip();
    locator_tip = child<QLineEdit>(w, "locator")->toolTip();
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_EQ(insert_tip, "Dodaje walutę (Insert)");
  EXPECT_EQ(locator_tip, "Szukaj według symbolu");

  dane::FormWindow form("Waluty_Upd");
  form.add_field({"SYM_WALUTY", "Symbol", "@s3", "", true});
  form.tooltips().add("sym_waluty", "Trzyliterowy symbol ISO");
  QString field_tip;
  when_shown("Waluty_Upd", [&](QWidget* w) {
    field_tip = child<QLineEdit>(w, "SYM_WALUTY")->toolTip();
    child<QPushButton>(w, "cancel")->click();
  });
  dane::run_window(form);
  EXPECT_EQ(field_tip, "Trzyliterowy symbol ISO");
}

// The stop button pressed while a pass runs on the GUI thread: the press arrives through the events the
// progress window lets through, and the pass ends early.
TEST_F(QtWindowParts, StopButtonEndsAPassRunningOnTheGuiThread) {
  dane::MemoryRowSource source({{"ID", "Id", "@n6", true}});
  for (int i = 1; i <= 5000; ++i) source.add({std::to_string(i)});
  bool stop_visible = false;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() != "progress" || !w->isVisible()) continue;
      auto* stop = child<QPushButton>(w, "stop");
      stop_visible = stop->isVisible();
      QTest::mouseClick(stop, Qt::LeftButton);
    }
  });
  dane::ProcessPass pass("Przeliczanie cen", source, {"id", {0}, false});
  pass.set_total(5000);
  const dane::ProcessResult result = pass.run([](const dane::Row&) { return true; });
  EXPECT_TRUE(stop_visible);
  EXPECT_TRUE(result.cancelled);
  EXPECT_LT(result.rows, 5000u);
}

}  // namespace
}  // namespace ui_qt

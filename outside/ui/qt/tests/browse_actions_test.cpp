// The Qt browse over a small table of goods: header sections sorting with the modifiers held at the click,
// the sort tabs, the buttons and keys of the browse's actions, icon columns and the user's column layout.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <string>
#include <vector>

#include "dane/browse.h"
#include "mirlet_testing/goods_browse.h"
#include "qt_test_support.h"
#include "ui_qt/qt_host.h"

namespace ui_qt {
namespace {

using dane::Row;
using testing::child;
using testing::when_shown;

using mirlet_testing::GoodsBrowse;
constexpr std::size_t kActive = mirlet_testing::kGoodsActive;

class QtBrowseActions : public ::testing::Test {
 protected:
  void SetUp() override {
    goods.add({"A01", "śruby", "Śruba M6", "0.40", "1", ""});
    goods.add({"A02", "wkręty", "Wkręt 4x40", "0.15", "0", ""});
    goods.add({"A03", "śruby", "Śruba M8", "0.60", "0", ""});
    goods.add({"A04", "nakrętki", "Nakrętka M6", "0.10", "1", ""});
    goods.add({"A05", "wkręty", "Wkręt 5x60", "0.25", "1", ""});
    goods.add({"A06", "śruby", "Śruba M10", "0.90", "1", "z atestem"});
    dane::install_host(&host);
  }
  void TearDown() override { dane::install_host(nullptr); }

  static std::vector<QString> column_texts(QTableView* view, int section) {
    std::vector<QString> texts;
    for (int row = 0; row < view->model()->rowCount(); ++row)
      texts.push_back(view->model()->index(row, section).data().toString());
    return texts;
  }
  static std::vector<QString> headers(QTableView* view) {
    std::vector<QString> texts;
    for (int section = 0; section < view->model()->columnCount(); ++section)
      texts.push_back(view->model()->headerData(section, Qt::Horizontal).toString());
    return texts;
  }
  // A refresh keeps the current row but may show it elsewhere on the page.
  static bool current_has_icon(QTableView* view, int section) {
    const QModelIndex index = view->model()->index(view->currentIndex().row(), section);
    return !index.data(Qt::DecorationRole).value<QIcon>().isNull();
  }
  // A click released on the header section, with the keys held as a person holds them.
  static void click_header(QTableView* view, int section, Qt::KeyboardModifiers modifiers = {}) {
    QHeaderView* header = view->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, at);
  }

  dane::MemoryRowSource goods{{
      {"INDEKS", "Indeks", "@s6"},
      {"GRUPA", "Grupa", "@s10"},
      {"NAZWA", "Nazwa", "@s30"},
      {"CENA", "Cena", "@n10.2", true},
      mirlet_testing::goods_active_column(),
      mirlet_testing::goods_remarks_column(),
  }};
  QtHost host;
};

TEST_F(QtBrowseActions, HeaderSectionsSortWithCtrlAndShiftAsTheClickHeldThem) {
  GoodsBrowse browse(goods);
  std::vector<std::vector<QString>> marks, order;
  bool indicator = true;
  when_shown("Towary_Brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    indicator = view->horizontalHeader()->isSortIndicatorShown();
    click_header(view, 1);
    marks.push_back(headers(view));
    order.push_back(column_texts(view, 0));
    click_header(view, 3, Qt::ControlModifier);
    click_header(view, 3, Qt::ControlModifier);  // the second column turns round, the first stays
    marks.push_back(headers(view));
    order.push_back(column_texts(view, 0));
    click_header(view, 2, Qt::ShiftModifier);
    marks.push_back(headers(view));
    order.push_back(column_texts(view, 0));
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_FALSE(indicator);
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[0], (std::vector<QString>{"Indeks", "Grupa[+]", "Nazwa", "Cena", "A"}));
  EXPECT_EQ(order[0][0], "A04");  // "nakrętki" before "śruby" and "wkręty"
  EXPECT_EQ(marks[1], (std::vector<QString>{"Indeks", "Grupa[+1]", "Nazwa", "Cena[-2]", "A"}));
  EXPECT_EQ(order[1], (std::vector<QString>{"A04", "A06", "A03", "A01", "A05", "A02"}));
  EXPECT_EQ(marks[2], (std::vector<QString>{"Indeks", "Grupa", "Nazwa", "Cena", "A"}));
  EXPECT_EQ(order[2], (std::vector<QString>{"A01", "A02", "A03", "A04", "A05", "A06"}));
  EXPECT_FALSE(browse.header_sorted());
}

TEST_F(QtBrowseActions, SortTabsSwitchTheOrderClearTheLocatorAndFollowTheBrowse) {
  GoodsBrowse browse(goods);
  std::vector<QString> tab_texts, marks_after_tab;
  QString located, locator_after_tab, first_by_name;
  int tab_after_key = -1;
  when_shown("Towary_Brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    auto* tabs = child<QTabBar>(w, "orders");
    for (int i = 0; i < tabs->count(); ++i) tab_texts.push_back(tabs->tabText(i));
    click_header(view, 1);
    auto* locator = child<QLineEdit>(w, "locator");
    QTest::keyClicks(locator, "w");  // the locator searches the header sort's column
    located = view->model()->index(view->currentIndex().row(), 1).data().toString();
    tabs->setCurrentIndex(1);
    locator_after_tab = locator->text();
    marks_after_tab = headers(view);
    first_by_name = view->model()->index(0, 2).data().toString();
    tabs->setCurrentIndex(0);
    QTest::keyClick(view, Qt::Key_N, Qt::ShiftModifier);  // the browse's own action picks the order
    tab_after_key = tabs->currentIndex();
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_EQ(tab_texts, (std::vector<QString>{"indeks", "nazwa"}));
  EXPECT_EQ(located, "wkręty");
  EXPECT_EQ(locator_after_tab, "");
  EXPECT_EQ(marks_after_tab, (std::vector<QString>{"Indeks", "Grupa", "Nazwa", "Cena", "A"}));
  EXPECT_EQ(first_by_name, "Nakrętka M6");
  EXPECT_EQ(tab_after_key, 1);
  EXPECT_EQ(browse.sort_order().name, "nazwa");
}

TEST_F(QtBrowseActions, ActionKeysAndButtonsRunTheActionsAndFollowWhetherTheyCanRun) {
  GoodsBrowse browse(goods);
  QString button_text;
  bool select_button = true, active_first_row = false, icon_before = true, icon_after_key = false,
       icon_after_button = true, enabled_before = false, enabled_after_block = true;
  QString flag_text, current_after_key;
  when_shown("Towary_Brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    auto* activity = child<QPushButton>(w, "aktywnosc");
    button_text = activity->text();
    select_button = w->findChild<QPushButton*>("select") != nullptr;
    active_first_row = current_has_icon(view, 4);
    QTest::keyClick(view, Qt::Key_Down);  // A02, not active
    icon_before = current_has_icon(view, 4);
    flag_text = view->model()->index(1, 4).data().toString();
    QTest::keyClick(view, Qt::Key_F4);
    icon_after_key = current_has_icon(view, 4);
    current_after_key = view->model()->index(view->currentIndex().row(), 0).data().toString();
    enabled_before = activity->isEnabled();
    activity->click();
    icon_after_button = current_has_icon(view, 4);
    QTest::keyClick(child<QLineEdit>(w, "locator"), Qt::Key_B, Qt::ControlModifier);  // reaches the actions
    enabled_after_block = activity->isEnabled();
    QTest::keyClick(view, Qt::Key_F4);  // no longer available: nothing runs
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_EQ(button_text, "&Aktywność");
  EXPECT_FALSE(select_button);
  EXPECT_TRUE(active_first_row);
  EXPECT_FALSE(icon_before);
  EXPECT_EQ(flag_text, "");  // an icon column shows no "0"
  EXPECT_TRUE(icon_after_key);
  EXPECT_EQ(current_after_key, "A02");
  EXPECT_TRUE(enabled_before);
  EXPECT_FALSE(icon_after_button);
  EXPECT_FALSE(enabled_after_block);
  EXPECT_EQ(goods.rows()[1][kActive], "0");
}

TEST_F(QtBrowseActions, ButtonsThatNeedARowAreDisabledOverAnEmptyListAndHiddenActionsHaveNone) {
  goods.rows().clear();
  GoodsBrowse browse(goods);
  browse.set_action_visible("Delete", false);
  std::vector<bool> enabled;
  bool delete_shown = true;
  when_shown("Towary_Brw", [&](QWidget* w) {
    for (const char* name : {"insert", "change", "aktywnosc"})
      enabled.push_back(child<QPushButton>(w, name)->isEnabled());
    delete_shown = child<QPushButton>(w, "delete")->isVisible();
    QTest::keyClick(child<QTableView>(w, "list"), Qt::Key_F4);
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, false}));
  EXPECT_FALSE(delete_shown);
}

TEST_F(QtBrowseActions, TheUsersLayoutOrdersSizesAndPicturesTheColumnsAndClicksSortTheRightOne) {
  GoodsBrowse browse(goods);
  // Remarks are no list column: even the layout cannot show them.
  browse.set_layout({{2, 0, ""}, {0, 120, ""}, {3, 0, "@n10.3"}, {5, 80, ""}});
  std::vector<QString> before, after, prices;
  QString picture, first_name;
  int width = 0;
  when_shown("Towary_Brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    before = headers(view);
    width = view->columnWidth(1);
    picture = view->model()->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString();
    prices = column_texts(view, 2);
    click_header(view, 2);
    after = headers(view);
    first_name = view->model()->index(0, 0).data().toString();
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_EQ(before, (std::vector<QString>{"Nazwa", "Indeks", "Cena"}));
  EXPECT_EQ(width, 120);
  EXPECT_EQ(picture, "@n10.3");
  EXPECT_EQ(prices[0], "0.400");
  EXPECT_EQ(after, (std::vector<QString>{"Nazwa", "Indeks", "Cena[+]"}));
  EXPECT_EQ(first_name, "Nakrętka M6");
}

}  // namespace
}  // namespace ui_qt

// A browse over a few hundred rows and its update form in the Qt host: paging, the locator, header sorting,
// select mode, field validation sending the focus back, and OK.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <cstdio>
#include <memory>

#include "dane/browse.h"
#include "dane/form.h"
#include "dane/globals.h"
#include "qt_test_support.h"
#include "ui_qt/qt_host.h"

namespace ui_qt {
namespace {

using dane::Response;
using dane::Row;
using testing::child;
using testing::expect_png_files;
using testing::when_popup_shown;
using testing::when_shown;

std::string article_index(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "A%03d", number);
  return text;
}

// Counts what the browse reads, to show that it never reads the whole table.
class CountingSource : public dane::RowSource {
 public:
  explicit CountingSource(dane::MemoryRowSource& table) : table_(table) {}
  const std::vector<dane::Column>& columns() const override { return table_.columns(); }
  std::vector<Row> page(const dane::PageQuery& query, std::size_t count) override {
    largest_request = std::max(largest_request, count);
    return table_.page(query, count);
  }
  std::size_t largest_request = 0;

 private:
  dane::MemoryRowSource& table_;
};

class ArticleForm : public dane::FormWindow {
 public:
  ArticleForm(dane::MemoryRowSource& table, const Row* row)
      : FormWindow("Artykul_Upd"), table_(table), row_(row) {
    add_field({"INDEKS", "Indeks", "@s10", "", true});
    add_field({"NAZWA", "Nazwa", "@s40", "", true});
    add_field({"CENA", "Cena", "@n10.2", "", true});
    set_mode_titles("Dodawanie artykułu", "Zmiana artykułu");
  }

 protected:
  void prime() override { mutable_field("CENA")->value = "0.00"; }
  void load() override {
    for (std::size_t i = 0; i < 3; ++i) mutable_field(table_.columns()[i].name)->value = (*row_)[i];
  }
  bool validate_field(std::string_view name) override { return name != "CENA" || value(name) != "0.00"; }
  std::optional<std::string> validate_record() override {
    if (value("NAZWA").empty()) return "NAZWA";
    return std::nullopt;
  }
  bool save() override {
    Row r{value("INDEKS"), value("NAZWA"), value("CENA")};
    if (request() == dane::Request::Insert) {
      table_.add(r);
    } else {
      for (auto& existing : table_.rows()) {
        if (existing[0] == original("INDEKS")) existing = r;
      }
    }
    return true;
  }

 private:
  dane::MemoryRowSource& table_;
  const Row* row_;
};

class ArticleBrowse : public dane::BrowseWindow {
 public:
  ArticleBrowse(dane::RowSource& source, dane::MemoryRowSource& table)
      : BrowseWindow("Artykul_Brw", source), table_(table) {
    set_title("Kartoteka asortymentowa");
    add_sort_order({"indeks", {0}, false});
    add_sort_order({"nazwa", {1, 0}, false});
    install_header_sorter({}, {}, 1, false);
  }
  std::vector<Response> form_responses;

 protected:
  bool on_insert() override { return open_form(dane::Request::Insert, nullptr); }
  bool on_change(const Row& row) override { return open_form(dane::Request::Change, &row); }

 private:
  bool open_form(dane::Request request, const Row* row) {
    ArticleForm form(table_, row);
    form.set_request(request);
    const Response r = dane::run_window(form);
    form_responses.push_back(r);
    return r == Response::Completed;
  }
  dane::MemoryRowSource& table_;
};

class BrowseAndForm : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 1; i <= 300; ++i) {
      // Names run the other way, so that the name order differs from the index order.
      const std::string name = "Śruba ocynkowana " + article_index(301 - i).substr(1);
      table.add({article_index(i), name, std::to_string(i) + ".50"});
    }
    dane::install_host(&host);
  }
  void TearDown() override { dane::install_host(nullptr); }

  static QString cell(QTableView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
  }
  static QString current_cell(QTableView* view, int column) {
    return view->model()->index(view->currentIndex().row(), column).data().toString();
  }

  dane::MemoryRowSource table{{{"INDEKS", "Indeks", "@s10"},
                               {"NAZWA", "Nazwa artykułu", "@s40"},
                               {"CENA", "Cena zł", "@n10.2", true}}};
  CountingSource source{table};
  MemoryGeometryStore geometry;
  QtHost host{&geometry};
};

TEST_F(BrowseAndForm, PagesLocatesAndSortsWithoutReadingTheWholeTable) {
  ArticleBrowse browse(source, table);
  int page_rows = 0;
  QString first, after_page_down, after_page_up, located, first_by_name, first_by_name_descending, after_end,
      after_home, header, sorted_header, descending_header, picture, first_by_price, locator_after_sort;
  std::vector<QString> headers_by_price;
  bool indicator = true;
  when_shown("Artykul_Brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    auto* locator = child<QLineEdit>(w, "locator");
    page_rows = view->model()->rowCount();
    header = view->model()->headerData(1, Qt::Horizontal).toString();
    picture = view->model()->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString();
    first = cell(view, 0, 0);
    QTest::keyClick(view, Qt::Key_PageDown);
    after_page_down = cell(view, 0, 0);
    QTest::keyClick(view, Qt::Key_PageUp);
    after_page_up = cell(view, 0, 0);
    QTest::keyClick(view, Qt::Key_End);
    after_end = current_cell(view, 0);
    QTest::keyClick(view, Qt::Key_Home);
    after_home = current_cell(view, 0);
    QTest::keyClicks(locator, "A25");
    located = current_cell(view, 0);
    view->horizontalHeader()->sectionClicked(1);
    locator_after_sort = locator->text();
    sorted_header = view->model()->headerData(1, Qt::Horizontal).toString();
    first_by_name = cell(view, 0, 1);
    view->horizontalHeader()->sectionClicked(1);  // the same header again turns the order round
    descending_header = view->model()->headerData(1, Qt::Horizontal).toString();
    first_by_name_descending = cell(view, 0, 1);
    indicator = view->horizontalHeader()->isSortIndicatorShown();
    view->horizontalHeader()->sectionClicked(2);  // any column sorts, led by an order or not
    for (int section = 0; section < 3; ++section)
      headers_by_price.push_back(view->model()->headerData(section, Qt::Horizontal).toString());
    first_by_price = cell(view, 0, 2);
    child<QPushButton>(w, "close")->click();
  });
  EXPECT_EQ(dane::run_window(browse), Response::Completed);
  EXPECT_GT(page_rows, 3);
  EXPECT_LT(page_rows, 100);
  EXPECT_EQ(header, "Nazwa artykułu");
  EXPECT_EQ(picture, "@n10.2");
  EXPECT_EQ(first, "A001");
  EXPECT_EQ(after_page_down.toStdString(), article_index(page_rows + 1));
  EXPECT_EQ(after_page_up, "A001");
  EXPECT_EQ(after_end, "A300");
  EXPECT_EQ(after_home, "A001");
  EXPECT_EQ(located, "A250");
  EXPECT_EQ(locator_after_sort, "");
  EXPECT_EQ(sorted_header, "Nazwa artykułu[+]");
  EXPECT_EQ(first_by_name, "Śruba ocynkowana 001");
  EXPECT_EQ(descending_header, "Nazwa artykułu[-]");
  EXPECT_EQ(first_by_name_descending, "Śruba ocynkowana 300");
  EXPECT_FALSE(indicator);
  EXPECT_EQ(headers_by_price, (std::vector<QString>{"Indeks", "Nazwa artykułu", "Cena zł[+]"}));
  EXPECT_EQ(first_by_price, "1.50");
  EXPECT_TRUE(browse.header_sorted());
  EXPECT_LT(source.largest_request, 100u);
  ASSERT_TRUE(geometry.load("Artykul_Brw").has_value());
  expect_png_files(host.screenshots(), 1);
}

TEST_F(BrowseAndForm, ArrowKeysCrossPageEdges) {
  ArticleBrowse browse(source, table);
  QString below_last, above_first;
  when_shown("Artykul_Brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    const int rows = view->model()->rowCount();
    for (int i = 0; i < rows; ++i) QTest::keyClick(view, Qt::Key_Down);
    below_last = current_cell(view, 0);
    QTest::keyClick(view, Qt::Key_Up);
    above_first = current_cell(view, 0);
    QTest::keyClick(view, Qt::Key_Escape);
  });
  dane::run_window(browse);
  const int rows = static_cast<int>(browse.rows().size());
  EXPECT_EQ(below_last.toStdString(), article_index(rows + 1));
  EXPECT_EQ(above_first.toStdString(), article_index(rows));
}

TEST_F(BrowseAndForm, SelectModeClosesWithTheChosenRow) {
  ArticleBrowse browse(source, table);
  browse.set_request(dane::Request::Select);
  bool select_button = false;
  when_shown("Artykul_Brw", [&](QWidget* w) {
    select_button = w->findChild<QPushButton*>("select") != nullptr;
    auto* locator = child<QLineEdit>(w, "locator");
    QTest::keyClicks(locator, "A123");
    QTest::keyClick(locator, Qt::Key_Return);
  });
  EXPECT_EQ(dane::run_window(browse), Response::Completed);
  EXPECT_TRUE(select_button);
  ASSERT_TRUE(browse.selected_row().has_value());
  EXPECT_EQ((*browse.selected_row())[0], "A123");
}

TEST_F(BrowseAndForm, SelectModeClosedWithoutChoosingIsCancelled) {
  ArticleBrowse browse(source, table);
  browse.set_request(dane::Request::Select);
  when_shown("Artykul_Brw", [&](QWidget* w) { w->close(); });
  EXPECT_EQ(dane::run_window(browse), Response::Cancelled);
  EXPECT_FALSE(browse.selected_row().has_value());
}

TEST_F(BrowseAndForm, MaintainModeHasNoSelectButton) {
  ArticleBrowse browse(source, table);
  bool select_button = true;
  when_shown("Artykul_Brw", [&](QWidget* w) {
    select_button = w->findChild<QPushButton*>("select") != nullptr;
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_FALSE(select_button);
}

TEST_F(BrowseAndForm, RefusedFieldKeepsTheFormOpenWithTheFocusOnItAndOkSaves) {
  ArticleBrowse browse(source, table);
  QString title, focus_after_refusal, focus_after_ok_refusal;
  bool open_after_refusal = false;
  when_shown("Artykul_Brw", [&](QWidget* browse_window) {
    when_shown("Artykul_Upd", [&](QWidget* w) {
      title = w->windowTitle();
      auto* price = child<QLineEdit>(w, "CENA");
      auto* name = child<QLineEdit>(w, "NAZWA");
      price->setFocus();
      price->setText("0");
      name->setFocus();  // leaving the price accepts it; the form refuses a zero price
      testing::settle();
      open_after_refusal = w->isVisible();
      focus_after_refusal =
          QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
      price->setText("12.00");
      name->setFocus();
      testing::settle();
      name->clear();
      child<QPushButton>(w, "ok")->click();  // the record check wants a name
      testing::settle();
      focus_after_ok_refusal =
          QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
      name->setText("Wkręt do drewna ø4");
      child<QPushButton>(w, "ok")->click();
    });
    auto* view = child<QTableView>(browse_window, "list");
    QTest::keyClicks(child<QLineEdit>(browse_window, "locator"), "A002");
    QTest::keyClick(view, Qt::Key_F2);
    child<QPushButton>(browse_window, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_EQ(title, "Zmiana artykułu");
  EXPECT_TRUE(open_after_refusal);
  EXPECT_EQ(focus_after_refusal, "CENA");
  EXPECT_EQ(focus_after_ok_refusal, "NAZWA");
  EXPECT_EQ(browse.form_responses, (std::vector<Response>{Response::Completed}));
  EXPECT_EQ(table.rows()[1], (Row{"A002", "Wkręt do drewna ø4", "12.00"}));
  expect_png_files(host.screenshots(), 2);
}

TEST_F(BrowseAndForm, InsertKeyOpensAnEmptyFormAndCancelAddsNothing) {
  ArticleBrowse browse(source, table);
  QString title, price;
  when_shown("Artykul_Brw", [&](QWidget* browse_window) {
    when_shown("Artykul_Upd", [&](QWidget* w) {
      title = w->windowTitle();
      price = child<QLineEdit>(w, "CENA")->text();
      child<QLineEdit>(w, "INDEKS")->setText("B001");
      child<QPushButton>(w, "cancel")->click();
    });
    QTest::keyClick(child<QTableView>(browse_window, "list"), Qt::Key_Insert);
    child<QPushButton>(browse_window, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_EQ(title, "Dodawanie artykułu");
  EXPECT_EQ(price, "0.00");
  EXPECT_EQ(browse.form_responses, (std::vector<Response>{Response::Cancelled}));
  EXPECT_EQ(table.rows().size(), 300u);
}

TEST_F(BrowseAndForm, ReadOnlyFormDisablesFieldsAndOk) {
  ArticleForm form(table, &table.rows()[0]);
  form.set_request(dane::Request::View);
  bool field_enabled = true, ok_enabled = true;
  QString title;
  when_shown("Artykul_Upd", [&](QWidget* w) {
    title = w->windowTitle();
    field_enabled = child<QLineEdit>(w, "NAZWA")->isEnabled();
    ok_enabled = child<QPushButton>(w, "ok")->isEnabled();
    w->close();
  });
  EXPECT_EQ(dane::run_window(form), Response::Cancelled);
  EXPECT_EQ(title, "View Record");
  EXPECT_FALSE(field_enabled);
  EXPECT_FALSE(ok_enabled);
}

TEST_F(BrowseAndForm, RightClickPopupRunsTheActionOnTheRowUnderThePointer) {
  ArticleBrowse browse(source, table);
  browse.popup().set_text("Change", "[31848(~popraw2.ico)]Popraw");
  QString form_index;
  std::vector<QString> items;
  when_shown("Artykul_Brw", [&](QWidget* browse_window) {
    auto* view = child<QTableView>(browse_window, "list");
    when_popup_shown([&](QWidget* popup) {
      for (QAction* action : popup->actions()) items.push_back(action->text());
      when_shown("Artykul_Upd", [&](QWidget* w) {
        form_index = child<QLineEdit>(w, "INDEKS")->text();
        child<QPushButton>(w, "cancel")->click();
      });
      auto* menu = qobject_cast<QMenu*>(popup);
      ASSERT_NE(menu, nullptr);
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions()[1]).center());
    });
    const QPoint at = view->visualRect(view->model()->index(2, 1)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &click);
    child<QPushButton>(browse_window, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_EQ(items, (std::vector<QString>{"&Dodaj", "Popraw", "&Usuń", "&Wybierz"}));
  EXPECT_EQ(form_index, "A003");
  EXPECT_EQ(browse.form_responses, (std::vector<Response>{Response::Cancelled}));
}

TEST_F(BrowseAndForm, MenuKeyOpensThePopupUnderTheCurrentRowAndEscapeDismissesIt) {
  ArticleBrowse browse(source, table);
  QRect row_on_screen;
  QPoint popup_at;
  when_shown("Artykul_Brw", [&](QWidget* browse_window) {
    auto* view = child<QTableView>(browse_window, "list");
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    const QRect row = view->visualRect(view->currentIndex());
    row_on_screen = QRect(view->viewport()->mapToGlobal(row.topLeft()), row.size());
    QCursor::setPos(browse_window->mapToGlobal(QPoint(-200, -200)));  // the pointer away from the list
    when_popup_shown([&](QWidget* popup) {
      popup_at = popup->geometry().topLeft();
      QTest::keyClick(popup, Qt::Key_Escape);
    });
    QTest::keyClick(view, Qt::Key_Menu);
    child<QPushButton>(browse_window, "close")->click();
  });
  dane::run_window(browse);
  EXPECT_TRUE(browse.form_responses.empty());
  EXPECT_EQ(popup_at.y(), row_on_screen.bottom() + 1) << "the popup opens just under the current row";
  EXPECT_EQ(popup_at.x(), row_on_screen.left());
}

// Remembers the help topics asked for instead of starting a browser.
class HelpRecordingHost : public QtHost {
 public:
  using QtHost::QtHost;
  void show_help(std::string_view help_file, std::string_view topic) override {
    topics.push_back(std::string(help_file) + " " + std::string(topic));
  }
  std::vector<std::string> topics;
};

TEST(QtHelpKey, F1OpensTheTopicOfTheBrowseAndOfTheForm) {
  HelpRecordingHost host;
  dane::install_host(&host);
  dane::GLO.LOCALPATH = "/opt/mirlet   ";
  dane::MemoryRowSource table{
      {{"INDEKS", "Indeks", "@s10"}, {"NAZWA", "Nazwa", "@s40"}, {"CENA", "Cena", "@n10.2"}}};
  table.add({"A001", "Śruba", "1.00"});
  ArticleBrowse browse(table, table);
  browse.set_help_topic("kar_towpom.htm");
  when_shown("Artykul_Brw", [&](QWidget* w) {
    QTest::keyClick(child<QTableView>(w, "list"), Qt::Key_F1);
    QTest::keyClick(child<QLineEdit>(w, "locator"), Qt::Key_F1);
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  ArticleForm form(table, &table.rows()[0]);
  form.set_request(dane::Request::Change);
  form.set_help_topic("kar_towpom_upd.htm");
  when_shown("Artykul_Upd", [&](QWidget* w) {
    QTest::keyClick(child<QLineEdit>(w, "NAZWA"), Qt::Key_F1);
    child<QPushButton>(w, "cancel")->click();
  });
  dane::run_window(form);
  dane::GLO.LOCALPATH = "";
  dane::install_host(nullptr);
  EXPECT_EQ(host.topics, (std::vector<std::string>{"/opt/mirlet/qorvis7.chm kar_towpom.htm",
                                                   "/opt/mirlet/qorvis7.chm kar_towpom.htm",
                                                   "/opt/mirlet/qorvis7.chm kar_towpom_upd.htm"}));
}

// Amounts, dates and texts in their pictures; numbers to the right.
TEST(QtBrowseCells, ShowEachCellInItsColumnPicture) {
  QtHost host;
  dane::install_host(&host);
  dane::MemoryRowSource table{{{"NR_DOK", "Numer", "@s12"},
                               {"DATA_DOK", "Data", "@d17"},
                               {"KWOTA", "Kwota", "@n-15`2"},
                               {"ILOSC", "Ilość", "@n10.3", true},
                               {"UWAGI", "Uwagi", ""}}};
  table.add({"FV/1/2026", "82139", "1234567.5", "2", "  pilne  "});
  table.add({"FV/2/2026", "82140", "-15", "", "brak"});
  table.add({"FV/3/2026", "0", "abc", "0.5", ""});
  dane::BrowseWindow browse("Dokumenty_Brw", table);
  browse.set_title("Dokumenty");
  std::vector<QString> cells;
  std::vector<bool> right;
  when_shown("Dokumenty_Brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    for (int row = 0; row < view->model()->rowCount(); ++row) {
      for (int column = 0; column < view->model()->columnCount(); ++column) {
        const QModelIndex index = view->model()->index(row, column);
        cells.push_back(index.data().toString());
        if (row == 0) {
          right.push_back((index.data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight) != 0);
        }
      }
    }
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  dane::install_host(nullptr);
  EXPECT_EQ(cells,
            (std::vector<QString>{"FV/1/2026", "17.11.2025", "1 234 567,50", "2.000", "  pilne", "FV/2/2026",
                                  "18.11.2025", "-15,00", "", "brak", "FV/3/2026", "", "abc", "0.500", ""}));
  EXPECT_EQ(right, (std::vector<bool>{false, false, true, true, false}));
  expect_png_files(host.screenshots(), 1);
}

// A cell that names an icon of the program's set shows the icon alone; other texts stay texts.
TEST(QtBrowseCells, IconResourceNamesShowAsIcons) {
  QtHost host;
  dane::install_host(&host);
  dane::MemoryRowSource table{{{"POKAZ", "Widoczna", ""}, {"NAZWA", "Kolumna", "@s20"}}};
  table.add({"~boxon.ico", "Symbol"});
  table.add({" ~BOXOFF.ICO ", "Nazwa"});  // the leading blank sorts it first
  table.add({"~nieznana.ico", "boxon.ico"});
  dane::BrowseWindow browse("Konfiguracja_kolumn", table);
  std::vector<QString> texts;
  std::vector<bool> icons;
  when_shown("Konfiguracja_kolumn", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    for (int row = 0; row < view->model()->rowCount(); ++row) {
      for (int column = 0; column < 2; ++column) {
        const QModelIndex index = view->model()->index(row, column);
        texts.push_back(index.data().toString());
        icons.push_back(!index.data(Qt::DecorationRole).value<QIcon>().isNull());
      }
    }
    child<QPushButton>(w, "close")->click();
  });
  dane::run_window(browse);
  dane::install_host(nullptr);
  EXPECT_EQ(texts, (std::vector<QString>{"", "Nazwa", "", "Symbol", "~nieznana.ico", "boxon.ico"}));
  EXPECT_EQ(icons, (std::vector<bool>{true, false, true, false, false, false}));
}

}  // namespace
}  // namespace ui_qt

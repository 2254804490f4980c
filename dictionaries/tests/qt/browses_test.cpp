// The dictionary browses as a person sees them in the Qt host on the demo database: titles, column headers,
// the flag icons, the sort tabs and action buttons, header sorting by Ctrl-clicks, and a picture of each.
#include <QPushButton>
#include <QTabBar>

#include <algorithm>
#include <set>

#include "qt_session.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::click_header;
using testing::click_row;
using testing::close_browse;
using testing::QtDictionarySession;
using testing::read_list;
using testing::save_png;
using testing::ShownList;
using ui_qt::testing::child;
using ui_qt::testing::when_shown;

using QtBrowses = QtDictionarySession;

// A button as a person finds it beside the list.
struct SeenButton {
  QString text;
  bool visible = false;
  bool enabled = false;
};

SeenButton button_of(QWidget* window, const char* name) {
  SeenButton seen;
  if (auto* b = window->findChild<QPushButton*>(QString::fromUtf8(name))) {
    seen.text = b->text();
    seen.visible = b->isVisible();
    seen.enabled = b->isEnabled();
  }
  return seen;
}

TEST_F(QtBrowses, VatRatesShowTheActiveFlagAsAnIconAndTheActivityButtonSwitchesIt) {
  QString title;
  ShownList before, after;
  SeenButton activity, insert, change;
  when_shown("VAT_Brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    title = w->windowTitle();
    activity = button_of(w, "aktywnosc");
    insert = button_of(w, "insert");
    change = button_of(w, "change");
    if (view) {
      before = read_list(view);
      save_png(w, "vat_rates_browse");
      const int inactive = before.row_with("Kod", "22");
      auto* button = w->findChild<QPushButton*>(QStringLiteral("aktywnosc"));
      if (inactive >= 0 && button) {
        click_row(view, inactive);
        button->click();
        after = read_list(view);
      }
    }
    close_browse(w);
  });
  VAT_BRW();
  EXPECT_EQ(dane::GLOBALRESPONSE, 1);
  EXPECT_EQ(title, "Stawki VAT");
  EXPECT_EQ(before.headers, (std::vector<QString>{"Nazwa", "Kod", "Stawka", "A"}));
  // Every rate of the demo fits the page; the active ones carry the icon and no digit.
  const std::set<QString> active{"23", "8", "5", "0", "zw", "np"};
  const std::vector<QString> codes = before.column("Kod");
  EXPECT_EQ(codes.size(), 9u);
  const int flag = before.section("A");
  ASSERT_GE(flag, 0);
  for (std::size_t row = 0; row < codes.size(); ++row) {
    EXPECT_EQ(before.icons[row][static_cast<std::size_t>(flag)], active.contains(codes[row]))
        << codes[row].toStdString();
    EXPECT_EQ(before.texts[row][static_cast<std::size_t>(flag)], "") << codes[row].toStdString();
  }
  EXPECT_EQ(before.column("Nazwa").at(0), "23%");
  EXPECT_EQ(before.cut_off, std::vector<std::string>{});
  EXPECT_EQ(activity.text, "Aktywność");
  EXPECT_TRUE(activity.visible);
  EXPECT_TRUE(activity.enabled);
  // Rates have no form: nothing offers to add or change one.
  EXPECT_FALSE(insert.visible);
  EXPECT_FALSE(change.visible);

  // The button switched the rate on: the list shows it at once, and so does the table.
  const int switched = after.row_with("Kod", "22");
  ASSERT_GE(switched, 0);
  EXPECT_TRUE(after.icons[static_cast<std::size_t>(switched)][static_cast<std::size_t>(flag)]);
  EXPECT_EQ(value_of("select AKTYWNY from STAWKA_VAT where KOD_VAT='22'"), "1");
}

// The currency list as it opens, read and pictured.
struct CurrencyList {
  QString title;
  ShownList list;
  SeenButton insert, change, remove;
};

CurrencyList open_currencies() {
  CurrencyList seen;
  when_shown("Waluty_Brw", [&](QWidget* w) {
    seen.title = w->windowTitle();
    seen.insert = button_of(w, "insert");
    seen.change = button_of(w, "change");
    seen.remove = button_of(w, "delete");
    if (auto* view = child<QTableView>(w, "list")) seen.list = read_list(view);
    save_png(w, "currencies_browse");
    close_browse(w);
  });
  dane::GLOBALREQUEST = 0;
  EXPECT_EQ(WALUTY_BRW(), 1);
  EXPECT_EQ(dane::GLOBALRESPONSE, 1);
  return seen;
}

TEST_F(QtBrowses, CurrenciesMarkTheBaseCurrencyWithAnIconAndOfferTheRecordButtons) {
  const CurrencyList seen = open_currencies();
  const ShownList& list = seen.list;
  EXPECT_EQ(seen.title, "Waluty");
  ASSERT_GE(list.headers.size(), 3u);
  EXPECT_EQ(list.headers[0], "B");
  EXPECT_EQ(list.headers[1], "Waluta");
  EXPECT_EQ(list.headers[2], "Nazwa waluty");
  const std::vector<QString> symbols = list.column("Waluta");
  EXPECT_EQ(std::set<QString>(symbols.begin(), symbols.end()),
            (std::set<QString>{"PLN", "EUR", "USD", "GBP", "CHF", "CZK", "HUF", "JPY", "UAH"}));
  for (std::size_t row = 0; row < symbols.size(); ++row) {
    EXPECT_EQ(list.icons[row][0], symbols[row] == "PLN") << symbols[row].toStdString();
    EXPECT_EQ(list.texts[row][0], "") << symbols[row].toStdString();
  }
  const int forint = list.row_with("Waluta", "HUF");
  ASSERT_GE(forint, 0);
  EXPECT_EQ(list.column("Nazwa waluty").at(static_cast<std::size_t>(forint)), "forint węgierski");
  EXPECT_EQ(seen.insert.text, "&Dodaj");
  EXPECT_EQ(seen.change.text, "&Popraw");
  EXPECT_EQ(seen.remove.text, "&Usuń");
  EXPECT_TRUE(seen.insert.visible && seen.change.visible && seen.remove.visible);
}

// The user's stored layout gives every list column its own width and picture: none takes another's.
TEST_F(QtBrowses, CurrenciesShowEveryListColumnInItsOwnPicture) {
  const ShownList list = open_currencies().list;
  EXPECT_EQ(list.headers,
            (std::vector<QString>{"B", "Waluta", "Nazwa waluty", "Mnożnik", "Kraj", "Kursy NBP: Data",
                                  "Kursy NBP: Kurs", "Kursy ECB: Data", "Kursy ECB: Kurs"}));
  EXPECT_EQ(list.cut_off, std::vector<std::string>{});
  const int forint = list.row_with("Waluta", "HUF");
  ASSERT_GE(forint, 0);
  const auto row = static_cast<std::size_t>(forint);
  const int name = list.section("Nazwa waluty");
  ASSERT_GE(name, 0);
  EXPECT_FALSE(list.right[row][static_cast<std::size_t>(name)]) << "a name stands to the left";
  const std::vector<QString> multipliers = list.column("Mnożnik");
  ASSERT_GT(multipliers.size(), row) << "no multiplier column";
  EXPECT_EQ(multipliers[row], "100");
  const std::vector<QString> countries = list.column("Kraj");
  ASSERT_GT(countries.size(), row) << "no country column";
  EXPECT_EQ(countries[row], "HU");
  // The base rates of today: the demo's last NBP table, per 100 forints.
  const std::vector<QString> dates = list.column("Kursy NBP: Data"), rates = list.column("Kursy NBP: Kurs");
  ASSERT_GT(rates.size(), row);
  EXPECT_EQ(dates[row], "04.12.2026");
  EXPECT_EQ(rates[row], "1,028300");
  EXPECT_TRUE(list.right[row][static_cast<std::size_t>(list.section("Kursy NBP: Kurs"))]);
}

TEST_F(QtBrowses, BanksShowTheirColumnsAndASortTabForEachOrder) {
  QString title;
  ShownList by_number, by_name;
  std::vector<QString> tabs;
  int tab_at_opening = -1, tab_after_click = -1;
  when_shown("Banki_Brw", [&](QWidget* w) {
    title = w->windowTitle();
    auto* view = child<QTableView>(w, "list");
    auto* orders = child<QTabBar>(w, "orders");
    if (view && orders) {
      for (int i = 0; i < orders->count(); ++i) tabs.push_back(orders->tabText(i));
      tab_at_opening = orders->currentIndex();
      by_number = read_list(view);
      save_png(w, "banks_browse");
      QTest::mouseClick(orders, Qt::LeftButton, {}, orders->tabRect(1).center());
      tab_after_click = orders->currentIndex();
      by_name = read_list(view);
      save_png(w, "banks_browse_by_name");
    }
    close_browse(w);
  });
  BANKI_BRW();
  EXPECT_EQ(dane::GLOBALRESPONSE, 1);
  EXPECT_EQ(title, "Lista banków");
  // The bank's identifier is no list column; the mark column leads.
  EXPECT_EQ(by_number.headers,
            (std::vector<QString>{"Z", "Nazwa banku", "Nr banku", "SWIFT", "Adres", "Kod", "Miejscowość"}));
  EXPECT_EQ(tabs, (std::vector<QString>{"numer", "nazwa", "SWIFT", "kod", "miejscowość"}));
  EXPECT_EQ(tab_at_opening, 0);
  ASSERT_GE(by_number.texts.size(), 10u) << "a page of the 30 demo banks";
  EXPECT_EQ(by_number.column("Nazwa banku").front(), "Narodowy Bank Polski");
  EXPECT_EQ(by_number.column("SWIFT").front(), "NBPLPLPW");
  EXPECT_EQ(by_number.column("Miejscowość").front(), "Warszawa");
  EXPECT_EQ(by_number.column("Kod").front(), "00-950");
  EXPECT_EQ(by_number.column("Adres").front(), "ul. Marszałkowska 1");
  EXPECT_EQ(tab_after_click, 1);
  ASSERT_FALSE(by_name.texts.empty());
  EXPECT_EQ(by_name.column("Nazwa banku").front(), "Alior Bank S.A.");
  EXPECT_EQ(by_name.texts.size(), by_number.texts.size());
}

TEST_F(QtBrowses, CountriesShowSymbolAndName) {
  QString title;
  ShownList list;
  when_shown("Kraj_Brw", [&](QWidget* w) {
    title = w->windowTitle();
    if (auto* view = child<QTableView>(w, "list")) list = read_list(view);
    save_png(w, "countries_browse");
    close_browse(w);
  });
  KRAJ_BRW();
  EXPECT_EQ(dane::GLOBALRESPONSE, 1);
  EXPECT_EQ(title, "Kraje");
  EXPECT_EQ(list.headers, (std::vector<QString>{"Symbol kraju", "Nazwa kraju"}));
  // By name in the Polish alphabet: "Sł" before "St", "Wę" before "Wi".
  EXPECT_EQ(
      list.column("Nazwa kraju"),
      (std::vector<QString>{"Czechy", "Japonia", "Litwa", "Niemcy", "Polska", "Słowacja", "Stany Zjednoczone",
                            "Szwajcaria", "Ukraina", "Unia Europejska", "Węgry", "Wielka Brytania"}));
  EXPECT_EQ(list.cut_off, std::vector<std::string>{});
  const int germany = list.row_with("Symbol kraju", "DE");
  ASSERT_GE(germany, 0);
  EXPECT_EQ(list.column("Nazwa kraju").at(static_cast<std::size_t>(germany)), "Niemcy");
}

// The bank list after Ctrl-clicks on the town's header and then the name's, as they leave it and after Home.
struct CtrlSorted {
  ShownList after_clicks;
  QString current_after_clicks;
  ShownList from_the_top;
};

CtrlSorted ctrl_sort_banks() {
  CtrlSorted seen;
  when_shown("Banki_Brw", [&](QWidget* w) {
    if (auto* view = child<QTableView>(w, "list")) {
      const ShownList opened = read_list(view);
      const int city = opened.section("Miejscowość");
      const int name = opened.section("Nazwa banku");
      if (city >= 0 && name >= 0) {
        click_header(view, city, Qt::ControlModifier);
        click_header(view, name, Qt::ControlModifier);
        seen.after_clicks = read_list(view);
        seen.current_after_clicks = view->currentIndex().siblingAtColumn(name).data().toString();
        save_png(w, "banks_browse_ctrl_sorted");
        QTest::keyClick(view, Qt::Key_Home);
        seen.from_the_top = read_list(view);
        save_png(w, "banks_browse_ctrl_sorted_top");
      }
    }
    close_browse(w);
  });
  BANKI_BRW();
  return seen;
}

// With Ctrl each header click adds a column to the sort, numbered in the order clicked; the row that was
// current stays current.
TEST_F(QtBrowses, CtrlClicksOnBankHeadersSortByEachColumnInTurnAndNumberTheMarks) {
  const CtrlSorted seen = ctrl_sort_banks();
  EXPECT_EQ(seen.after_clicks.headers, (std::vector<QString>{"Z", "Nazwa banku[+2]", "Nr banku", "SWIFT",
                                                             "Adres", "Kod", "Miejscowość[+1]"}));
  EXPECT_EQ(seen.current_after_clicks, "Narodowy Bank Polski");
  // The head office in Warszawa and the head offices after it by name close the list; the rows before
  // them fill the screen (Warszawa's other banks, then Łódź's branches).
  const std::vector<QString> names = seen.after_clicks.column("Nazwa banku[+2]");
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(std::vector<QString>(names.end() - 4, names.end()),
            (std::vector<QString>{"Narodowy Bank Polski", "PKO Bank Polski S.A.",
                                  "Raiffeisen Bank Polska S.A.", "Santander Bank Polska S.A."}));
  EXPECT_EQ(names.front(), "mBank S.A. O/Łódź");

  // From the top: by town first, then by name within the town. Kraków's ten branches lead, Alior's first;
  // by name alone the head office of Alior would lead, by town alone the lowest bank number would.
  const ShownList& top = seen.from_the_top;
  EXPECT_EQ(top.headers, seen.after_clicks.headers);
  ASSERT_GT(top.texts.size(), 10u);
  EXPECT_EQ(top.column("Nazwa banku[+2]").front(), "Alior Bank S.A. O/Kraków");
  // Texts sort without regard to case: "Bank Millennium" before "BNP Paribas".
  EXPECT_EQ(top.column("Nazwa banku[+2]").at(1), "Bank Millennium S.A. O/Kraków");
  const std::vector<QString> towns = top.column("Miejscowość[+1]");
  EXPECT_EQ(std::count(towns.begin(), towns.begin() + 10, QStringLiteral("Kraków")), 10);
  EXPECT_NE(towns[10], "Kraków");
}

// Stored widths never cut a heading with its sort mark, nor the short codes of the list.
TEST_F(QtBrowses, BankHeadersWithTheirSortMarksAndTheShortCodesAreNotCutOff) {
  const CtrlSorted seen = ctrl_sort_banks();
  EXPECT_EQ(seen.after_clicks.cut_off_in({"Nr banku", "SWIFT", "Kod"}), std::vector<std::string>{});
}

}  // namespace
}  // namespace slownik

namespace slownik {
namespace {

// A click in the mark column of a row marks it and a second one unmarks it; a click in its name does not.
TEST_F(QtBrowses, AClickInTheMarkColumnTogglesTheMark) {
  const std::string marks = "select count(*) from zaznaczone where uzycie=140 and id_sesji=3000001";
  std::string after_first, after_name, after_second;
  when_shown("Banki_Brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    if (view) {
      const ShownList list = read_list(view);
      const int mark = list.section("Z"), name = list.section("Nazwa banku");
      const auto click = [&](int row, int section) {
        const QRect cell = view->visualRect(view->model()->index(row, section));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        testing::settle();
      };
      // The bank clicked is found again after each click: the list is read again around the current row.
      const auto row_of = [&](const QString& bank) { return read_list(view).row_with("Nazwa banku", bank); };
      const QString bank =
          mark >= 0 && name >= 0 ? list.texts.at(1).at(static_cast<std::size_t>(name)) : QString();
      if (!bank.isEmpty()) {
        click(row_of(bank), mark);
        after_first = value_of(marks);
        click(row_of(bank), name);
        after_name = value_of(marks);
        click(row_of(bank), mark);
        after_second = value_of(marks);
      }
    }
    close_browse(w);
  });
  BANKI_BRW();
  EXPECT_EQ(after_first, "1");
  EXPECT_EQ(after_name, "1");
  EXPECT_EQ(after_second, "0");
}

}  // namespace
}  // namespace slownik

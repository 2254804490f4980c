#include "dane/browse.h"

#include <gtest/gtest.h>

namespace dane {
namespace {

std::vector<Column> currency_columns() {
  return {{"SYM_WALUTY", "Symbol", "@s3", false},
          {"NAZWA", "Nazwa", "@s30", false},
          {"NUMER", "Nr", "@n4", true}};
}

class CurrencyBrowse : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* rows[][3] = {{"PLN", "złoty polski", "1"}, {"EUR", "euro", "2"},
                             {"USD", "dolar", "3"},        {"CHF", "frank", "4"},
                             {"GBP", "funt", "5"},         {"CZK", "korona czeska", "6"},
                             {"ŁAT", "łat łotewski", "7"}, {"ALL", "lek", "8"},
                             {"JPY", "jen", "9"},          {"NOK", "korona norweska", "10"}};
    for (auto& r : rows) source.add({r[0], r[1], r[2]});
    browse.add_sort_order(SortOrder{"symbol", {0}, false});
    browse.add_sort_order(SortOrder{"numer", {2}, false});
    browse.set_page_size(4);
    browse.reset();
  }
  std::vector<std::string> visible(std::size_t column = 0) {
    std::vector<std::string> out;
    for (const auto& r : browse.rows()) out.push_back(r[column]);
    return out;
  }
  MemoryRowSource source{currency_columns()};
  BrowseWindow browse{"Waluty_Brw", source};
};

TEST_F(CurrencyBrowse, PagesForwardAndBackByKey) {
  EXPECT_EQ(visible(), (std::vector<std::string>{"ALL", "CHF", "CZK", "EUR"}));
  browse.page_down();  // Ł sorts after L, not after Z
  EXPECT_EQ(visible(), (std::vector<std::string>{"GBP", "JPY", "ŁAT", "NOK"}));
  browse.page_down();
  EXPECT_EQ(visible(), (std::vector<std::string>{"PLN", "USD"}));
  browse.page_down();  // nothing further: stays, current moves to the last row
  EXPECT_EQ(visible(), (std::vector<std::string>{"PLN", "USD"}));
  EXPECT_EQ(browse.current_index(), 1u);
  browse.page_up();
  EXPECT_EQ(visible(), (std::vector<std::string>{"GBP", "JPY", "ŁAT", "NOK"}));
  browse.to_end();
  EXPECT_EQ(visible(), (std::vector<std::string>{"ŁAT", "NOK", "PLN", "USD"}));
}

TEST_F(CurrencyBrowse, HeaderClicksSortMarkAndGoBackToTheOwnOrder) {
  browse.install_header_sorter({}, {}, 1, false);
  EXPECT_TRUE(browse.click_header(1));
  EXPECT_EQ(browse.header_text(1), "Nazwa[+]");
  EXPECT_EQ(browse.header_sorter().expression(), "+UPPER(NAZWA)");
  EXPECT_EQ(visible(1), (std::vector<std::string>{"dolar", "euro", "frank", "funt"}));

  EXPECT_TRUE(browse.click_header(1));  // the same header again: descending, still no number
  EXPECT_EQ(browse.header_text(1), "Nazwa[-]");
  EXPECT_EQ(visible(1), (std::vector<std::string>{"złoty polski", "łat łotewski", "lek", "korona norweska"}));

  EXPECT_TRUE(browse.click_header(2, ClickModifier::Ctrl));  // a second column numbers both marks
  EXPECT_EQ(browse.header_text(1), "Nazwa[-1]");
  EXPECT_EQ(browse.header_text(2), "Nr[+2]");
  EXPECT_EQ(browse.header_sorter().expression(), "-UPPER(NAZWA),+NUMER");  // numbers are never wrapped
  EXPECT_TRUE(browse.click_header(2, ClickModifier::Ctrl));
  EXPECT_EQ(browse.header_text(2), "Nr[-2]");

  EXPECT_TRUE(browse.click_header(0, ClickModifier::Shift));
  EXPECT_EQ(browse.header_text(1), "Nazwa");
  EXPECT_EQ(browse.header_text(2), "Nr");
  EXPECT_FALSE(browse.header_sorted());
  EXPECT_EQ(visible(), (std::vector<std::string>{"ALL", "CHF", "CZK", "EUR"}));
}

TEST_F(CurrencyBrowse, HeaderSortKeepsTheCurrentRowAndPagesOnSharedValues) {
  source.add({"XAU", "korona czeska", "11"});  // a name two rows share: the key decides between them
  browse.install_header_sorter({}, {}, 1, true);
  browse.set_current(2);  // CZK
  EXPECT_TRUE(browse.click_header(1));
  EXPECT_EQ(browse.current_cell("SYM_WALUTY"), "CZK");
  browse.reset();
  std::vector<std::string> all;
  for (int page = 0; page < 4; ++page) {
    for (const auto& r : browse.rows()) all.push_back(r[0]);
    browse.page_down();
    if (browse.rows().empty() || all.back() == browse.rows().back()[0]) break;
  }
  EXPECT_EQ(all, (std::vector<std::string>{"USD", "EUR", "CHF", "GBP", "JPY", "CZK", "XAU", "NOK", "ALL",
                                           "ŁAT", "PLN"}));
}

TEST_F(CurrencyBrowse, ChangingTheSortTabForgetsTheHeaderSort) {
  browse.install_header_sorter({}, {}, 1, false);
  browse.click_header(1);
  ASSERT_TRUE(browse.select_sort_order("numer"));
  EXPECT_FALSE(browse.header_sorted());
  EXPECT_EQ(browse.header_text(1), "Nazwa");
  EXPECT_EQ(visible(2), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_FALSE(browse.click_header(7));  // no such column
}

TEST_F(CurrencyBrowse, NumericOrderAndDescending) {
  ASSERT_TRUE(browse.select_sort_order("numer"));
  EXPECT_EQ(visible(2), (std::vector<std::string>{"1", "2", "3", "4"}));  // 10 is not between 1 and 2
  browse.set_descending(true);
  browse.reset();
  EXPECT_EQ(visible(2), (std::vector<std::string>{"10", "9", "8", "7"}));
  EXPECT_FALSE(browse.select_sort_order("nieznany"));
}

TEST_F(CurrencyBrowse, LocatorSearchesTheLeadingColumnCaseBlind) {
  EXPECT_TRUE(browse.locate("g"));
  EXPECT_EQ(browse.current_cell("SYM_WALUTY"), "GBP");
  EXPECT_TRUE(browse.locate("pln"));
  EXPECT_EQ(browse.current_cell("sym_waluty"), "PLN");
  EXPECT_TRUE(browse.locate("ł"));
  EXPECT_EQ(browse.current_cell("SYM_WALUTY"), "ŁAT");
  EXPECT_TRUE(browse.locate("pln"));
  EXPECT_FALSE(browse.locate("ZZZ"));
  EXPECT_EQ(browse.current_cell("SYM_WALUTY"), "PLN");  // a failed search leaves the list as it was
}

TEST_F(CurrencyBrowse, SeekPagesUntilTheRowIsFound) {
  EXPECT_TRUE(browse.seek("NAZWA", "jen"));
  EXPECT_EQ(browse.current_cell("SYM_WALUTY"), "JPY");
  EXPECT_FALSE(browse.seek("NAZWA", "rubel"));
  EXPECT_FALSE(browse.seek("BRAK", "x"));
}

TEST_F(CurrencyBrowse, RangeLimitAndFilterNarrowTheRows) {
  browse.add_range_limit("NAZWA", "EURO");
  browse.reset();
  EXPECT_EQ(visible(), (std::vector<std::string>{"EUR"}));

  MemoryRowSource other{currency_columns()};
  for (const auto& r : source.rows()) other.add(r);
  BrowseWindow filtered{"Waluty_Brw", other};
  filtered.set_filter([](const Row& r) { return r[1].find("korona") != std::string::npos; });
  filtered.reset();
  ASSERT_EQ(filtered.rows().size(), 2u);
  EXPECT_EQ(filtered.rows()[0][0], "CZK");
}

TEST_F(CurrencyBrowse, RefreshKeepsTheCurrentRowOrItsNeighbour) {
  browse.page_down();
  browse.set_current(3);  // NOK
  source.add({"DKK", "korona duńska", "11"});
  browse.refresh();
  EXPECT_EQ(browse.current_cell("SYM_WALUTY"), "NOK");
  // The current row leads the page unless too few rows follow it: then the rows before it fill the screen.
  EXPECT_EQ(visible(), (std::vector<std::string>{"ŁAT", "NOK", "PLN", "USD"}));

  auto& rows = source.rows();
  rows.erase(std::remove_if(rows.begin(), rows.end(), [](const Row& r) { return r[0] == "NOK"; }),
             rows.end());
  browse.refresh();
  EXPECT_EQ(browse.current_cell("SYM_WALUTY"), "PLN");
}

class SelectingBrowse : public BrowseWindow {
 public:
  using BrowseWindow::BrowseWindow;
  int inserts = 0;
  std::vector<std::string> changed;

 protected:
  bool on_insert() override {
    ++inserts;
    return false;
  }
  bool on_change(const Row& r) override {
    changed.push_back(r[0]);
    return true;
  }
};

TEST_F(CurrencyBrowse, SelectModeClosesWithTheChosenRow) {
  SelectingBrowse select{"Waluty_Brw", source};
  select.set_request(Request::Select);
  select.reset();
  select.set_current(1);
  select.ask(RecordAction::Change);
  EXPECT_EQ(select.changed, (std::vector<std::string>{"CHF"}));
  EXPECT_FALSE(select.closed());
  select.ask(RecordAction::Select);
  EXPECT_TRUE(select.closed());
  EXPECT_EQ(select.response(), Response::Completed);
  ASSERT_TRUE(select.selected_row().has_value());
  EXPECT_EQ((*select.selected_row())[0], "CHF");
}

TEST_F(CurrencyBrowse, CloseButtonAnswersByMode) {
  SelectingBrowse select{"Waluty_Brw", source};
  select.set_request(Request::Select);
  select.request_close();
  EXPECT_EQ(select.response(), Response::Cancelled);

  SelectingBrowse maintain{"Waluty_Brw", source};
  maintain.ask(RecordAction::Select);  // not in select mode: nothing happens
  EXPECT_FALSE(maintain.closed());
  maintain.request_close();
  EXPECT_EQ(maintain.response(), Response::Completed);
}

TEST(EmptyBrowse, ActionsOnNoRowDoNothing) {
  MemoryRowSource empty{currency_columns()};
  SelectingBrowse b{"Waluty_Brw", empty};
  b.set_request(Request::Select);
  b.reset();
  EXPECT_EQ(b.current_row(), nullptr);
  b.ask(RecordAction::Change);
  b.ask(RecordAction::Select);
  b.page_down();
  b.page_up();
  EXPECT_TRUE(b.changed.empty());
  EXPECT_FALSE(b.closed());
}

}  // namespace
}  // namespace dane

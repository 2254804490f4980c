#include "dane/popup.h"

#include <gtest/gtest.h>

#include "dane/browse.h"
#include "dane/host.h"

namespace dane {
namespace {

struct TextRow {
  const char* name;
  const char* text;
  const char* icon;
  const char* label;
  friend void PrintTo(const TextRow& row, std::ostream* os) { *os << row.name; }
};

class ItemTextParsing : public ::testing::TestWithParam<TextRow> {};

TEST_P(ItemTextParsing, SplitsIconFromLabel) {
  const ItemText t = parse_item_text(GetParam().text);
  EXPECT_EQ(t.icon, GetParam().icon);
  EXPECT_EQ(t.label, GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ItemTextParsing,
    ::testing::Values(
        TextRow{"full_form", "[31848(~dodaj2.ico)]Dodaj", "~dodaj2.ico", "Dodaj"},
        TextRow{"full_form_polish_label", "[31848(~usun2.ico)]Usuń", "~usun2.ico", "Usuń"},
        TextRow{"full_form_without_number", "[(~boxon.ico)]Widoczna", "~boxon.ico", "Widoczna"},
        TextRow{"short_form_with_number", "31848(~dodaj2.ico)]Dodaj", "~dodaj2.ico", "Dodaj"},
        TextRow{"short_form_without_number", "(~32redchk.ico)]Ustaw walutę bazową", "~32redchk.ico",
                "Ustaw walutę bazową"},
        TextRow{"empty_label", "[31848(~wybierz.ico)]", "~wybierz.ico", ""},
        TextRow{"plain_label", "&Popraw", "", "&Popraw"}, TextRow{"empty", "", "", ""},
        TextRow{"short_form_needs_resource_icon", "(uwaga)]Zapisz", "", "(uwaga)]Zapisz"},
        TextRow{"label_starting_with_digits", "2024 (rok)] bilans", "", "2024 (rok)] bilans"},
        TextRow{"other_property_number", "[31849(~dodaj2.ico)]Dodaj", "", "[31849(~dodaj2.ico)]Dodaj"},
        TextRow{"unclosed_attribute", "[31848(~dodaj2.ico Dodaj", "", "[31848(~dodaj2.ico Dodaj"},
        TextRow{"empty_icon", "[31848()]Dodaj", "", "[31848()]Dodaj"},
        TextRow{"bracket_inside_icon", "[31848(~a(b).ico)]Dodaj", "", "[31848(~a(b).ico)]Dodaj"}));

TEST(ItemTextBuilding, FullFormReadsBack) {
  const std::string text = item_text_with_icon("~popraw2.ico", "Popraw");
  EXPECT_EQ(text, "[31848(~popraw2.ico)]Popraw");
  EXPECT_EQ(parse_item_text(text).icon, "~popraw2.ico");
}

// Answers every popup with a fixed index and keeps what it was shown.
class MenuHost : public HeadlessHost {
 public:
  std::optional<std::size_t> popup_menu(const std::vector<MenuItem>& items) override {
    shown = items;
    return answer;
  }
  std::optional<std::size_t> answer;
  std::vector<MenuItem> shown;
};

class PopupAsk : public ::testing::Test {
 protected:
  void SetUp() override { install_host(&menu_host); }
  void TearDown() override { install_host(nullptr); }
  MenuHost menu_host;
};

TEST_F(PopupAsk, HostSeesLabelsAndIconsAndTheChosenNameComesBack) {
  PopupMenu menu;
  menu.add_item("Insert", "[31848(~dodaj2.ico)]Dodaj");
  menu.add_separator();
  menu.add_item("Base", "(~32redchk.ico)]Ustaw walutę bazową");
  menu_host.answer = 2;
  EXPECT_EQ(menu.ask(), "Base");
  ASSERT_EQ(menu_host.shown.size(), 3u);
  EXPECT_EQ(menu_host.shown[0].label, "Dodaj");
  EXPECT_EQ(menu_host.shown[0].icon, "~dodaj2.ico");
  EXPECT_TRUE(menu_host.shown[1].separator);
  EXPECT_EQ(menu_host.shown[2].label, "Ustaw walutę bazową");
}

TEST_F(PopupAsk, DismissedSeparatorDisabledOrOutOfRangeGiveNothing) {
  PopupMenu menu;
  menu.add_item("Insert", "Dodaj");
  menu.add_separator();
  menu.add_item("Delete", "Usuń");
  ASSERT_TRUE(menu.set_enabled("delete", false));
  for (std::optional<std::size_t> answer : {std::optional<std::size_t>{}, std::optional<std::size_t>{1},
                                            std::optional<std::size_t>{2}, std::optional<std::size_t>{7}}) {
    menu_host.answer = answer;
    EXPECT_EQ(menu.ask(), "");
  }
  EXPECT_FALSE(menu_host.shown[2].enabled);
}

TEST(PopupItems, NamesIgnoreCaseAndUnknownNamesChangeNothing) {
  PopupMenu menu;
  menu.add_item("Insert", "Dodaj");
  menu.add_item("INSERT", "Nowy");  // same item
  EXPECT_EQ(menu.items().size(), 1u);
  EXPECT_EQ(menu.text("insert"), "Nowy");
  EXPECT_FALSE(menu.set_text("Change", "Popraw"));
  EXPECT_FALSE(menu.text("Change").has_value());
  EXPECT_EQ(menu.items().size(), 1u);
}

// A browse whose record actions count their calls.
class CountingBrowse : public BrowseWindow {
 public:
  explicit CountingBrowse(RowSource& source) : BrowseWindow("Test_Brw", source) {}
  int inserts = 0;
  int changes = 0;
  std::string other;

 protected:
  bool on_insert() override { return ++inserts, false; }
  bool on_change(const Row&) override { return ++changes, false; }
  void on_popup_item(std::string_view name) override { other.assign(name); }
};

TEST_F(PopupAsk, BrowsePopupRunsTheRecordActions) {
  MemoryRowSource source({{"SYMBOL", "Symbol", "@s3", false}});
  source.add({"PLN"});
  CountingBrowse browse(source);
  browse.popup().add_item("Rates", "Kursy");
  browse.reset();

  menu_host.answer = 0;
  browse.open_popup();
  menu_host.answer = 1;
  browse.open_popup();
  menu_host.answer = 4;
  browse.open_popup();
  EXPECT_EQ(browse.inserts, 1);
  EXPECT_EQ(browse.changes, 1);
  EXPECT_EQ(browse.other, "Rates");
  EXPECT_FALSE(menu_host.shown[3].enabled);  // "Wybierz" outside select mode
  EXPECT_EQ(menu_host.shown[2].label, "&Usuń");
}

TEST_F(PopupAsk, BrowsePopupWithoutRowsOffersOnlyInsert) {
  MemoryRowSource source({{"SYMBOL", "Symbol", "@s3", false}});
  CountingBrowse browse(source);
  browse.set_request(Request::Select);
  browse.reset();
  menu_host.answer = 1;
  browse.open_popup();
  EXPECT_EQ(browse.changes, 0);
  EXPECT_TRUE(menu_host.shown[0].enabled);
  EXPECT_FALSE(menu_host.shown[1].enabled);
  EXPECT_FALSE(menu_host.shown[3].enabled);
}

}  // namespace
}  // namespace dane

#include "keldox/browse_popup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace keldox {
namespace {

dane::PopupMenu record_popup() {
  dane::PopupMenu popup;
  popup.add_item("Insert", "&Dodaj");
  popup.add_item("Change", "&Popraw");
  popup.add_item("Delete", "&Usuń");
  popup.add_item("Select", "&Wybierz");
  popup.add_item("Rates", "Kursy walut");
  return popup;
}

std::vector<std::string> texts(const dane::PopupMenu& popup) {
  std::vector<std::string> out;
  for (const auto& item : popup.items()) out.push_back(item.text);
  return out;
}

TEST(BrowsePopupIcons, ModeZeroGivesTheFullAttributeTexts) {
  dane::PopupMenu popup = record_popup();
  USTAW4IKONYBROWSERA(popup);
  EXPECT_EQ(texts(popup), (std::vector<std::string>{"[31848(~dodaj2.ico)]Dodaj",
                                                    "[31848(~popraw2.ico)]Popraw", "[31848(~usun2.ico)]Usuń",
                                                    "[31848(~wybierz.ico)]Wybierz", "Kursy walut"}));
  EXPECT_EQ(dane::parse_item_text(*popup.text("Delete")).icon, "~usun2.ico");
}

TEST(BrowsePopupIcons, ModeOneLeavesOutTheBracketAndThePopupStillReadsTheIcon) {
  dane::PopupMenu popup = record_popup();
  USTAW4IKONYBROWSERA(popup, 1);
  EXPECT_EQ(texts(popup), (std::vector<std::string>{"31848(~dodaj2.ico)]Dodaj", "31848(~popraw2.ico)]Popraw",
                                                    "31848(~usun2.ico)]Usuń", "31848(~wybierz.ico)]Wybierz",
                                                    "Kursy walut"}));
  const dane::ItemText t = dane::parse_item_text(*popup.text("Select"));
  EXPECT_EQ(t.icon, "~wybierz.ico");
  EXPECT_EQ(t.label, "Wybierz");
}

TEST(BrowsePopupIcons, OtherModesChangeNothing) {
  for (const int mode : {-1, 2, 3, 255}) {
    dane::PopupMenu popup = record_popup();
    USTAW4IKONYBROWSERA(popup, mode);
    EXPECT_EQ(texts(popup), texts(record_popup())) << "mode " << mode;
  }
}

TEST(BrowsePopupIcons, MissingItemsAreNotAdded) {
  dane::PopupMenu popup;
  popup.add_item("Change", "Popraw");
  USTAW4IKONYBROWSERA(popup);
  EXPECT_EQ(texts(popup), (std::vector<std::string>{"[31848(~popraw2.ico)]Popraw"}));
}

}  // namespace
}  // namespace keldox

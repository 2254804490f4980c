// A browse over goods in memory for the window hosts' tests: sort orders by field, a flag column shown as
// an icon, a form-only column, and actions of its own on keys ("Aktywność" F4, "Zablokuj" Ctrl+B that
// disables it, "PoNazwie" Shift+N that changes the sort tab). Columns: INDEKS, GRUPA, NAZWA, CENA,
// AKTYWNY, UWAGI.
#pragma once

#include <cstddef>
#include <string_view>

#include "dane/browse.h"

namespace mirlet_testing {

inline constexpr std::size_t kGoodsActive = 4;

// A flag the list shows as the active icon.
inline dane::Column goods_active_column() {
  dane::Column c{"AKTYWNY", "A", ""};
  c.kind = dane::FieldKind::Check;
  c.icon = "~32redchk.ico";
  return c;
}

// Remarks only the form shows.
inline dane::Column goods_remarks_column() {
  dane::Column c{"UWAGI", "Uwagi", "@s40"};
  c.in_list = false;
  return c;
}

class GoodsBrowse : public dane::BrowseWindow {
 public:
  GoodsBrowse(dane::MemoryRowSource& table, bool header_sorter = true)
      : BrowseWindow("Towary_Brw", table), table_(table) {
    set_title("Towary");
    add_sort_order("indeks", {"INDEKS"});
    add_sort_order("nazwa", {"NAZWA", "INDEKS"});
    add_action({"Aktywnosc", "(~aktywnosc.ico)]Aktywność", "F4", "&Aktywność", {}, true});
    add_action({"Zablokuj", {}, "Ctrl+B", {}});
    add_action({"PoNazwie", {}, "Shift+N", {}});
    if (header_sorter) install_header_sorter({}, {}, 1, false);
  }

 protected:
  void on_popup_item(std::string_view name) override {
    if (name == "Zablokuj") {
      set_action_enabled("Aktywnosc", false);
    } else if (name == "PoNazwie") {
      select_sort_order("nazwa");
    } else if (name == "Aktywnosc") {
      for (dane::Row& row : table_.rows()) {
        if (row[0] == (*current_row())[0]) row[kGoodsActive] = row[kGoodsActive] == "1" ? "0" : "1";
      }
      refresh();
    }
  }

 private:
  dane::MemoryRowSource& table_;
};

}  // namespace mirlet_testing

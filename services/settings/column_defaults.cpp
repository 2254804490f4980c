// Going back to the catalogue's column layout in the configuration window.
#include <algorithm>

#include "classifier_field.h"
#include "dane/globals.h"
#include "dane/record_fields.h"
#include "keldox/column_configuration.h"
#include "keldox/column_settings.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

struct CatalogueColumn {
  double id = 0;
  std::int32_t number = 0;
  std::string picture;
  std::int32_t width = 0;
  bool classifier = false;
};

template <class T>
T number(std::string_view text) {
  T value{};
  dane::assign_from_text(value, text);
  return value;
}

std::vector<CatalogueColumn> catalogue(std::string_view window) {
  std::vector<CatalogueColumn> list;
  EXECSQL(
      "select k.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
      "k.nazwa_kolumny,k.rozmiar_kolumny,k.pole_dodatkowe from ini_kolumna k,ini_okno o where "
      "k.id_okna=o.id_okna and o.nazwa=" +
      sql_text(window));
  while (next_row()) {
    list.push_back(CatalogueColumn{number<double>(column(4)), number<std::int32_t>(column(5)), column(1),
                                   number<std::int32_t>(column(7)), number<std::int32_t>(column(8)) == 1});
  }
  CLOSESQL();
  std::stable_sort(list.begin(), list.end(),
                   [](const CatalogueColumn& a, const CatalogueColumn& b) { return a.number < b.number; });
  return list;
}

// The columns of inactive classifier fields are hidden again; the window's group and offset come from
// the catalogue only when it has classifier columns at all.
void hide_inactive_classifier_fields(std::string_view window, std::vector<CatalogueColumn>& list,
                                     std::vector<bool>& shown) {
  if (std::none_of(list.begin(), list.end(), [](const CatalogueColumn& c) { return c.classifier; })) return;
  const std::string group(
      runtime::trim_right(FUNCSQL("select kod_klas_grupy from ini_okno where nazwa=" + sql_text(window))));
  const auto offset =
      number<std::int32_t>(FUNCSQL("select skok from ini_okno where nazwa=" + sql_text(window)));
  if (group.empty() || offset <= 0) return;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].classifier && !classifier_field_active(group, list[i].number - offset)) shown[i] = false;
  }
}

}  // namespace

bool ColumnLayout::restore_defaults() {
  if (MSG_PYTANIE("Czy chcesz przywrócić ustawienia domyślne?") != 2) return false;
  const std::string window(runtime::trim_right(window_));
  std::vector<CatalogueColumn> defaults = catalogue(window);
  std::vector<bool> shown(defaults.size(), true);
  hide_inactive_classifier_fields(window, defaults, shown);
  const bool without_decimals = runtime::same_text(dane::GLO.ILOSCARTBEZPRZECINKA.view(), "Tak");

  std::vector<ConfiguredColumn> ordered;
  for (std::size_t i = 0; i < defaults.size(); ++i) {
    const auto it = std::find_if(columns_.begin(), columns_.end(),
                                 [&](const ConfiguredColumn& c) { return c.id == defaults[i].id; });
    if (it == columns_.end()) continue;  // a column the user has no row for cannot be saved anyway
    ConfiguredColumn c = std::move(*it);
    columns_.erase(it);
    c.width = defaults[i].width > 0 ? defaults[i].width : c.default_width;
    c.picture = c.quantity ? quantity_picture(defaults[i].picture, without_decimals) : defaults[i].picture;
    c.shown = shown[i];
    ordered.push_back(std::move(c));
  }
  // Columns the catalogue no longer lists keep their settings behind the others.
  for (ConfiguredColumn& c : columns_) ordered.push_back(std::move(c));
  columns_ = std::move(ordered);
  return true;
}

}  // namespace keldox

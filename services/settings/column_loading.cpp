// Loading the user's column layouts and window settings into the session lists.
#include <mutex>
#include <string>

#include "classifier_field.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "dane/record_fields.h"
#include "keldox/column_settings.h"
#include "keldox/config_parameters.h"
#include "keldox/query_bridge.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using dane::IniBroEntry;
using dane::IniKolBroEntry;
using dane::IniParOknoEntry;

constexpr std::string_view kWindowsStatement =
    "select o.nazwa,o.id_okna,o.nr_kol_pierwszej,o.nr_kol_ostatniej from ini_okno o with (nolock)";

// Fills `list` from the query bridge or, when that gives nothing, row by row through EXECSQL; each row's
// columns go into the record's fields in order.
template <class Record>
void load_rows(dane::SessionList<Record>& list, const std::string& statement) {
  DOTNETZALADUJKOLEJKE(list, DOTNETPODAJKOLEJKESQL(statement));
  if (!list.empty()) return;
  EXECSQL(statement);
  while (next_row()) {
    list.clear_buffer();
    for (std::size_t i = 1; i <= dane::field_count<Record>(); ++i)
      dane::assign_field(list.buffer, i, column(i));
    list.add();
  }
}

template <class T>
T number(std::string_view text) {
  T value{};
  dane::assign_from_text(value, text);
  return value;
}

// Column n of the current row of VAX2.
std::string field(std::size_t n) {
  return column(db::Channel::VAX2, n);
}

IniKolBroEntry column_entry(bool without_decimals) {
  IniKolBroEntry e;
  e.FORMAT_KOLUMNY = field(1);
  e.NAZWA_OKNA = field(2);
  e.ID_OKNA = number<double>(field(3));
  e.ID_KOLUMNY = number<double>(field(4));
  e.NUMER_KOLUMNY = number<std::int32_t>(field(5));
  e.NAZWA_KOLUMNY = field(6);
  e.ROZMIAR_KOLUMNY = number<std::int32_t>(field(7));
  e.ROZMIAR = number<std::int32_t>(field(8));
  e.KOLEJNOSC = number<std::int32_t>(field(9));
  e.POLE_DODATKOWE = number<std::uint8_t>(field(10));
  e.UKRYTA = number<std::uint8_t>(field(13));
  e.PODLEGA_OBCIECIU = number<std::uint8_t>(field(14));
  const std::string group(runtime::trim_right(field(11)));
  const auto offset = number<std::int32_t>(field(12));
  if (e.POLE_DODATKOWE == 1 && !group.empty() && offset > 0 &&
      !classifier_field_active(group, e.NUMER_KOLUMNY - offset)) {
    e.ROZMIAR = 0;
  }
  if (e.PODLEGA_OBCIECIU == 1) e.FORMAT_KOLUMNY = quantity_picture(e.FORMAT_KOLUMNY.view(), without_decimals);
  return e;
}

dane::SessionList<IniKolBroEntry> load_columns(const std::string& user) {
  dane::SessionList<IniKolBroEntry> list;
  const bool without_decimals = runtime::same_text(dane::GLO.ILOSCARTBEZPRZECINKA.view(), "Tak");
  CLOSESQL2();
  EXECSQL2(
      "select i.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
      "k.nazwa_kolumny,k.rozmiar_kolumny,i.rozmiar,i.kolejnosc,k.pole_dodatkowe,o.kod_klas_grupy,o.skok, "
      "k.ukryta,k.podlega_obcieciu  from ini_kolumna k with (nolock) inner join ini_okno o with (nolock) on "
      "(k.id_okna=o.id_okna) inner join inter_ini_uzytkownik i with (nolock) on (k.id_kolumny=i.id_kolumny) "
      "where i.id_uzytkownika=" +
      user);
  while (next_row(db::Channel::VAX2)) {
    list.buffer = column_entry(without_decimals);
    list.add();
  }
  CLOSESQL2();
  // One stable sort instead of an ordered insert per row: the same order, without moving the list
  // once per column of a large catalogue.
  list.sort<IniKolBroEntry::ByWindowColumn>();
  return list;
}

template <class Record>
void swap_in(dane::SessionList<Record>& target, dane::SessionList<Record>& loaded) {
  loaded.clear_buffer();
  std::lock_guard lock(target.mutex());
  target = loaded;
}

}  // namespace

bool classifier_field_active(std::string_view group, std::int32_t field_number) {
  const std::string answer =
      FUNCSQL("select czy_aktywne from klasyfikator_pole where kod_klas_grupy=" + sql_text(group) +
              " and nazwa_pola_map='pole" + std::to_string(field_number) + "'");
  return number<std::int32_t>(answer) != 0;
}

void LADUJUSTAWIENIAKOLUMN() {
  const std::string user = sql_id(dane::GLO.ID_UZYTKOWNIKA);

  dane::SessionList<IniBroEntry> windows;
  load_rows(windows, std::string(kWindowsStatement));
  windows.sort<IniBroEntry::ByName>();
  swap_in(dane::INI_BRO, windows);

  dane::GLO.ILOSCARTBEZPRZECINKA = POBIERZPARAMKONF("IloscArtBezPrzecinka", "u");

  dane::SessionList<IniKolBroEntry> columns = load_columns(user);
  swap_in(dane::INI_KOL_BRO, columns);

  dane::SessionList<IniParOknoEntry> settings;
  load_rows(settings,
            "select o.nazwa,p.nazwa,i.wartosc from ini_okno o with (nolock),ini_parametr p with (nolock),"
            "inter_parametr_uzytkownik i with (nolock)  where p.id_okna=o.id_okna and "
            "p.id_parametru=i.id_parametru and  i.id_uzytkownika=" +
                user);
  settings.sort<IniParOknoEntry::ByWindowSetting>();
  swap_in(dane::INI_PAR_OKNO, settings);
}

}  // namespace keldox

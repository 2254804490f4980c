// Saving the user's preferences: the date range, the column layouts and the window settings go back to
// the rows the database already holds for the user.
#include <mutex>
#include <shared_mutex>
#include <vector>

#include "dane/globals.h"
#include "dane/host.h"
#include "dane/lists_settings.h"
#include "keldox/config_parameters.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "keldox/window_register.h"

namespace keldox {
namespace {

// Copies taken under the lists' locks, so that no statement runs while a browse waits for the list.
template <class Record>
std::vector<Record> snapshot(const dane::SessionList<Record>& list) {
  std::shared_lock lock(list.mutex());
  return std::vector<Record>(list.begin(), list.end());
}

std::string column_update(const dane::IniKolBroEntry& c, const std::string& user) {
  return "Update inter_ini_uzytkownik with (rowlock) set rozmiar=" + std::to_string(c.ROZMIAR) +
         ",kolejnosc=" + std::to_string(c.KOLEJNOSC) + ",format_kolumny='" +
         sql_escape(c.FORMAT_KOLUMNY.view()) + "'" + " where id_uzytkownika=" + user +
         " and id_kolumny=" + sql_id(c.ID_KOLUMNY);
}

std::string setting_update(const dane::IniParOknoEntry& s, const std::string& user) {
  return "Update inter_parametr_uzytkownik with (rowlock)  set wartosc='" + sql_escape(s.WARTOSC.view()) +
         "' " + " from ini_parametr p,inter_parametr_uzytkownik i,ini_okno o " +
         " where i.id_uzytkownika=" + user + " and " + " p.nazwa='" + sql_escape(s.NAZWA.view()) + "' and " +
         " p.id_parametru=i.id_parametru and p.id_okna=o.id_okna and " + " o.nazwa='" +
         sql_escape(s.NAZWA_OKNA.view()) + "'";
}

}  // namespace

void ZAPISZPREFERENCJEUZYTKOWNIKA(double user) {
  dane::host().set_busy(true);
  USTAWPARAMKONF(dane::GLO.ZAKRES.view(), "ZakrWys", "u");
  USTAWPARAMKONF(std::to_string(dane::GLO.DATA_OD), "Data_Od", "u");
  USTAWPARAMKONF(std::to_string(dane::GLO.DATA_DO), "Data_Do", "u");
  const std::string u = sql_id(user);
  for (const auto& column : snapshot(dane::INI_KOL_BRO)) EXECSQL(column_update(column, u));
  for (const auto& setting : snapshot(dane::INI_PAR_OKNO)) EXECSQL(setting_update(setting, u));
  CLOSESQL();
  dane::host().set_busy(false);
}

}  // namespace keldox

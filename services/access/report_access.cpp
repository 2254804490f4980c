// Report access: loading the report grants of the user's groups and answering for one report.
#include <mutex>
#include <shared_mutex>
#include <string>

#include "access/permission_code.h"
#include "access/permission_lists.h"
#include "dane/globals.h"
#include "dane/lists_access.h"
#include "keldox/permissions.h"
#include "keldox/query_bridge.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"

namespace keldox {

using dane::DostepRaportowEntry;

void LADUJUPRAWNIENIARAPORTU() {
  const std::string statement =
      " select distinct d.id_raportu,d.rodzaj_dostepu  from DOSTEPDORAPORTOW d with (nolock)  inner join  "
      "UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy = d.id_grupy)  inner join  GRUPAUZYTKOWNIKOW g with "
      "(nolock) on (ug.id_grupy=g.id_grupy)  where g.id_firmy=" +
      sql_id(dane::GLO.ID_FIRMY) + " and ug.id_uzytkownika = " + sql_id(dane::GLO.ID_UZYTKOWNIKA);
  dane::SessionList<DostepRaportowEntry> reports;
  DOTNETZALADUJKOLEJKE(reports, DOTNETPODAJKOLEJKESQL(statement));
  if (reports.empty()) {
    EXECSQL(statement);
    while (next_row()) {
      reports.clear_buffer();
      dane::assign_from_text(reports.buffer.ID_RAPORTU, column(1));
      dane::assign_from_text(reports.buffer.RODZAJ_DOSTEPU, column(2));
      reports.add_in_order<DostepRaportowEntry::ByReport>();
    }
    CLOSESQL();
  }
  // Stable: a report granted twice keeps its entries in the order read.
  reports.sort<DostepRaportowEntry::ByReport>();
  access::publish(dane::DOSTEPRAPORTOWQ, reports);
}

std::uint8_t DOSTEPDORAPORTUOK(std::int32_t report_id) {
  if (access::is_administrator()) return 1;
  std::shared_lock lock(dane::DOSTEPRAPORTOWQ.mutex());
  const DostepRaportowEntry* entry = dane::DOSTEPRAPORTOWQ.find<DostepRaportowEntry::ByReport>(report_id);
  return entry == nullptr ? 0 : entry->RODZAJ_DOSTEPU;
}

}  // namespace keldox

// The company's warehouses, each marked when an external sales system is linked to it.
#include <string>

#include "dane/globals.h"
#include "dane/lists_startup.h"
#include "dane/record_fields.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "loading.h"
#include "start/loaders.h"

namespace start {

std::string warehouses_statement() {
  return "select m.id_magazynu,a.id_systemu from magazyn m with (nolock) left outer join MAG_Q2N_SYSTEMY a "
         "with "
         "(nolock) on (m.id_magazynu=a.id_magazynu) where m.id_firmy=" +
         keldox::sql_id(dane::GLO.ID_FIRMY);
}

void LADUJMAGAZYNY() {
  using dane::MagazynEntry;
  dane::SessionList<MagazynEntry> list;
  if (loading::run(warehouses_statement())) {
    while (keldox::next_row()) {
      MagazynEntry row;
      dane::assign_from_text(row.ID_MAGAZYNU, keldox::column(1));
      row.SYSTEM_SPRZEDAZY = dane::number_from_text(keldox::column(2)) > 0 ? 1 : 0;
      // A warehouse linked to several systems comes once per link: one entry, linked if any link is.
      if (list.fetch<MagazynEntry::ById>(row.ID_MAGAZYNU)) {
        list.buffer.SYSTEM_SPRZEDAZY |= row.SYSTEM_SPRZEDAZY;
        list.put();
      } else {
        list.buffer = row;
        list.add_in_order<MagazynEntry::ById>();
      }
    }
  }
  keldox::CLOSESQL();
  loading::publish(dane::KOL_MAGAZYNOW, list);
}

}  // namespace start

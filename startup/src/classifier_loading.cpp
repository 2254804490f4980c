// The definitions of the additional fields of every object, by group code and field number.
#include <string>

#include "dane/globals.h"
#include "dane/lists_startup.h"
#include "dane/record_fields.h"
#include "keldox/query_bridge.h"
#include "keldox/sql.h"
#include "loading.h"
#include "start/loaders.h"

namespace start {
namespace {

using dane::KlasyfikatorEntry;
using List = dane::SessionList<KlasyfikatorEntry>;

void read_rows(List& list) {
  if (loading::run(classifiers_statement())) {
    while (keldox::next_row()) {
      list.clear_buffer();
      // The columns come in the order of the record's fields.
      for (std::size_t n = 1; n <= dane::field_count<KlasyfikatorEntry>(); ++n)
        dane::assign_field(list.buffer, n, keldox::column(n));
      list.add_in_order<KlasyfikatorEntry::ByGroupAndNumber>();
    }
  }
  keldox::CLOSESQL();
}

}  // namespace

std::string classifiers_statement() {
  return "select "
         "KOD_KLAS_GRUPY,ID_POLA,NAZWA_POLA,NAZWA_POLA_MAP,NUMER_POLA,MASKA_POLA,TYP_POLA,WARTOSCI_LISTY,"
         "TYP_DANYCH, ID_SLOWNIKA,WARTOSC_DOMYSLNA,CZY_AKTYWNE,CZY_WYMAGANE,proc_nazwa,proc_id_dokumentu,"
         "path_app_obiektu,nie_edytowany from KLASYFIKATOR_POLE with (nolock) order by "
         "KOD_KLAS_GRUPY,NUMER_POLA";
}

void LADUJKLASYFIKATORY(Route route) {
  List list;
  if (route == Route::bridge_first)
    keldox::DOTNETZALADUJKOLEJKE(list, keldox::DOTNETPODAJKOLEJKESQL(classifiers_statement()));
  if (list.empty()) read_rows(list);
  list.sort<KlasyfikatorEntry::ByGroupAndNumber>();
  loading::publish(dane::GLO.KOL_KLASYFIKATOROW, list);
}

}  // namespace start

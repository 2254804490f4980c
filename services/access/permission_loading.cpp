// Loading the user's grants and the code catalogue into the session lists at the start of a session.
#include <mutex>
#include <string>

#include "access/grant_index.h"
#include "access/permission_code.h"
#include "access/permission_lists.h"
#include "dane/globals.h"
#include "dane/lists_access.h"
#include "keldox/permissions.h"
#include "keldox/query_bridge.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using dane::AccessEntry;
using dane::UprawnEntry;

using access::kFullAccess;
using access::kLimitedAccess;

std::string upper_code(std::string_view code) {
  return std::string(runtime::cut_to_width(runtime::to_upper(code), access::kCodeWidth));
}

// One entry per code and objects: a full grant from any group wins over a limited one, otherwise the
// first row read stays with its flags.
void load_grants(dane::SessionList<AccessEntry>& grants) {
  EXECSQL(
      "select distinct d.kod, d.id2, d.id3, d.id4, d.id5, d.rodzaj_dostepu,d.flaga_stanu from DOSTEP d with "
      "(nolock) inner join       UZYTKOWNIKGRUPY ug with (nolock) on (ug.id_grupy = d.id_grupy and "
      "ug.id_uzytkownika = " +
      sql_id(dane::GLO.ID_UZYTKOWNIKA) +
      ")       inner join GRUPAUZYTKOWNIKOW g with (nolock) on (g.id_grupy=ug.id_grupy) where d.id_firmy = " +
      sql_id(dane::GLO.ID_FIRMY) + " and d.rodzaj_dostepu>0 and g.czy_aktywna=1");
  while (next_row()) {
    AccessEntry row;
    row.KOD = upper_code(column(1));
    dane::assign_from_text(row.ID2, column(2));
    dane::assign_from_text(row.ID3, column(3));
    dane::assign_from_text(row.ID4, column(4));
    dane::assign_from_text(row.ID5, column(5));
    dane::assign_from_text(row.RODZAJ_DOSTEPU, column(6));
    row.FLAGA_STANU = column(7);
    const std::size_t known =
        grants.position_of<AccessEntry::ByCodeAndObjects>(row.KOD, row.ID2, row.ID3, row.ID4, row.ID5);
    if (known == 0) {
      grants.buffer = row;
      grants.add_in_order<AccessEntry::ByCodeAndObjects>();
    } else if (grants.entry(known)->RODZAJ_DOSTEPU == kLimitedAccess && row.RODZAJ_DOSTEPU == kFullAccess) {
      grants.read(known);
      grants.buffer.RODZAJ_DOSTEPU = kFullAccess;
      grants.put();
    }
  }
  CLOSESQL();
}

void load_catalogue(dane::SessionList<UprawnEntry>& catalogue) {
  DOTNETZALADUJKOLEJKE(catalogue,
                       DOTNETPODAJKOLEJKESQL("select upper(kod), rodzaj from UPRAWNIENIE with (nolock)"));
  if (catalogue.empty()) {
    EXECSQL("select kod, rodzaj from UPRAWNIENIE with (nolock)");
    while (next_row()) {
      catalogue.buffer.KOD = upper_code(column(1));
      catalogue.buffer.RODZAJ = column(2);
      catalogue.add_in_order<UprawnEntry::ByCode>();
    }
    CLOSESQL();
  } else {
    // The database's upper() may leave letters beyond ASCII as they are; the checks upper-case them all.
    for (std::size_t position = 1; catalogue.read(position); ++position) {
      catalogue.buffer.KOD = upper_code(catalogue.buffer.KOD.view());
      catalogue.put();
    }
  }
  catalogue.sort<UprawnEntry::ByCode>();
}

}  // namespace

void LADUJUPRAWNIENIA() {
  dane::SessionList<AccessEntry> grants;
  load_grants(grants);
  access::publish(dane::ACCESSQ, grants);

  dane::SessionList<UprawnEntry> catalogue;
  load_catalogue(catalogue);
  access::publish(dane::UPRAWNQ, catalogue);
  index_permissions();

  LADUJUPRAWNIENIARAPORTU();
}

void index_permissions() {
  std::scoped_lock lock(dane::UPRAWNQ.mutex(), dane::ACCESSQ.mutex());
  access::grant_index().rebuild();
}

}  // namespace keldox

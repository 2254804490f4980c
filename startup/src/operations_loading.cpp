// The additional operations that the menus offer: this product's, in the dedicated variant or the common
// one, limited to what the user's groups in the company were granted.
#include <cstdio>
#include <string>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_startup.h"
#include "dane/record_fields.h"
#include "keldox/messages.h"
#include "keldox/query_bridge.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "loading.h"
#include "start/loaders.h"

namespace start {
namespace {

using dane::GLO;
using dane::OperacjaDodatkowaEntry;
using List = dane::SessionList<OperacjaDodatkowaEntry>;

constexpr std::string_view kColumns =
    "select distinct "
    "o.KOD_GRUPY,o.NAZWA,o.SKROT_KLAWISZOWY,o.SKROT_KLAWISZOWY_KOD,o.KOD_OPERACJI,o.GRUPOWANIE,"
    "o.FUNKCJA_ZEWNETRZNA,o.PARAMETRY,o.SCIEZKA,o.ID_OPERACJI,o.ODSWIEZ_LISTE,o.KASUJ_ZAZNACZENIE,0";
// The row-by-row read takes the code before the key code and no constant column.
constexpr std::string_view kFallbackColumns =
    "select distinct "
    "o.KOD_GRUPY,o.NAZWA,o.SKROT_KLAWISZOWY,o.KOD_OPERACJI,o.SKROT_KLAWISZOWY_KOD,o.GRUPOWANIE,"
    "o.FUNKCJA_ZEWNETRZNA,o.PARAMETRY,o.SCIEZKA,o.ID_OPERACJI,o.ODSWIEZ_LISTE,o.KASUJ_ZAZNACZENIE";

// The dedicated variant as the three digits that characters 6 to 8 of an operation's code hold.
std::string variant() {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", static_cast<int>(GLO.WARIANTDEDYKOWANY));
  return text;
}

std::string statement(std::string_view columns) {
  const std::string variant_condition =
      " (substring(o.KOD_OPERACJI,6,3)='" + variant() + "' or substring(o.KOD_OPERACJI,6,3)='000')";
  const std::string order = " order by o.kod_grupy,o.grupowanie,o.nazwa";
  if (!(GLO.ID_UZYTKOWNIKA > 0)) {
    return std::string(columns) +
           "  from MAG_OPERACJE_DODATKOWE o with (nolock) where substring(o.KOD_OPERACJI,4,1)='1' and " +
           variant_condition + order;
  }
  return std::string(columns) +
         "  from MAG_OPERACJE_DODATKOWE o with (nolock)  inner join mag_grupa_operacji_dodatkowej m with "
         "(nolock) on (o.id_operacji=m.id_operacji) inner join uzytkownikgrupy ug with (nolock) "
         "on(m.id_grupy=ug.id_grupy) inner join grupauzytkownikow g with (nolock) on (ug.id_grupy=g.id_grupy "
         "and g.id_firmy=" +
         keldox::sql_id(GLO.ID_FIRMY) + ")" +
         " where  ug.id_uzytkownika=" + keldox::sql_id(GLO.ID_UZYTKOWNIKA) + " and " +
         " substring(o.KOD_OPERACJI,4,1)='1' and " + variant_condition + order;
}

void read_rows(List& list) {
  keldox::EXECSQL(operations_fallback_statement());
  if (const db::Status s = dane::database().last_error(); !s.ok()) {
    keldox::MSG_OSTRZEZENIE(s.text);
  } else {
    while (keldox::next_row()) {
      list.clear_buffer();
      OperacjaDodatkowaEntry& e = list.buffer;
      e.KOD_GRUPY = keldox::column(1);
      e.NAZWA = keldox::column(2);
      e.SKROT_KLAWISZOWY = keldox::column(3);
      e.KOD_OPERACJI = keldox::column(4);
      dane::assign_from_text(e.SKROT_KLAWISZOWY_KOD, keldox::column(5));
      dane::assign_from_text(e.GRUPOWANIE, keldox::column(6));
      dane::assign_from_text(e.FUNKCJA_ZEWNETRZNA, keldox::column(7));
      e.PARAMETRY = keldox::column(8);
      e.SCIEZKA = keldox::column(9);
      dane::assign_from_text(e.ID_OPERACJI, keldox::column(10));
      dane::assign_from_text(e.ODSWIEZ_LISTE, keldox::column(11));
      dane::assign_from_text(e.KASUJ_ZAZNACZENIE, keldox::column(12));
      e.ZNACZNIK = 0;
      list.add_in_order<OperacjaDodatkowaEntry::ByGroupGroupingName>();
    }
  }
  keldox::CLOSESQL();
}

}  // namespace

std::string operations_statement() {
  return statement(kColumns);
}

std::string operations_fallback_statement() {
  return statement(kFallbackColumns);
}

void LADUJOPERACJE_DODATKOWE(Route route) {
  List list;
  if (route == Route::bridge_first)
    keldox::DOTNETZALADUJKOLEJKE(list, keldox::DOTNETPODAJKOLEJKESQL(operations_statement()));
  if (list.empty()) read_rows(list);
  list.sort<OperacjaDodatkowaEntry::ByGroupGroupingName>();
  loading::publish(dane::OPERACJE_DODATKOWE, list);
}

}  // namespace start

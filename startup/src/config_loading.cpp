// The configuration parameters of the user and of the company, with what the user's positions set.
#include <string>

#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "dane/record_fields.h"
#include "keldox/column_settings.h"
#include "keldox/config_parameters.h"
#include "keldox/query_bridge.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "loading.h"
#include "runtime/text.h"
#include "start/loaders.h"

namespace start {
namespace {

using dane::GLO;
using dane::ParamKonfEntry;
using List = dane::SessionList<ParamKonfEntry>;

// The parameter lists keep the field separator of the others free for values: "1;2" is a common one.
constexpr std::string_view kRecordSeparator = "^";
constexpr std::string_view kFieldSeparator = "~";

// The product filter stands in the where clause: inside the outer join's on clause it would only empty
// the values of other products' positions and keep the positions themselves.
constexpr std::string_view kThisProduct = " where substring(p.KOD_WERSJI,4,1)='1'";

std::string user_tail() {
  return keldox::sql_id(GLO.ID_UZYTKOWNIKA) + " and i.id_firmy=" + keldox::sql_id(GLO.ID_FIRMY) +
         std::string(kThisProduct);
}

std::string company_tail() {
  return keldox::sql_id(GLO.ID_FIRMY) + std::string(kThisProduct);
}

// A value never stored reads "0", unless the mask says text ("S" as its second character).
void apply_default(ParamKonfEntry& entry) {
  if (!runtime::trim_right(entry.WARTOSC.view()).empty()) return;
  const bool text = runtime::to_upper(runtime::sub_text(entry.MASKA.view(), 2, 1)) == "S";
  entry.WARTOSC = text ? "" : "0";
}

// The user's positions that the session keeps in globals of their own.
void apply_special(const ParamKonfEntry& entry) {
  const std::string_view value = entry.WARTOSC.view();
  switch (static_cast<int>(entry.ID_POZYCJI)) {
    case 500:
      dane::assign_from_text(GLO.ID_KASY, value);
      break;
    case 502:
      dane::assign_from_text(GLO.ID_MAGAZYNU, value);
      break;
    case 505:
      GLO.ZAKRES = value;
      break;
    case 506:
      dane::assign_from_text(GLO.DATA_OD, value);
      break;
    case 507:
      dane::assign_from_text(GLO.DATA_DO, value);
      break;
    case 530:
      dane::assign_from_text(GLO.CONTR_LIST_HEIGHT, value);
      break;
    case 531:
      dane::assign_from_text(GLO.CONTR_LIST_FONT_SIZE, value);
      break;
    case 532:
      GLO.CONTR_LIST_FONT = value;
      break;
    case 543:
      GLO.TOOLTIPTYPE = runtime::same_text(value, "Styl nowoczesny") ? 2 : 1;
      break;
    default:
      break;
  }
}

// Codes are looked up in upper case; the database's upper() may leave letters beyond ASCII as they are.
void upper_codes(List& list) {
  for (std::size_t position = 1; list.read(position); ++position) {
    list.buffer.KOD = runtime::to_upper(list.buffer.KOD.view());
    list.put();
  }
}

// The fallback's rows: code, id, value, mask.
void read_rows(List& list, std::string_view statement) {
  if (loading::run(statement)) {
    while (keldox::next_row()) {
      list.clear_buffer();
      list.buffer.KOD = runtime::to_upper(keldox::column(1));
      dane::assign_from_text(list.buffer.ID_POZYCJI, keldox::column(2));
      list.buffer.WARTOSC = keldox::column(3);
      list.buffer.MASKA = keldox::column(4);
      list.add_in_order<ParamKonfEntry::ByCode>();
    }
  }
  keldox::CLOSESQL();
}

List load_list(Route route, const std::string& statement, const std::string& fallback) {
  List list;
  if (route == Route::bridge_first) {
    keldox::DOTNETZALADUJKOLEJKE(list,
                                 keldox::DOTNETPODAJKOLEJKESQL(statement, kRecordSeparator, kFieldSeparator),
                                 kRecordSeparator, kFieldSeparator);
    upper_codes(list);
  }
  if (list.empty()) read_rows(list, fallback);
  list.sort<ParamKonfEntry::ByCode>();
  for (std::size_t position = 1; list.read(position); ++position) {
    apply_default(list.buffer);
    list.put();
  }
  return list;
}

void load_warehouse_account() {
  if (GLO.ID_MAGAZYNU <= 0) return;
  GLO.ID_KONTA_MAGAZYNU = 0;
  GLO.MAG_WYROZNIK_SYNCHRONIZACJI = "";
  if (loading::run("select id_magazynu,id_rachunku,WYROZNIK_SYNCHRONIZACJI from magazyn with (nolock) where "
                   "id_magazynu=" +
                   keldox::sql_id(GLO.ID_MAGAZYNU)) &&
      keldox::next_row()) {
    dane::assign_from_text(GLO.ID_KONTA_MAGAZYNU, keldox::column(2));
    GLO.MAG_WYROZNIK_SYNCHRONIZACJI = keldox::column(3);
  }
  keldox::CLOSESQL();
}

// A count the database did not answer is no proof of access: the company is given up as well.
bool counted(const std::string& statement) {
  return dane::number_from_text(keldox::FUNCSQL(statement, 1)) > 0;
}

void check_company_access() {
  if (GLO.ID_UZYTKOWNIKA == 0) return;
  const std::string company = keldox::sql_id(GLO.ID_FIRMY);
  if (!counted("select count(1) from DOSTEP with (nolock) where kod='SYS' and id_firmy=" + company +
               " and rodzaj_dostepu>0"))
    GLO.ID_FIRMY = 0;
  if (!counted(
          "select count(1) from uzytkownikgrupy u with (nolock), grupauzytkownikow g with (nolock) where "
          "g.id_firmy=" +
          company + " and g.id_grupy=u.id_grupy and u.id_uzytkownika=" + keldox::sql_id(GLO.ID_UZYTKOWNIKA)))
    GLO.ID_FIRMY = 0;
}

}  // namespace

std::string user_parameters_statement() {
  return "select  p.id_pozycji,upper(p.kod), p.maska,i.wartosc from V_KONF_UZYTKOWNIKA p with (nolock) LEFT "
         "OUTER JOIN InterUzytkownikPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND "
         "i.id_uzytkownika=" +
         user_tail();
}

std::string user_parameters_fallback_statement() {
  return "select p.kod, p.id_pozycji, i.wartosc, p.maska from V_KONF_UZYTKOWNIKA p with (nolock) LEFT OUTER "
         "JOIN InterUzytkownikPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND i.id_uzytkownika=" +
         user_tail();
}

std::string company_parameters_statement() {
  return "select  p.id_pozycji,upper(p.kod), p.maska,i.wartosc from V_KONF_SYSTEMU p with (nolock) LEFT "
         "OUTER "
         "JOIN InterFirmaPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND i.id_firmy=" +
         company_tail();
}

std::string company_parameters_fallback_statement() {
  return "select p.kod, p.id_pozycji, i.wartosc, p.maska,p.kod_wersji from V_KONF_SYSTEMU p with (nolock) "
         "LEFT "
         "OUTER JOIN InterFirmaPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND i.id_firmy=" +
         company_tail();
}

void load_parameter_lists(Route route) {
  const List user = load_list(route, user_parameters_statement(), user_parameters_fallback_statement());
  for (const ParamKonfEntry& entry : user) apply_special(entry);
  loading::publish(dane::U_PARAMKONFQ, user);
  set_session_period(runtime::today());

  loading::publish(dane::S_PARAMKONFQ,
                   load_list(route, company_parameters_statement(), company_parameters_fallback_statement()));
}

void LADUJPARAMETRYKONF(Route route) {
  load_parameter_lists(route);
  GLO.BRUTTO_NETTO = runtime::same_text(keldox::POBIERZPARAMKONF("EwidencjaCens", "s"), "BRUTTO") ? 1 : 0;

  keldox::LADUJUSTAWIENIAKOLUMN();
  load_warehouse_account();
  check_company_access();
}

}  // namespace start

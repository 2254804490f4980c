// Configuration parameters of firm and user, and saved report parameters.
#include <string>

#include "routines.h"
#include "runtime/text.h"

namespace server::detail {
namespace {

// ('s', company, code, value, 0) or ('u', user, code, value, company): stores the parameter's value.
db::Status save_parameter(db::ProcedureCall& call) {
  const std::string kind = runtime::to_lower(runtime::trim(call.text_arg(0)));
  db::Status s;
  const auto position =
      call.db.scalar("SELECT ID_POZYCJI FROM POZYCJAKONFIG WHERE KOD = ? ORDER BY ID_POZYCJI LIMIT 1",
                     {db::Value::text(call.text_arg(2))}, &s);
  if (!s.ok()) return s;
  if (!position) {
    return db::Status::statement_failed("Nie istnieje parametr konfiguracji '" + call.text_arg(2) + "'.");
  }
  const db::Value id = db::Value::integer(to_int(*position));
  const db::Value value = db::Value::text(call.text_arg(3));
  if (kind == "s") {
    return call.db.exec(
        "INSERT INTO INTERFIRMAPOZYCJA (ID_FIRMY, ID_POZYCJI, WARTOSC) VALUES (?, ?, ?) "
        "ON CONFLICT (ID_FIRMY, ID_POZYCJI) DO UPDATE SET WARTOSC = excluded.WARTOSC",
        {db::Value::integer(call.int_arg(1)), id, value});
  }
  if (kind == "u") {
    return call.db.exec(
        "INSERT INTO INTERUZYTKOWNIKPOZYCJA (ID_UZYTKOWNIKA, ID_POZYCJI, WARTOSC, ID_FIRMY) "
        "VALUES (?, ?, ?, ?) ON CONFLICT (ID_UZYTKOWNIKA, ID_POZYCJI, ID_FIRMY) DO UPDATE SET "
        "WARTOSC = excluded.WARTOSC",
        {db::Value::integer(call.int_arg(1)), id, value, db::Value::integer(call.int_arg(4))});
  }
  return db::Status::statement_failed("Nieznany rodzaj parametru '" + call.text_arg(0) + "'.");
}

// (parameter, variant, user, value).
db::Status save_report_parameter(db::ProcedureCall& call) {
  return call.db.exec(
      "INSERT INTO WARTOSC_PARAMETRU (ID_PARAMETRU, ID_WARIANTU, ID_UZYTKOWNIKA, WARTOSC) "
      "VALUES (?, ?, ?, ?) ON CONFLICT (ID_PARAMETRU, ID_WARIANTU, ID_UZYTKOWNIKA) DO UPDATE SET "
      "WARTOSC = excluded.WARTOSC",
      {db::Value::integer(call.int_arg(0)), db::Value::integer(call.int_arg(1)),
       db::Value::integer(call.int_arg(2)), db::Value::text(call.text_arg(3))});
}

}  // namespace

void add_settings_procedures(db::ProcedureRegistry& r) {
  r.add("RM_ZapiszParamKonf", 5, 5, save_parameter);
  r.add("JL_ZapiszParametrRaportu", 4, 4, save_report_parameter);
}

}  // namespace server::detail

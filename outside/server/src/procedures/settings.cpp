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

constexpr std::int64_t kAdministrator = 3000001;

// (name, context, type, subsystem, author, firm): a new application filter, assigned to the administrator
// and its author; its row (the new id) is returned. A name the context already has fails.
db::Status add_user_filter(db::ProcedureCall& call) {
  const std::string name(runtime::trim(call.text_arg(0)));
  if (name.empty()) return db::Status::statement_failed("Nazwa filtra nie może być pusta.");
  const db::Value context = db::Value::text(std::string(runtime::trim(call.text_arg(1))));
  const db::Value type = db::Value::text(std::string(runtime::trim(call.text_arg(2))));
  const db::Value subsystem = db::Value::text(std::string(runtime::trim(call.text_arg(3))));
  const std::int64_t author = call.int_arg(4);
  db::Status s;
  const auto taken = call.db.scalar(
      "SELECT count(*) FROM MAG_DEFINICJA_FILTRA WHERE PODSYSTEM = ? AND TYP = ? AND KONTEKST = ? AND NAZWA "
      "= ?",
      {subsystem, type, context, db::Value::text(name)}, &s);
  if (!s.ok()) return s;
  if (taken && to_int(*taken) > 0)
    return db::Status::statement_failed("Istnieje już filtr o nazwie '" + name + "'.");
  if (s = call.db.exec("INSERT INTO MAG_DEFINICJA_FILTRA (NAZWA, PODSYSTEM, TYP, KONTEKST, ID_UZYTKOWNIKA) "
                       "VALUES (?, ?, ?, ?, ?)",
                       {db::Value::text(name), subsystem, type, context, db::Value::integer(author)});
      !s.ok())
    return s;
  const std::int64_t id = call.db.last_insert_id();
  for (const std::int64_t user : {kAdministrator, author}) {
    if (user <= 0) continue;
    if (s = call.db.exec(
            "INSERT INTO MAG_UZYTKOWNIK_FILTROW (ID_UZYTKOWNIKA, ID_FILTRA) SELECT ?, ? WHERE NOT "
            "EXISTS (SELECT 1 FROM MAG_UZYTKOWNIK_FILTROW WHERE ID_UZYTKOWNIKA = ? AND ID_FILTRA = ?)",
            {db::Value::integer(user), db::Value::integer(id), db::Value::integer(user),
             db::Value::integer(id)});
        !s.ok())
      return s;
  }
  call.result.set_columns(1);
  call.result.names = {"ID_FILTRA"};
  call.result.add_row({std::to_string(id)});
  return db::Status::success();
}

}  // namespace

void add_settings_procedures(db::ProcedureRegistry& r) {
  r.add("RM_ZapiszParamKonf", 5, 5, save_parameter);
  r.add("JL_ZapiszParametrRaportu", 4, 4, save_report_parameter);
  r.add("RM_DodajFiltrUzytkownika", 5, 6, add_user_filter);
}

}  // namespace server::detail

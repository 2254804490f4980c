// Log-in registration, system parameters and the action and parameter logs.
#include <unistd.h>

#include <string>

#include "routines.h"

namespace server::detail {

db::Status write_action_log(db::SqlLink& db, std::int64_t company, std::int64_t warehouse, std::int64_t user,
                            std::int64_t object, std::string_view kind, std::int64_t action,
                            std::string_view description, std::int64_t program,
                            std::string_view description2) {
  return db.exec(
      "INSERT INTO LOG_AKCJI (DATA_CZAS, ID_FIRMY, ID_MAGAZYNU, ID_UZYTKOWNIKA, ID_OBIEKTU, RODZAJ_OBIEKTU, "
      "AKCJA, OPIS, OPIS2, KOD_PROGRAMU) VALUES (" +
          std::string(kNow) + ", ?, ?, ?, ?, ?, ?, ?, ?, ?)",
      {db::Value::integer(company), db::Value::integer(warehouse), db::Value::integer(user),
       db::Value::integer(object), db::Value::text(std::string(kind)), db::Value::integer(action),
       db::Value::text(std::string(description)), db::Value::text(std::string(description2)),
       db::Value::integer(program)});
}

namespace {

bool numeric(const db::Value& v) {
  if (std::holds_alternative<std::int64_t>(v.data) || std::holds_alternative<db::Value::Decimal>(v.data))
    return true;
  if (!v.is_text()) return false;
  const std::string t = v.as_text();
  const auto digits = t.find_first_not_of("-+");
  return digits != std::string::npos && t.find_first_not_of("0123456789.", digits) == std::string::npos;
}

// (user, text): the user starts working; the session reads hostprocess right after.
db::Status register_account(db::ProcedureCall& call) {
  const std::int64_t user = call.int_arg(0);
  db::Status s =
      call.db.exec("UPDATE UZYTKOWNIK SET STATUS_PRACY = 1, HOSTPROCESS = ? WHERE ID_UZYTKOWNIKA = ?",
                   {db::Value::integer(getpid()), db::Value::integer(user)});
  if (!s.ok()) return s;
  if (call.db.changes() == 0) {
    return db::Status::statement_failed("Użytkownik o identyfikatorze " + std::to_string(user) +
                                        " nie istnieje.");
  }
  return write_action_log(call.db, 0, 0, user, user, "SYSTEM", 1, "Rejestracja konta", 3, call.text_arg(1));
}

// (product number, database version): remembers which program version last opened the database.
db::Status save_system_parameters(db::ProcedureCall& call) {
  if (!numeric(call.args[0]) || !numeric(call.args[1])) {
    return db::Status::statement_failed("Error converting data type varchar to numeric.");
  }
  return call.db.exec(
      "INSERT INTO PARAMETRY_SYSTEMU (RODZAJ_WERSJI, WERSJA_BAZY, DATA_ZAPISU) VALUES (?, ?, " +
          std::string(kNow) +
          ") ON CONFLICT (RODZAJ_WERSJI) DO UPDATE SET WERSJA_BAZY = excluded.WERSJA_BAZY, "
          "DATA_ZAPISU = excluded.DATA_ZAPISU",
      {db::Value::integer(call.int_arg(0)), db::Value::decimal(call.args[1].as_text())});
}

// (company, warehouse, user, object, kind, action, description, program[, description 2]).
db::Status log_action(db::ProcedureCall& call) {
  return write_action_log(call.db, call.int_arg(0), call.int_arg(1), call.int_arg(2), call.int_arg(3),
                          call.text_arg(4), call.int_arg(5), call.text_arg(6), call.int_arg(7),
                          call.text_arg(8));
}

// (kind 's'/'u', company, user, code, old value, new value).
db::Status log_parameter(db::ProcedureCall& call) {
  return call.db.exec(
      "INSERT INTO LOG_PARAMETROW (DATA_CZAS, RODZAJ, ID_FIRMY, ID_UZYTKOWNIKA, KOD, STARA_WARTOSC, "
      "NOWA_WARTOSC) VALUES (" +
          std::string(kNow) + ", ?, ?, ?, ?, ?, ?)",
      {db::Value::text(call.text_arg(0)), db::Value::integer(call.int_arg(1)),
       db::Value::integer(call.int_arg(2)), db::Value::text(call.text_arg(3)),
       db::Value::text(call.text_arg(4)), db::Value::text(call.text_arg(5))});
}

}  // namespace

void add_session_procedures(db::ProcedureRegistry& r) {
  r.add("JL_RejestrujKonto", 1, 2, register_account);
  r.add("AP_ZapiszParametrySystemu", 2, 2, save_system_parameters);
  r.add("AP_ZapiszDoLogu", 8, 9, log_action);
  r.add("AP_ZapiszDoLoguParam", 6, 6, log_parameter);
  r.add("AP_GenerujWszystkieWidokiMAGGEN_VP", 0, 0, [](db::ProcedureCall&) { return db::Status::success(); });
}

}  // namespace server::detail

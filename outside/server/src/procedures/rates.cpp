// Exchange rates: store a rate, ask whether a day has rates, give the converter between two currencies.
#include <cmath>
#include <cstdio>
#include <string>

#include "routines.h"
#include "runtime/text.h"

namespace server::detail {
namespace {

// (day, clock, currency, rate, source): stores or replaces the currency's rate of that day and source.
db::Status update_rate(db::ProcedureCall& call) {
  const db::Value day = db::Value::integer(call.int_arg(0));
  const db::Value source = db::Value::integer(call.int_arg(4));
  const std::string currency = runtime::to_upper(runtime::trim(call.text_arg(2)));
  if (call.args[3].as_double() <= 0)
    return db::Status::statement_failed("Kurs waluty musi być większy od zera.");
  db::Status s = call.db.exec(
      "INSERT INTO DATY_KURSOW (ID_BANKU, DATA_NOT, GODZ_NOT) VALUES (?1, ?2, ?3) "
      "ON CONFLICT (ID_BANKU, DATA_NOT) DO UPDATE SET GODZ_NOT = excluded.GODZ_NOT",
      {source, day, db::Value::integer(call.int_arg(1))});
  if (!s.ok()) return s;
  const auto id =
      call.db.scalar("SELECT ID_DATY FROM DATY_KURSOW WHERE ID_BANKU = ? AND DATA_NOT = ?", {source, day});
  if (!id) return db::Status::statement_failed("Nie zapisano daty kursu.");
  const db::Value rate = db::Value::decimal(call.args[3].as_text());
  return call.db.exec(
      "INSERT INTO KURSY_WALUT (ID_DATY, SYM_WALUTY, KURS_ZAKUPU, KURS_SPRZEDAZY, KURS_SREDNI) VALUES (?1, "
      "?2, ?3, ?3, ?3) "
      "ON CONFLICT (ID_DATY, SYM_WALUTY) DO UPDATE SET KURS_ZAKUPU = ?3, KURS_SPRZEDAZY = ?3, KURS_SREDNI = "
      "?3",
      {db::Value::integer(to_int(*id)), db::Value::text(currency), rate});
}

// (day, source): one row, the number of rates quoted on that day by that source.
db::Status has_rates(db::ProcedureCall& call) {
  return call.db.query(
      "SELECT COUNT(*) FROM KURSY_WALUT k JOIN DATY_KURSOW d ON d.ID_DATY = k.ID_DATY WHERE d.DATA_NOT = ? "
      "AND "
      "d.ID_BANKU = ?",
      {db::Value::integer(call.int_arg(0)), db::Value::integer(call.int_arg(1))}, call.result);
}

// Value of one unit of the currency in the base currency on the day (latest quotation up to it).
std::optional<double> unit_value(db::SqlLink& db, const std::string& currency, std::int64_t day,
                                 std::int64_t source) {
  const auto base = db.scalar("SELECT COUNT(*) FROM WALUTY WHERE SYM_WALUTY = ? AND NUMER = 1",
                              {db::Value::text(currency)});
  if (base && *base != "0") return 1.0;
  const auto rate = db.scalar(
      "SELECT k.KURS_SREDNI * 1.0 / MAX(IFNULL(w.MNOZNIK_WALUTY, 1), 1) FROM KURSY_WALUT k JOIN DATY_KURSOW "
      "d ON "
      "d.ID_DATY = k.ID_DATY LEFT JOIN WALUTY w ON w.SYM_WALUTY = k.SYM_WALUTY WHERE k.SYM_WALUTY = ? AND "
      "d.ID_BANKU = ? "
      "AND d.DATA_NOT <= ? ORDER BY d.DATA_NOT DESC LIMIT 1",
      {db::Value::text(currency), db::Value::integer(source), db::Value::integer(day)});
  if (!rate) return std::nullopt;
  return to_double(*rate);
}

// (currency 1, currency 2, day, source): one row with the converter from currency 1 to currency 2
// (to the base currency when currency 2 is empty), six places; no row when a rate is missing.
db::Status give_rate(db::ProcedureCall& call) {
  const std::string from = runtime::to_upper(runtime::trim(call.text_arg(0)));
  const std::string to = runtime::to_upper(runtime::trim(call.text_arg(1)));
  const auto a = unit_value(call.db, from, call.int_arg(2), call.int_arg(3));
  const auto b =
      to.empty() ? std::optional<double>(1.0) : unit_value(call.db, to, call.int_arg(2), call.int_arg(3));
  call.result.set_columns(1);
  if (!a || !b || *b == 0) return db::Status::success();
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", std::round(*a / *b * 1e6) / 1e6);
  call.result.add_row({text});
  return db::Status::success();
}

}  // namespace

void add_rate_procedures(db::ProcedureRegistry& r) {
  r.add("AP_AktualizujKursWaluty", 5, 5, update_rate);
  r.add("AP_Czy_SaKursyWalut", 2, 2, has_rates);
  r.add("AP_PobierzKursWaluty", 4, 4, give_rate);
}

}  // namespace server::detail

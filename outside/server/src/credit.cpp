// The credit-limit routines: the payer's balances and the part of the limit still available.
#include "credit.h"

#include <sqlite3.h>

#include "db/result_set.h"
#include "procedures/routines.h"

namespace server::detail {
namespace {

// Money sums in SQLite are kept exact by summing cents.
constexpr const char* kPositionQuery =
    "SELECT "
    " IFNULL(SUM(CASE WHEN r.POZOSTALO > 0 THEN CAST(ROUND(r.POZOSTALO * 100) AS INTEGER) END), 0), "
    " IFNULL(SUM(CASE WHEN r.POZOSTALO > 0 AND r.TERMIN + IFNULL(k.DNI_PO_TERMINIE, 0) < ?3 "
    "   THEN CAST(ROUND(r.POZOSTALO * 100) AS INTEGER) END), 0), "
    " IFNULL(SUM(CASE WHEN r.POZOSTALO < 0 THEN -CAST(ROUND(r.POZOSTALO * 100) AS INTEGER) END), 0), "
    " IFNULL(MIN(CASE WHEN r.POZOSTALO > 0 AND r.TERMIN + IFNULL(k.DNI_PO_TERMINIE, 0) < ?3 "
    "   THEN r.TERMIN END), 0) "
    "FROM KONTRAHENT k LEFT JOIN ROZRACHUNEK r ON r.ID_KONTRAHENTA = k.ID_KONTRAHENTA "
    "  AND IFNULL(r.NR_DOK, '') <> IFNULL((SELECT NUMER FROM DOKUMENT_HANDLOWY "
    "      WHERE ID_DOKUMENTU_HANDLOWEGO = ?2), '#') "
    "WHERE k.ID_KONTRAHENTA = ?1";

std::string cents_text(std::int64_t cents) {
  const bool negative = cents < 0;
  const std::int64_t a = negative ? -cents : cents;
  std::string fraction = std::to_string(a % 100);
  if (fraction.size() < 2) fraction.insert(0, "0");
  return (negative ? "-" : "") + std::to_string(a / 100) + "." + fraction;
}

std::int64_t cents_of(const std::string& text) {
  return static_cast<std::int64_t>(to_double(text) * 100 + (to_double(text) < 0 ? -0.5 : 0.5));
}

// (payer, document, day, blocking mode): one row of the payer's balances.
db::Status saldo_kontrahenta(db::ProcedureCall& call) {
  CreditPosition p;
  if (db::Status s = credit_position(call.db, call.int_arg(0), call.int_arg(1), call.int_arg(2), p); !s.ok())
    return s;
  call.result.set_columns(6);
  call.result.names = {"NALEZNOSCI", "PRZETERMINOWANE", "ZOBOWIAZANIA",
                       "SALDO",      "LIMIT_KUPIECKI",  "NAJSTARSZY_TERMIN"};
  for (const std::string& cell :
       {p.receivables, p.overdue, p.liabilities, p.balance, p.limit, std::to_string(p.oldest_overdue)})
    call.result.add_cell(cell);
  return db::Status::success();
}

// (payer, 0, 0, 0, day, stock issues count): the limit less what is owed, and less the stock issues not
// yet invoiced when they count.
void limit_do_wykorzystania(sqlite3_context* ctx, int, sqlite3_value** argv) {
  db::SqlLink link(sqlite3_context_db_handle(ctx));
  CreditPosition p;
  const db::Status s =
      credit_position(link, sqlite3_value_int64(argv[0]), 0, sqlite3_value_int64(argv[4]), p);
  if (!s.ok()) return sqlite3_result_error(ctx, s.text.c_str(), -1);
  std::int64_t available = cents_of(p.limit) - cents_of(p.receivables);
  if (sqlite3_value_int64(argv[5]) == 1) available -= cents_of(p.uninvoiced_issues);
  const std::string text = cents_text(available);
  sqlite3_result_text(ctx, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

}  // namespace

db::Status credit_position(db::SqlLink& db, std::int64_t payer, std::int64_t document, std::int64_t day,
                           CreditPosition& out) {
  db::ResultSet rows;
  const std::vector<db::Value> params{db::Value::integer(payer), db::Value::integer(document),
                                      db::Value::integer(day)};
  if (db::Status s = db.query(kPositionQuery, params, rows); !s.ok()) return s;
  if (rows.rows() == 0) return db::Status::statement_failed("Kontrahent nie został znaleziony!");
  const std::int64_t receivables = to_int(std::string(rows.cell(0, 0)));
  const std::int64_t liabilities = to_int(std::string(rows.cell(0, 2)));
  out.receivables = cents_text(receivables);
  out.overdue = cents_text(to_int(std::string(rows.cell(0, 1))));
  out.liabilities = cents_text(liabilities);
  out.balance = cents_text(receivables - liabilities);
  out.oldest_overdue = to_int(std::string(rows.cell(0, 3)));
  db::Status s;
  out.limit = cents_text(cents_of(
      db.scalar("SELECT IFNULL(LIMIT_KUPIECKI, 0) FROM KONTRAHENT WHERE ID_KONTRAHENTA = ?", {params[0]}, &s)
          .value_or("0")));
  if (!s.ok()) return s;
  const auto issues = db.scalar(
      "SELECT IFNULL(SUM(CAST(ROUND(WARTOSC * 100) AS INTEGER)), 0) FROM DOKUMENT_MAGAZYNOWY "
      "WHERE ID_KONTRAHENTA = ? AND IFNULL(ID_DOKUMENTU_HANDLOWEGO, 0) = 0 AND ROBOCZY = 0",
      {params[0]}, &s);
  if (!s.ok()) return s;
  out.uninvoiced_issues = cents_text(to_int(issues.value_or("0")));
  return db::Status::success();
}

void register_credit_functions(sqlite3* db) {
  sqlite3_create_function_v2(db, "AP_Func_PodajLimitKontrDoWykorz", 6, SQLITE_UTF8, nullptr,
                             limit_do_wykorzystania, nullptr, nullptr, nullptr);
}

void add_credit_procedures(db::ProcedureRegistry& r) {
  r.add("AP_ObliczSaldoKontrahenta", 3, 4, saldo_kontrahenta);
}

}  // namespace server::detail

// A small virtual-table module that turns a C++ routine into a table-valued function.
#include "table_functions.h"

#include <sqlite3.h>

#include <cstring>
#include <memory>

#include "db/statement_cache.h"

namespace server::detail {
namespace {

struct Module {
  std::string schema;
  std::size_t columns;
  int arg_count;
  TableFunction fn;
  sqlite3_module methods{};
};

// One per connection: its statements stay prepared between calls and go with it (xDisconnect comes
// before the connection closes).
struct VTab {
  sqlite3_vtab base{};
  Module* module = nullptr;
  sqlite3* db = nullptr;
  db::StatementCache statements;
};

struct Cursor {
  sqlite3_vtab_cursor base{};
  db::ResultSet rows;
  std::size_t row = 0;
};

int x_connect(sqlite3* db, void* aux, int, const char* const*, sqlite3_vtab** out, char**) {
  auto* m = static_cast<Module*>(aux);
  const int rc = sqlite3_declare_vtab(db, m->schema.c_str());
  if (rc != SQLITE_OK) return rc;
  auto* v = new VTab{};
  v->module = m;
  v->db = db;
  *out = &v->base;
  return SQLITE_OK;
}

int x_disconnect(sqlite3_vtab* v) {
  delete reinterpret_cast<VTab*>(v);
  return SQLITE_OK;
}

// Every hidden argument column must be bound by equality; they are passed in argument order.
int x_best_index(sqlite3_vtab* vtab, sqlite3_index_info* info) {
  const Module* m = reinterpret_cast<VTab*>(vtab)->module;
  int seen = 0;
  for (int i = 0; i < info->nConstraint; ++i) {
    const auto& c = info->aConstraint[i];
    const int arg = c.iColumn - static_cast<int>(m->columns);
    if (arg < 0 || c.op != SQLITE_INDEX_CONSTRAINT_EQ) continue;
    if (!c.usable) return SQLITE_CONSTRAINT;
    info->aConstraintUsage[i].argvIndex = arg + 1;
    info->aConstraintUsage[i].omit = 1;
    seen |= 1 << arg;
  }
  if (seen != (1 << m->arg_count) - 1) return SQLITE_CONSTRAINT;
  info->estimatedCost = 10;
  info->estimatedRows = 10;
  return SQLITE_OK;
}

int x_open(sqlite3_vtab*, sqlite3_vtab_cursor** out) {
  *out = &(new Cursor{})->base;
  return SQLITE_OK;
}

int x_close(sqlite3_vtab_cursor* c) {
  delete reinterpret_cast<Cursor*>(c);
  return SQLITE_OK;
}

db::Value to_value(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      return db::Value::integer(sqlite3_value_int64(v));
    case SQLITE_NULL:
      return db::Value::null();
    default: {
      const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
      return db::Value::text(t ? std::string(t, static_cast<std::size_t>(sqlite3_value_bytes(v)))
                               : std::string());
    }
  }
}

int x_filter(sqlite3_vtab_cursor* base, int, const char*, int argc, sqlite3_value** argv) {
  auto* c = reinterpret_cast<Cursor*>(base);
  auto* vtab = reinterpret_cast<VTab*>(base->pVtab);
  std::vector<db::Value> args;
  for (int i = 0; i < argc; ++i) args.push_back(to_value(argv[i]));
  c->rows.clear();
  c->rows.set_columns(vtab->module->columns);
  c->row = 0;
  db::SqlLink link(vtab->db, &vtab->statements);
  const db::Status s = vtab->module->fn(link, args, c->rows);
  if (!s.ok()) {
    sqlite3_free(vtab->base.zErrMsg);
    vtab->base.zErrMsg = sqlite3_mprintf("%s", s.text.c_str());
    return SQLITE_ERROR;
  }
  return SQLITE_OK;
}

int x_next(sqlite3_vtab_cursor* base) {
  ++reinterpret_cast<Cursor*>(base)->row;
  return SQLITE_OK;
}

int x_eof(sqlite3_vtab_cursor* base) {
  auto* c = reinterpret_cast<Cursor*>(base);
  return c->row >= c->rows.rows();
}

int x_column(sqlite3_vtab_cursor* base, sqlite3_context* ctx, int i) {
  auto* c = reinterpret_cast<Cursor*>(base);
  if (static_cast<std::size_t>(i) >= c->rows.columns()) {
    sqlite3_result_null(ctx);
    return SQLITE_OK;
  }
  const std::string_view v = c->rows.cell(c->row, static_cast<std::size_t>(i));
  sqlite3_result_text(ctx, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
  return SQLITE_OK;
}

int x_rowid(sqlite3_vtab_cursor* base, sqlite3_int64* out) {
  *out = static_cast<sqlite3_int64>(reinterpret_cast<Cursor*>(base)->row);
  return SQLITE_OK;
}

void destroy_module(void* aux) {
  delete static_cast<Module*>(aux);
}

}  // namespace

void register_table_function(sqlite3* db, const std::string& name, const std::vector<std::string>& columns,
                             int arg_count, TableFunction fn) {
  auto m = std::make_unique<Module>();
  m->schema = "CREATE TABLE x(";
  for (std::size_t i = 0; i < columns.size(); ++i) m->schema += (i ? ", " : "") + columns[i];
  for (int i = 0; i < arg_count; ++i) m->schema += ", arg" + std::to_string(i) + " HIDDEN";
  m->schema += ")";
  m->columns = columns.size();
  m->arg_count = arg_count;
  m->fn = std::move(fn);
  sqlite3_module& x = m->methods;
  x.iVersion = 0;
  x.xCreate = nullptr;  // eponymous only
  x.xConnect = x_connect;
  x.xBestIndex = x_best_index;
  x.xDisconnect = x_disconnect;
  x.xDestroy = x_disconnect;
  x.xOpen = x_open;
  x.xClose = x_close;
  x.xFilter = x_filter;
  x.xNext = x_next;
  x.xEof = x_eof;
  x.xColumn = x_column;
  x.xRowid = x_rowid;
  Module* raw = m.release();
  sqlite3_create_module_v2(db, name.c_str(), &raw->methods, raw, destroy_module);
}

}  // namespace server::detail

namespace server::detail {
namespace {

// The latest rate of the currency (?1) of a source up to the day (?2), as "day rate"; never asked for the
// base currency, which has no rates: the search would walk back over every day of the source.
#define LATEST_RATE(source)                                                                           \
  "CASE WHEN b.BASE IS NULL THEN (SELECT d.DATA_NOT || ' ' || printf('%.6f', k.KURS_SREDNI) FROM "    \
  "KURSY_WALUT k JOIN DATY_KURSOW d ON d.ID_DATY = k.ID_DATY WHERE k.SYM_WALUTY = ?1 AND d.ID_BANKU " \
  "= " #source " AND d.DATA_NOT <= ?2 ORDER BY d.DATA_NOT DESC LIMIT 1) END"

// (day, currency): the latest NBP and ECB rates up to the day: NBP day, NBP rate, ECB day, ECB rate
// (0 for a source without one); no row when neither source has a rate. The base currency is 1. One
// statement for all of it, kept prepared: a page of the currency list calls this once a row.
db::Status rates_nbp_ecb(db::SqlLink& db, const std::vector<db::Value>& args, db::ResultSet& out) {
  db::ResultSet r;
  const db::Status s = db.query(
      "SELECT b.BASE, " LATEST_RATE(0) ", " LATEST_RATE(-1) " FROM (SELECT (SELECT 1 FROM WALUTY WHERE "
      "SYM_WALUTY = ?1 AND NUMER = 1) AS BASE) b",
      {db::Value::text(args[1].as_text()), db::Value::integer(args[0].as_int())}, r);
  if (!s.ok()) return s;
  if (r.rows() == 0) return db::Status::success();
  if (r.cell(0, 0) == "1") {
    const std::string day = std::to_string(args[0].as_int());
    out.add_row({day, "1.000000", day, "1.000000"});
    return db::Status::success();
  }
  std::vector<std::string> row;
  for (std::size_t source : {1U, 2U}) {
    const std::string_view found = r.cell(0, source);
    const std::size_t blank = found.find(' ');
    row.emplace_back(blank == std::string_view::npos ? "0" : std::string(found.substr(0, blank)));
    row.emplace_back(blank == std::string_view::npos ? "0" : std::string(found.substr(blank + 1)));
  }
  if (row[0] != "0" || row[2] != "0") out.add_row(row);
  return db::Status::success();
}

#undef LATEST_RATE

// (employee, day, address type): the address of that type valid on the day.
db::Status employee_address(db::SqlLink& db, const std::vector<db::Value>& args, db::ResultSet& out) {
  return db.query(
      "SELECT KOD_POCZTOWY, MIEJSCOWOSC, ULICA, NR_DOMU, NR_LOKALU FROM ADRESY_PRACOWNIKA WHERE "
      "ID_PRACOWNIKA = ? AND "
      "DATA_OD <= ? AND TYP_ADRESU = ? ORDER BY DATA_OD DESC LIMIT 1",
      {db::Value::integer(args[0].as_int()), db::Value::integer(args[1].as_int()),
       db::Value::text(args[2].as_text())},
      out);
}

}  // namespace

void register_table_functions(sqlite3* db) {
  register_table_function(db, "AP_Func_PodajKursy_NBPECB", {"DATA_NBP", "KURS_NBP", "DATA_ECB", "KURS_ECB"},
                          2, rates_nbp_ecb);
  register_table_function(db, "RM_Func_AdresPracownika",
                          {"KOD_POCZTOWY", "MIEJSCOWOSC", "ULICA", "NR_DOMU", "NR_LOKALU"}, 3,
                          employee_address);
}

}  // namespace server::detail

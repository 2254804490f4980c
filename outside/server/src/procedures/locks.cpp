// Row locks of card records: set, release and delete, failing with "Lock" when another user holds the row.
#include <string>

#include "routines.h"
#include "runtime/text.h"

namespace server::detail {
namespace {

struct CardTable {
  const char* name;  // as the callers write it
  const char* table;
  const char* id;
};

constexpr CardTable kCards[] = {
    {"firma", "FIRMA", "ID_FIRMY"},
    {"banki", "BANKI", "ID_BANKU"},
    {"tabela_odsetek", "TABELA_ODSETEK", "ID_TABELI_ODSETEK"},
    {"pracownik", "PRACOWNIK", "ID_PRACOWNIKA"},
    {"urzedy", "URZEDY", "ID_URZEDU"},
    {"kontrahent", "KONTRAHENT", "ID_KONTRAHENTA"},
    {"artykul", "ARTYKUL", "ID_ARTYKULU"},
    {"kategoria_artykulu", "KATEGORIA_ARTYKULU", "ID_KATEGORII"},
    {"grupa_kontrahenta", "GRUPA_KONTRAHENTA", "ID_GRUPY_KONTRAHENTA"},
    {"cena", "CENA", "ID_CENY"},
};

const CardTable* find_card(std::string_view name) {
  const std::string lower = runtime::to_lower(runtime::trim(name));
  for (const CardTable& c : kCards) {
    if (lower == c.name) return &c;
  }
  return nullptr;
}

db::Status unknown_table(std::string_view name) {
  return db::Status::statement_failed("Nieznana kartoteka '" + std::string(name) + "'.");
}

std::string where_free_for(const CardTable& c) {
  return std::string(" WHERE ") + c.id + " = ?1 AND (SEMAFOR IS NULL OR SEMAFOR = 0 OR SEMAFOR = ?2)";
}

// Who holds the row: none when the row is gone, success when it is free or the user's own, else the
// "Lock" failure naming the holder.
std::optional<db::Status> held_by_other(db::ProcedureCall& call, const CardTable& c, std::int64_t id,
                                        std::int64_t user) {
  db::Status s;
  const auto holder =
      call.db.scalar(std::string("SELECT IFNULL(SEMAFOR, 0) FROM ") + c.table + " WHERE " + c.id + " = ?",
                     {db::Value::integer(id)}, &s);
  if (!s.ok()) return s;
  if (!holder) return std::nullopt;
  if (*holder == "0" || *holder == std::to_string(user)) return db::Status::success();
  const auto name = call.db.scalar("SELECT NAZWA FROM UZYTKOWNIK WHERE ID_UZYTKOWNIKA = ?",
                                   {db::Value::integer(to_int(*holder))});
  return db::Status::statement_failed("Lock: zapis jest edytowany przez użytkownika " +
                                      name.value_or(*holder) + " (" + *holder + ").");
}

// (table, id, user[, state]): marks the row as held by the user; state 2 when not given.
db::Status lock_row(db::ProcedureCall& call) {
  const CardTable* c = find_card(call.text_arg(0));
  if (!c) return unknown_table(call.text_arg(0));
  const std::int64_t id = call.int_arg(1);
  const std::int64_t user = call.int_arg(2);
  const std::int64_t state = call.args.size() > 3 ? call.int_arg(3) : 2;
  db::Status s = call.db.exec(
      std::string("UPDATE ") + c->table + " SET SEMAFOR = ?2, FLAGA_STANU = ?3" + where_free_for(*c),
      {db::Value::integer(id), db::Value::integer(user), db::Value::integer(state)});
  if (!s.ok() || call.db.changes() > 0) return s;
  if (auto other = held_by_other(call, *c, id, user)) return *other;
  return db::Status::statement_failed("Nie znaleziono zapisu " + std::to_string(id) + " w kartotece " +
                                      c->name + ".");
}

// (table, id, user): frees the row; a row that no longer exists has nothing to free.
db::Status release_row(db::ProcedureCall& call) {
  const CardTable* c = find_card(call.text_arg(0));
  if (!c) return unknown_table(call.text_arg(0));
  const std::int64_t id = call.int_arg(1);
  db::Status s = call.db.exec(
      std::string("UPDATE ") + c->table + " SET SEMAFOR = NULL, FLAGA_STANU = 0" + where_free_for(*c),
      {db::Value::integer(id), db::Value::integer(call.int_arg(2))});
  if (!s.ok() || call.db.changes() > 0) return s;
  if (auto other = held_by_other(call, *c, id, call.int_arg(2))) return *other;
  return db::Status::success();
}

// (table, id, user): deletes the row unless another user holds it. With `only_new`, a row that is not
// an unfinished addition (state 2) is released instead of deleted.
db::Status delete_row(db::ProcedureCall& call, bool only_new) {
  const CardTable* c = find_card(call.text_arg(0));
  if (!c) return unknown_table(call.text_arg(0));
  const std::int64_t id = call.int_arg(1);
  const std::vector<db::Value> params = {db::Value::integer(id), db::Value::integer(call.int_arg(2))};
  db::Status s = call.db.exec(
      std::string("DELETE FROM ") + c->table + where_free_for(*c) + (only_new ? " AND FLAGA_STANU = 2" : ""),
      params);
  if (!s.ok() || call.db.changes() > 0) return s;
  if (auto other = held_by_other(call, *c, id, call.int_arg(2)); other && !other->ok()) return *other;
  return only_new ? release_row(call) : db::Status::success();
}

}  // namespace

void add_lock_procedures(db::ProcedureRegistry& r) {
  for (const char* prefix : {"AP", "APW"}) {
    const std::string p(prefix);
    r.add(p + "_KartotekaSemaforUstaw", 3, 4, lock_row);
    r.add(p + "_KartotekaSemaforPoloz", 3, 3, release_row);
  }
  r.add("APW_KartotekaZapisSkasuj", 3, 3, [](db::ProcedureCall& call) { return delete_row(call, false); });
  r.add("AP_KartotekaZapisSkasuj", 3, 3, [](db::ProcedureCall& call) { return delete_row(call, true); });
  // Working in a company holds its row for the user, so that two users do not change it at once.
  r.add("AP_PracujZFirma", 2, 2, [](db::ProcedureCall& call) {
    const std::vector<db::Value> args = {db::Value::text("firma"), call.args[0], call.args[1],
                                         db::Value::integer(1)};
    db::ProcedureCall inner{call.db, args, call.result, std::nullopt};
    return lock_row(inner);
  });
}

}  // namespace server::detail

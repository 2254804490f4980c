// Record marks kept in the database: mark, unmark, and save or restore a set of marks.
#include "routines.h"

namespace server::detail {
namespace {

std::vector<db::Value> ints(std::initializer_list<std::int64_t> values) {
  std::vector<db::Value> out;
  for (auto v : values) out.push_back(db::Value::integer(v));
  return out;
}

// (user, use, id): marks once; marking twice keeps one mark.
db::Status mark(db::ProcedureCall& call) {
  return call.db.exec(
      "INSERT INTO ZAZNACZONE (ID_SESJI, UZYCIE, ID, ID2) SELECT ?1, ?2, ?3, 0 WHERE NOT EXISTS "
      "(SELECT 1 FROM ZAZNACZONE WHERE ID_SESJI = ?1 AND UZYCIE = ?2 AND ID = ?3)",
      ints({call.int_arg(0), call.int_arg(1), call.int_arg(2)}));
}

db::Status unmark(db::ProcedureCall& call) {
  return call.db.exec("DELETE FROM ZAZNACZONE WHERE ID_SESJI = ? AND UZYCIE = ? AND ID = ?",
                      ints({call.int_arg(0), call.int_arg(1), call.int_arg(2)}));
}

db::Status unmark_all(db::ProcedureCall& call) {
  return call.db.exec("DELETE FROM ZAZNACZONE WHERE ID_SESJI = ? AND UZYCIE = ?",
                      ints({call.int_arg(0), call.int_arg(1)}));
}

// (company, user, use, key): keeps a copy of the user's marks of that use; RetCode 1 when saved.
db::Status save_marks(db::ProcedureCall& call) {
  const auto key = ints({call.int_arg(0), call.int_arg(1), call.int_arg(2), call.int_arg(3)});
  db::Status s = call.db.exec(
      "DELETE FROM ZAZNACZONE_ZACHOWANE WHERE ID_FIRMY = ?1 AND ID_SESJI = ?2 AND KLUCZ1 = ?3 AND KLUCZ2 = "
      "?4",
      key);
  if (!s.ok()) return s;
  s = call.db.exec(
      "INSERT INTO ZAZNACZONE_ZACHOWANE (ID_FIRMY, ID_SESJI, KLUCZ1, KLUCZ2, UZYCIE, ID, ID2) "
      "SELECT ?1, ?2, ?3, ?4, UZYCIE, ID, ID2 FROM ZAZNACZONE WHERE ID_SESJI = ?2 AND UZYCIE = ?3",
      key);
  if (s.ok()) call.ret_code = 1;
  return s;
}

// (company, user, use, key): puts a saved copy back in place of the current marks; RetCode 1 when a
// copy existed, 0 (marks untouched) when none did.
db::Status restore_marks(db::ProcedureCall& call) {
  const auto key = ints({call.int_arg(0), call.int_arg(1), call.int_arg(2), call.int_arg(3)});
  const auto saved = call.db.scalar(
      "SELECT COUNT(*) FROM ZAZNACZONE_ZACHOWANE WHERE ID_FIRMY = ?1 AND ID_SESJI = ?2 AND KLUCZ1 = ?3 AND "
      "KLUCZ2 = ?4",
      key);
  if (!saved || *saved == "0") {
    call.ret_code = 0;
    return db::Status::success();
  }
  db::Status s = call.db.exec("DELETE FROM ZAZNACZONE WHERE ID_SESJI = ? AND UZYCIE = ?",
                              ints({call.int_arg(1), call.int_arg(2)}));
  if (!s.ok()) return s;
  s = call.db.exec(
      "INSERT INTO ZAZNACZONE (ID_SESJI, UZYCIE, ID, ID2) SELECT ID_SESJI, UZYCIE, ID, ID2 FROM "
      "ZAZNACZONE_ZACHOWANE "
      "WHERE ID_FIRMY = ?1 AND ID_SESJI = ?2 AND KLUCZ1 = ?3 AND KLUCZ2 = ?4",
      key);
  if (s.ok()) call.ret_code = 1;
  return s;
}

// A lock older than this was left by a session that ended inside a whole-set operation.
constexpr std::int64_t kStaleLockSeconds = 120;

// (user, use): one row "1" when the caller now holds the lock of the user's list, "0" when another session
// holds it.
db::Status lock_list(db::ProcedureCall& call) {
  const auto key = ints({call.int_arg(0), call.int_arg(1), kStaleLockSeconds});
  db::Status s = call.db.exec(
      "DELETE FROM ZAZNACZONE_BLOKADY WHERE ID_SESJI = ?1 AND UZYCIE = ?2 AND "
      "OD < CAST(strftime('%s','now') AS INTEGER) - ?3",
      key);
  if (s.ok()) {
    s = call.db.exec(
        "INSERT OR IGNORE INTO ZAZNACZONE_BLOKADY (ID_SESJI, UZYCIE, OD) "
        "VALUES (?1, ?2, CAST(strftime('%s','now') AS INTEGER))",
        ints({call.int_arg(0), call.int_arg(1)}));
  }
  if (!s.ok()) return s;
  call.result.set_columns(1);
  call.result.add_row({call.db.changes() == 1 ? "1" : "0"});
  return s;
}

db::Status unlock_list(db::ProcedureCall& call) {
  return call.db.exec("DELETE FROM ZAZNACZONE_BLOKADY WHERE ID_SESJI = ? AND UZYCIE = ?",
                      ints({call.int_arg(0), call.int_arg(1)}));
}

}  // namespace

void add_mark_procedures(db::ProcedureRegistry& r) {
  r.add("JL_Zaznacz", 3, 3, mark);
  r.add("JL_Odznacz", 3, 3, unmark);
  r.add("JL_OdznaczAll", 2, 2, unmark_all);
  r.add("JL_ZaznaczoneBlokuj", 2, 2, lock_list);
  r.add("JL_ZaznaczoneZwolnij", 2, 2, unlock_list);
  r.add("RM_Zachowaj_ZORVA_zaznaczone", 4, 4, save_marks);
  r.add("RM_Przywroc_ZORVA_zaznaczone", 4, 4, restore_marks);
}

}  // namespace server::detail

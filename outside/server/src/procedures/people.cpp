// Employees, internet users of contractors and unconfirmed stock-takings.
#include <string>

#include "routines.h"
#include "runtime/text.h"

namespace server::detail {
namespace {

// (NIP, own employee id, company): fails when another employee of the company has the NIP (compared on
// digits only, so that "676-000-01-01" and "6760000101" are one NIP).
db::Status nip_is_unique(db::ProcedureCall& call) {
  std::string digits;
  for (char c : call.text_arg(0)) {
    if (c >= '0' && c <= '9') digits += c;
  }
  if (digits.empty()) return db::Status::success();
  db::Status s;
  const auto other = call.db.scalar(
      "SELECT NAZWISKO || ' ' || IFNULL(IMIE_1, '') FROM PRACOWNIK WHERE ID_FIRMY = ? AND ID_PRACOWNIKA <> ? "
      "AND "
      "replace(replace(replace(NIP, '-', ''), ' ', ''), 'PL', '') = ? LIMIT 1",
      {db::Value::integer(call.int_arg(2)), db::Value::integer(call.int_arg(1)), db::Value::text(digits)},
      &s);
  if (!s.ok()) return s;
  if (other)
    return db::Status::statement_failed("Numer NIP jest już przypisany pracownikowi " + *other + ".");
  return db::Status::success();
}

// (employee[, ...]): the employee goes to the archive (leaves the lists of active employees).
db::Status archive_employee(db::ProcedureCall& call) {
  db::Status s = call.db.exec("UPDATE PRACOWNIK SET ARCHIWALNY = 1 WHERE ID_PRACOWNIKA = ?",
                              {db::Value::integer(call.int_arg(0))});
  if (s.ok() && call.db.changes() == 0) {
    return db::Status::statement_failed("Pracownik " + std::to_string(call.int_arg(0)) + " nie istnieje.");
  }
  return s;
}

// (contractor, surname, first name, password): a new internet user of the contractor.
db::Status add_internet_user(db::ProcedureCall& call) {
  db::Status s;
  const auto found = call.db.scalar("SELECT 1 FROM KONTRAHENT WHERE ID_KONTRAHENTA = ?",
                                    {db::Value::integer(call.int_arg(0))}, &s);
  if (!s.ok()) return s;
  if (!found) return db::Status::statement_failed("Kontrahent nie został znaleziony!");
  return call.db.exec(
      "INSERT INTO INT_UZYTKOWNIK (ID_KONTRAHENTA, NAZWISKO, IMIE, AKTYWNY, HASLO) VALUES (?, ?, ?, 1, ?)",
      {db::Value::integer(call.int_arg(0)), db::Value::text(call.text_arg(1)),
       db::Value::text(call.text_arg(2)), db::Value::text(call.text_arg(3))});
}

// (company, document, user): removes an unconfirmed stock-taking or opening balance with its items.
db::Status remove_stocktaking(db::ProcedureCall& call) {
  const db::Value document = db::Value::integer(call.int_arg(1));
  db::Status s;
  const auto kind = call.db.scalar(
      "SELECT t.SYGNATURA FROM DOKUMENT_MAGAZYNOWY d JOIN TYP_DOKUMENTU_MAGAZYNOWEGO t ON t.ID_TYPU = "
      "d.ID_TYPU JOIN "
      "MAGAZYN m ON m.ID_MAGAZYNU = d.ID_MAGAZYNU WHERE d.ID_DOK_MAGAZYNOWEGO = ? AND m.ID_FIRMY = ? AND "
      "(d.ROBOCZY = 1 OR d.FLAGA_STANU IN (1, 2))",
      {document, db::Value::integer(call.int_arg(0))}, &s);
  if (!s.ok()) return s;
  const std::string signature = kind ? runtime::to_upper(runtime::trim(*kind)) : std::string();
  if (signature != "REM" && signature != "BO") {
    return db::Status::statement_failed("Dokument " + document.as_text() +
                                        " nie jest niezatwierdzonym remanentem ani bilansem otwarcia.");
  }
  s = call.db.exec("DELETE FROM POZYCJA_DOKUMENTU_MAGAZYNOWEGO WHERE ID_DOK_MAGAZYNOWEGO = ?", {document});
  if (s.ok()) s = call.db.exec("DELETE FROM DOKUMENT_MAGAZYNOWY WHERE ID_DOK_MAGAZYNOWEGO = ?", {document});
  if (s.ok()) {
    s = write_action_log(call.db, call.int_arg(0), 0, call.int_arg(2), call.int_arg(1), "DOKMAG", 3,
                         "Usunięcie niezatwierdzonego dokumentu " + signature, 3, "");
  }
  return s;
}

}  // namespace

void add_people_procedures(db::ProcedureRegistry& r) {
  r.add("AP_CzyNipJestUnikalny", 3, 3, nip_is_unique);
  r.add("AP_ArchiwizujPracownika", 1, 3, archive_employee);
  r.add("AP_DodajHaslo_0001_002_HASLO_INTER", 4, 4, add_internet_user);
  r.add("AP_UsunRemanent", 3, 3, remove_stocktaking);
}

}  // namespace server::detail

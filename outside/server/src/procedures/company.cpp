// Company set-up: what a new company needs before anyone works in it, and its default warehouse and desk.
#include <string>

#include "routines.h"

namespace server::detail {
namespace {

constexpr std::int64_t kAdministrator = 3000001;

db::Status ensure(db::SqlLink& db, std::string_view exists_sql, std::string_view insert_sql,
                  const std::vector<db::Value>& params) {
  db::Status s;
  const auto found = db.scalar(exists_sql, params, &s);
  if (!s.ok() || found) return s;
  return db.exec(insert_sql, params);
}

// (company): the administrators' group with the "SYS" right and the administrator in it, a warehouse
// and a cash desk.
db::Status initialise_company(db::ProcedureCall& call) {
  const db::Value company = db::Value::integer(call.int_arg(0));
  db::Status s;
  const auto name = call.db.scalar("SELECT NAZWA FROM FIRMA WHERE ID_FIRMY = ?", {company}, &s);
  if (!s.ok()) return s;
  if (!name) return db::Status::statement_failed("Firma " + company.as_text() + " nie istnieje.");
  s = ensure(call.db, "SELECT 1 FROM GRUPAUZYTKOWNIKOW WHERE ID_FIRMY = ?1 AND NAZWA = 'Administratorzy'",
             "INSERT INTO GRUPAUZYTKOWNIKOW (ID_FIRMY, NAZWA, CZY_AKTYWNA) VALUES (?1, 'Administratorzy', 1)",
             {company});
  if (!s.ok()) return s;
  const auto group = call.db.scalar(
      "SELECT ID_GRUPY FROM GRUPAUZYTKOWNIKOW WHERE ID_FIRMY = ? AND NAZWA = 'Administratorzy'", {company});
  const db::Value group_id = db::Value::integer(to_int(group.value_or("0")));
  s = ensure(call.db, "SELECT 1 FROM DOSTEP WHERE ID_GRUPY = ?1 AND ID_FIRMY = ?2 AND KOD = 'SYS'",
             "INSERT INTO DOSTEP (ID_GRUPY, ID_FIRMY, KOD, RODZAJ_DOSTEPU) VALUES (?1, ?2, 'SYS', 1)",
             {group_id, company});
  if (!s.ok()) return s;
  s = ensure(call.db, "SELECT 1 FROM UZYTKOWNIKGRUPY WHERE ID_GRUPY = ?1 AND ID_UZYTKOWNIKA = ?2",
             "INSERT INTO UZYTKOWNIKGRUPY (ID_GRUPY, ID_UZYTKOWNIKA) VALUES (?1, ?2)",
             {group_id, db::Value::integer(kAdministrator)});
  if (!s.ok()) return s;
  s = ensure(
      call.db, "SELECT 1 FROM MAGAZYN WHERE ID_FIRMY = ?1",
      "INSERT INTO MAGAZYN (ID_FIRMY, SYMBOL, NAZWA, STAN) VALUES (?1, 'MG', 'Magazyn główny', 'Praca')",
      {company});
  if (!s.ok()) return s;
  return ensure(
      call.db, "SELECT 1 FROM KASY_FIRMY WHERE ID_FIRMY = ?1",
      "INSERT INTO KASY_FIRMY (ID_FIRMY, SYMBOL, NAZWA, DOMYSLNA) VALUES (?1, 'KG', 'Kasa główna', 1)",
      {company});
}

// (company, user): one row, the user's default warehouse and cash desk in the company (the user's own
// choice when it belongs to the company, else the company's first), 0 where the company has none.
db::Status default_warehouse_and_desk(db::ProcedureCall& call) {
  return call.db.query(
      "SELECT IFNULL((SELECT m.ID_MAGAZYNU FROM MAGAZYN m JOIN INTERUZYTKOWNIKPOZYCJA p ON p.ID_POZYCJI = "
      "502 AND "
      "p.ID_UZYTKOWNIKA = ?2 AND CAST(p.WARTOSC AS INTEGER) = m.ID_MAGAZYNU WHERE m.ID_FIRMY = ?1), "
      "IFNULL((SELECT MIN(ID_MAGAZYNU) FROM MAGAZYN WHERE ID_FIRMY = ?1), 0)), "
      "IFNULL((SELECT k.ID_KASY FROM KASY_FIRMY k JOIN INTERUZYTKOWNIKPOZYCJA p ON p.ID_POZYCJI = 500 AND "
      "p.ID_UZYTKOWNIKA = ?2 AND CAST(p.WARTOSC AS INTEGER) = k.ID_KASY WHERE k.ID_FIRMY = ?1), "
      "IFNULL((SELECT MIN(ID_KASY) FROM KASY_FIRMY WHERE ID_FIRMY = ?1), 0))",
      {db::Value::integer(call.int_arg(0)), db::Value::integer(call.int_arg(1))}, call.result);
}

}  // namespace

void add_company_procedures(db::ProcedureRegistry& r) {
  r.add("AP_InicjacjaSystemu", 1, 1, initialise_company);
  r.add("AP_UstawDomMagazynKasaDlaFirmy", 2, 2, default_warehouse_and_desk);
}

}  // namespace server::detail

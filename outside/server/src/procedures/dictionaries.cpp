// Dictionary support: name uniqueness, numbering of new types, object lists, warehouse removal, statuses,
// classifier columns.
#include <string>

#include "routines.h"
#include "runtime/text.h"

namespace server::detail {
namespace {

std::vector<db::Value> ints(std::initializer_list<std::int64_t> values) {
  std::vector<db::Value> out;
  for (auto v : values) out.push_back(db::Value::integer(v));
  return out;
}

struct NamedTable {
  const char* kind;
  const char* table;
  const char* id;
  const char* message;
};

constexpr NamedTable kNamedTables[] = {
    {"tabela_odsetek", "TABELA_ODSETEK", "ID_TABELI_ODSETEK", "Tabela odsetek o tej nazwie już istnieje!"},
    {"magazyn", "MAGAZYN", "ID_MAGAZYNU", "Magazyn o tej nazwie już istnieje!"},
    {"kasy_firmy", "KASY_FIRMY", "ID_KASY", "Kasa o tej nazwie już istnieje!"},
};

// (company, name, own id, table kind): fails when another row of the company has the name.
db::Status name_is_unique(db::ProcedureCall& call) {
  const std::string kind = runtime::to_lower(runtime::trim(call.text_arg(3)));
  for (const NamedTable& t : kNamedTables) {
    if (kind != t.kind) continue;
    db::Status s;
    const auto used = call.db.scalar(std::string("SELECT COUNT(*) FROM ") + t.table +
                                         " WHERE ID_FIRMY = ? AND NAZWA = ? AND " + t.id + " <> ?",
                                     {db::Value::integer(call.int_arg(0)), db::Value::text(call.text_arg(1)),
                                      db::Value::integer(call.int_arg(2))},
                                     &s);
    if (!s.ok()) return s;
    return used && *used != "0" ? db::Status::statement_failed(t.message) : db::Status::success();
  }
  return db::Status::statement_failed("Nieznany rodzaj tabeli '" + call.text_arg(3) + "'.");
}

// (company, stock document type, signature, 1, receipt flag): the numbering definition of a new type.
db::Status add_numbering(db::ProcedureCall& call) {
  const std::string format = std::string(runtime::trim(call.text_arg(2))) + "/#/MM/RRRR";
  return call.db.exec(
      "INSERT INTO DEFINICJA_NUMERACJI (ID_FIRMY, DOKUMENT, ID_TYPU, ID_ZASOBU, FORMAT, OKRESNUMERACJI, "
      "PARAMETR1, "
      "PARAMETR2) VALUES (?, ?, ?, 0, ?, 2, 0, 0) ON CONFLICT (ID_FIRMY, DOKUMENT, ID_TYPU, ID_ZASOBU) DO "
      "NOTHING",
      {db::Value::integer(call.int_arg(0)), db::Value::integer(call.int_arg(3)),
       db::Value::integer(call.int_arg(1)), db::Value::text(format)});
}

// (list, user, use, warehouse or 0): the list's elements are replaced by the user's marks of that use;
// articles are limited to the warehouse when one is given.
db::Status save_marked_objects(db::ProcedureCall& call) {
  const auto args = ints({call.int_arg(0), call.int_arg(1), call.int_arg(2), call.int_arg(3)});
  db::Status s = call.db.exec("DELETE FROM MAG_ELEMENTY_LISTY_OBIEKTOW WHERE ID_LISTY = ?", {args[0]});
  if (!s.ok()) return s;
  return call.db.exec(
      "INSERT INTO MAG_ELEMENTY_LISTY_OBIEKTOW (ID_LISTY, ID_ELEMENTU) SELECT DISTINCT ?1, z.ID FROM "
      "ZAZNACZONE z "
      "WHERE z.ID_SESJI = ?2 AND z.UZYCIE = ?3 AND (?4 = 0 OR EXISTS (SELECT 1 FROM ARTYKUL a WHERE "
      "a.ID_ARTYKULU = "
      "z.ID AND a.ID_MAGAZYNU = ?4))",
      args);
}

// (warehouse, user): removes a warehouse that no document refers to.
db::Status remove_warehouse(db::ProcedureCall& call) {
  const db::Value id = db::Value::integer(call.int_arg(0));
  db::Status s;
  const auto used = call.db.scalar(
      "SELECT (SELECT COUNT(*) FROM DOKUMENT_MAGAZYNOWY WHERE ID_MAGAZYNU = ?1) + (SELECT COUNT(*) FROM "
      "DOKUMENT_HANDLOWY WHERE ID_MAGAZYNU = ?1) + (SELECT COUNT(*) FROM ZAMOWIENIE WHERE ID_MAGAZYNU = ?1)",
      {id}, &s);
  if (!s.ok()) return s;
  if (used && *used != "0") {
    return db::Status::statement_failed("Nie można usunąć magazynu, w którym są dokumenty.");
  }
  s = call.db.exec("DELETE FROM MAGAZYN WHERE ID_MAGAZYNU = ?", {id});
  if (!s.ok()) return s;
  if (call.db.changes() == 0)
    return db::Status::statement_failed("Magazyn " + id.as_text() + " nie istnieje.");
  for (const char* cleanup :
       {"DELETE FROM STAN_UZYTKOWNIKA_W_MAG WHERE ID_MAGAZYNU = ?",
        "DELETE FROM MAG_Q2N_SYSTEMY WHERE ID_MAGAZYNU = ?",
        "DELETE FROM INTERUZYTKOWNIKPOZYCJA WHERE ID_POZYCJI = 502 AND WARTOSC = CAST(? AS TEXT)"}) {
    if (s = call.db.exec(cleanup, {id}); !s.ok()) return s;
  }
  return write_action_log(call.db, 0, call.int_arg(0), call.int_arg(1), call.int_arg(0), "MAGAZYN", 3,
                          "Usunięcie magazynu", 3, "");
}

// (): the system statuses of both families exist before the status dictionary is shown.
db::Status init_status_list(db::ProcedureCall& call) {
  struct Status {
    const char* family;
    const char* code;
    const char* description;
  };
  for (const Status& st :
       {Status{"Zamówienia", "N", "Nowe"}, Status{"Zamówienia", "R", "W realizacji"},
        Status{"Zamówienia", "Z", "Zrealizowane"}, Status{"Zlecenia serwisowe", "P", "Przyjęte"},
        Status{"Zlecenia serwisowe", "W", "Wydane"}}) {
    const db::Status s = call.db.exec(
        "INSERT INTO MAG_SLOWNIK_STATUSOW_DOKUMENTOW (RODZINA, SYSTEMOWY, AKTYWNY, OPIS, KOD, TYP) SELECT "
        "?1, 1, 1, ?3, "
        "?2, 'systemowy' WHERE NOT EXISTS (SELECT 1 FROM MAG_SLOWNIK_STATUSOW_DOKUMENTOW WHERE RODZINA = ?1 "
        "AND KOD = ?2)",
        {db::Value::text(st.family), db::Value::text(st.code), db::Value::text(st.description)});
    if (!s.ok()) return s;
  }
  return db::Status::success();
}

constexpr const char* kClassifierTables[] = {"Artykul",
                                             "Kontrahent",
                                             "Dokument_handlowy",
                                             "Dokument_magazynowy",
                                             "Pozycja_dokumentu_magazynowego",
                                             "Dokument_finansowy",
                                             "Rozrachunek",
                                             "Zamowienie",
                                             "Pozycja_zamowienia",
                                             "Crm_zadanie",
                                             "Zlecenie_produkcyjne",
                                             "MOB_POZYCJA_TRASY",
                                             "Pracownik",
                                             "Serwis_zlecenie",
                                             "Serwis_pozycja_kosztorysu"};

// (object): the object's table gets the classifier columns POLE1..POLE10 it lacks.
db::Status update_classifier_columns(db::ProcedureCall& call) {
  const std::string text = call.text_arg(0);
  const std::string_view object = runtime::trim_left(text);
  for (const char* table : kClassifierTables) {
    if (!runtime::same_name(table, object)) continue;
    db::ResultSet columns;
    if (db::Status s =
            call.db.query("SELECT upper(name) FROM pragma_table_info(?)", {db::Value::text(table)}, columns);
        !s.ok()) {
      return s;
    }
    for (int n = 1; n <= 10; ++n) {
      const std::string name = "POLE" + std::to_string(n);
      bool present = false;
      for (std::size_t r = 0; r < columns.rows(); ++r) present = present || columns.cell(r, 0) == name;
      if (present) continue;
      if (db::Status s = call.db.exec(std::string("ALTER TABLE ") + table + " ADD COLUMN " + name +
                                      " varchar(100) COLLATE PLCI");
          !s.ok()) {
        return s;
      }
    }
    return db::Status::success();
  }
  return db::Status::statement_failed("Nieznany obiekt pól dodatkowych '" + call.text_arg(0) + "'.");
}

}  // namespace

void add_dictionary_procedures(db::ProcedureRegistry& r) {
  r.add("AP_CzyNazwaJestUnikalna", 4, 4, name_is_unique);
  r.add("RM_DodajDefinicjeNumeracji", 5, 5, add_numbering);
  r.add("RM_ZapiszZaznaczoneObiekty", 4, 4, save_marked_objects);
  r.add("AP_UsunMagazyn", 2, 2, remove_warehouse);
  r.add("ABS_IntS_RM_ABSM_DocStatusListInit", 0, 0, init_status_list);
  r.add("AP_AktualizujKolumnyPolDodatkowych", 1, 1, update_classifier_columns);
}

}  // namespace server::detail

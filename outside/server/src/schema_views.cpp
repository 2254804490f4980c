// Views of the schema: configuration splits, activity and lock lists, writable views, classifier views.
#include <string>

#include "schema_views.h"
#include "server/schema.h"

namespace server {
namespace {

// Column names of a declared table, in order.
std::vector<std::string> column_names(std::string_view table) {
  std::vector<std::string> out;
  for (const TableDeclaration& t : table_declarations()) {
    if (t.name != table) continue;
    const std::string expanded = expand_columns(t.columns);
    std::size_t pos = 0;
    while (pos < expanded.size()) {
      const auto end = expanded.find(", ", pos);
      const std::string def = expanded.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
      out.push_back(def.substr(0, def.find(' ')));
      if (end == std::string::npos) break;
      pos = end + 2;
    }
  }
  return out;
}

// A view over one table that accepts UPDATE by forwarding every column to the table.
std::vector<std::string> writable_view(std::string_view view, std::string_view table, std::string_view key) {
  std::string sets;
  for (const std::string& c : column_names(table)) {
    if (c == key) continue;
    if (!sets.empty()) sets += ", ";
    sets += c + " = NEW." + c;
  }
  return {"CREATE VIEW " + std::string(view) + " AS SELECT * FROM " + std::string(table),
          "CREATE TRIGGER " + std::string(view) + "_UPDATE INSTEAD OF UPDATE ON " + std::string(view) +
              " BEGIN UPDATE " + std::string(table) + " SET " + sets + " WHERE " + std::string(key) +
              " = OLD." + std::string(key) + "; END"};
}

struct CardTable {
  const char* kartoteka;
  const char* table;
  const char* id;
  const char* description;
  const char* company;  // column or literal 0 (shared by all companies)
  int typ;              // 7: listed in every company
};

// Tables whose rows are locked while edited and may be left unconfirmed by a broken session.
constexpr CardTable kCardTables[] = {
    {"pracownik", "PRACOWNIK", "ID_PRACOWNIKA", "NAZWISKO || ' ' || IFNULL(IMIE_1, '')", "ID_FIRMY", 1},
    {"grupa_kontrahenta", "GRUPA_KONTRAHENTA", "ID_GRUPY_KONTRAHENTA", "NAZWA", "ID_FIRMY", 1},
    {"cena", "CENA", "ID_CENY", "'Cena ' || ID_CENY", "0", 7},
    {"artykul", "ARTYKUL", "ID_ARTYKULU", "IFNULL(NAZWA, INDEKS_KATALOGOWY)", "0", 7},
    {"urzedy", "URZEDY", "ID_URZEDU", "NAZWA", "0", 7},
    {"banki", "BANKI", "ID_BANKU", "NAZWA", "0", 7},
    {"firma", "FIRMA", "ID_FIRMY", "NAZWA", "ID_FIRMY", 7},
    {"tabela_odsetek", "TABELA_ODSETEK", "ID_TABELI_ODSETEK", "NAZWA", "ID_FIRMY", 1},
    {"kategoria_artykulu", "KATEGORIA_ARTYKULU", "ID_KATEGORII", "NAZWA", "0", 7},
    {"kontrahent", "KONTRAHENT", "ID_KONTRAHENTA", "NAZWA", "ID_FIRMY", 1},
};

std::string unconfirmed_cards_view() {
  std::string sql = "CREATE VIEW NIEZATWZAPISYKARTOTEK_V AS ";
  bool first = true;
  for (const CardTable& t : kCardTables) {
    if (!first) sql += " UNION ALL ";
    first = false;
    sql += "SELECT '" + std::string(t.kartoteka) + "' AS KARTOTEKA, " + t.description +
           " AS ZAPIS, CASE FLAGA_STANU WHEN 2 THEN 'Dodawanie' ELSE 'Edycja' END AS CZYNNOSC, SEMAFOR, " +
           std::to_string(t.typ) + " AS TYP, FLAGA_STANU, " + t.id + " AS ID_ZAPISU, 0 AS ID_MAGAZYNU, " +
           t.company + " AS ID_FIRMY FROM " + t.table + " WHERE FLAGA_STANU BETWEEN 1 AND 3";
  }
  return sql;
}

struct ClassifierObject {
  const char* object;
  const char* source;
  const char* key;
};

constexpr ClassifierObject kClassifierObjects[] = {
    {"Artykul", "Artykul", "id_artykulu"},
    {"Kontrahent", "Kontrahent", "id_kontrahenta"},
    {"Dokument_handlowy", "Dokument_handlowy", "id_dokumentu_handlowego"},
    {"Dokument_magazynowy", "Dokument_magazynowy", "id_dok_magazynowego"},
    {"Pozycja_dokumentu_magazynowego", "Pozycja_dokumentu_magazynowego", "id_poz_dok_mag"},
    {"Dokument_finansowy", "Dokument_finansowy", "id_dokumentu_finansowego"},
    {"Rozrachunek", "Rozrachunek_mag_v", "id_rozrachunku"},
    {"Zamowienie", "Zamowienie", "id_zamowienia"},
    {"Pozycja_zamowienia", "Pozycja_zamowienia", "id_pozycji_zamowienia"},
    {"Crm_zadanie", "Crm_zadanie", "id_zadania"},
    {"Zlecenie_produkcyjne", "Zlecenie_produkcyjne", "id_zlecenia"},
    {"Pozycje_zlecenia", "Pozycje_zlecenia", "id_pozycji"},
    {"Pracownik", "Pracownik", "id_pracownika"},
    {"MOB_POZYCJA_TRASY", "MOB_POZYCJA_TRASY", "id_pozycji_trasy"},
    {"MOB_TRASA", "MOB_TRASA", "id_trasy"},
    {"Magazyn", "Magazyn", "id_magazynu"},
    {"Kategoria_artykulu", "Kategoria_artykulu", "id_kategorii"},
    {"Serwis_urzadzenie", "Serwis_urzadzenie", "id_urzadzenia"},
    {"Serwis_zlecenie", "Serwis_zlecenie", "id_serwis_zlecenie"},
    {"Serwis_pozycja_kosztorysu", "Serwis_pozycja_kosztorysu", "id_pozycji_kosztorysu"},
};

}  // namespace

std::vector<std::string> view_statements() {
  std::vector<std::string> out = {
      // Only this product's catalogue rows (4th character of KOD_WERSJI '1'): the loaders join the
      // product filter in an outer join's ON clause, where it cannot drop rows.
      "CREATE VIEW V_KONF_SYSTEMU AS SELECT ID_POZYCJI, KOD, MASKA, KOD_WERSJI FROM POZYCJAKONFIG "
      "WHERE RODZAJ = 's' AND substr(KOD_WERSJI, 4, 1) = '1'",
      "CREATE VIEW V_KONF_UZYTKOWNIKA AS SELECT ID_POZYCJI, KOD, MASKA, KOD_WERSJI FROM POZYCJAKONFIG "
      "WHERE RODZAJ = 'u' AND substr(KOD_WERSJI, 4, 1) = '1'",
      "CREATE VIEW UZYTKOWNIK_FUNKCJI_V AS SELECT u.IDENTYFIKATOR AS IDENTYFIKATOR, f.HASLO AS HASLO, "
      "f.KOD_FUNKCJI AS KOD_FUNKCJI FROM MAG_FUNKCJA_UZYTKOWNIK f JOIN UZYTKOWNIK u ON u.ID_UZYTKOWNIKA = "
      "f.ID_UZYTKOWNIKA",
      "CREATE VIEW AKTYWNOSC_UZYTKOWNIKA_V AS SELECT ID_OBIEKTU AS ID_ZAPISU, DATA_CZAS AS DATAICZAS, "
      "ID_UZYTKOWNIKA, "
      "RODZAJ_OBIEKTU, AKCJA, ID_FIRMY FROM LOG_AKCJI",
      unconfirmed_cards_view(),
      "CREATE VIEW WIDOK_REJESTR_ZMIAN_STATUSOW_ZAMOWIEN AS SELECT r.IDREJESTRUZMIAN, r.IDZAMOWIENIA, "
      "r.IDUZYTKOWNIKA, u.NAZWA AS NAZWA_UZYTKOWNIKA, r.DATA, r.CZAS, r.PRACOWNIK, r.Z, r.NA, "
      "r.STATUS_PRZED, "
      "r.STATUS_PO, r.KOMENTARZ FROM REJESTR_ZMIAN_STATUSOW_ZAMOWIEN r LEFT JOIN UZYTKOWNIK u ON "
      "u.ID_UZYTKOWNIKA = "
      "r.IDUZYTKOWNIKA",
      "CREATE TRIGGER WIDOK_REJESTR_ZMIAN_STATUSOW_ZAMOWIEN_DELETE INSTEAD OF DELETE ON "
      "WIDOK_REJESTR_ZMIAN_STATUSOW_ZAMOWIEN BEGIN DELETE FROM REJESTR_ZMIAN_STATUSOW_ZAMOWIEN WHERE "
      "IDREJESTRUZMIAN = OLD.IDREJESTRUZMIAN; END",
  };
  for (std::string& s : writable_view("ROZRACHUNEK_MAG_V", "ROZRACHUNEK", "ID_ROZRACHUNKU"))
    out.push_back(std::move(s));
  // Views of additional fields exist from the start so that the refresh after an upgrade can alter them.
  for (const ClassifierObject& o : kClassifierObjects) {
    out.push_back("CREATE VIEW PD_" + std::string(o.object) + "(id) AS SELECT " + o.key + " FROM " +
                  o.source);
  }
  return out;
}

}  // namespace server

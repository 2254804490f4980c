// Additional fields of the demo: groups, field definitions of every kind and data type, the dictionaries
// some of them take their values from, articles with twins of the same guid and their stock, and values in
// the records' classifier columns.
#include <sqlite3.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "insert.h"
#include "parts.h"

namespace server::demo {
namespace {

struct FieldDefinition {
  const char* group;
  const char* caption;
  const char* column;
  int number;
  const char* picture;
  int kind;  // 3 computed by a server function, 4 hyperlink, 10 choice from a list
  const char* list;
  const char* type;
  int dictionary;
  const char* default_value;
  int active;
  int required;
  const char* function;
  int pass_record;
  const char* application;
  int read_only;
};

// Dictionary identifiers follow the order of kDictionaries.
constexpr int kIndustries = 1;
constexpr int kCommissions = 2;
constexpr int kWarranties = 3;
constexpr int kStocktakingDays = 4;

constexpr FieldDefinition kFields[] = {
    // Articles: the columns of Artykul_Brw show pole1..pole3; Producent is switched off.
    {"Artykul", "Kolor", "pole1", 1, "s30", 0, "", "tekst", 0, "", 1, 0, "", 0, "", 0},
    {"Artykul", "Rozmiar", "pole2", 2, "s10", 10, "S|M|L|XL", "tekst", 0, "M", 1, 0, "", 0, "", 0},
    {"Artykul", "Producent", "pole3", 3, "s50", 0, "", "tekst", 0, "", 0, 0, "", 0, "", 0},
    {"Artykul", "Stan magazynowy", "pole4", 4, "n-14`2", 3, "", "liczba", 0, "", 1, 0,
     "dbo.AP_Func_StanArtykulu", 1, "", 1},
    {"Artykul", "Karta katalogowa", "pole5", 5, "s100", 4, "", "hiperłącze", 0, "", 1, 0, "", 0,
     "/usr/bin/xdg-open", 0},
    {"Artykul", "Data wprowadzenia", "pole6", 6, "d17", 0, "", "data", 0, "", 1, 1, "", 0, "", 0},
    {"Artykul", "Waga (kg)", "pole7", 7, "n-12`3", 0, "", "liczba", 0, "", 1, 0, "", 0, "", 0},
    {"Artykul", "Gwarancja (miesiące)", "pole8", 8, "n_4", 0, "", "liczba całkowita", kWarranties, "12", 1, 0,
     "", 0, "", 0},
    // Contractors.
    {"Kontrahent", "Opiekun handlowy", "pole1", 1, "s50", 0, "", "tekst", 0, "", 1, 1, "", 0, "", 0},
    {"Kontrahent", "Rabat stały", "pole2", 2, "n6.2", 0, "", "liczba", 0, "", 1, 0, "", 0, "", 0},
    {"Kontrahent", "Strona WWW", "pole3", 3, "s100", 4, "", "hiperłącze", 0, "", 1, 0, "", 0, "", 0},
    {"Kontrahent", "Branża", "pole4", 4, "s100", 0, "", "tekst", kIndustries, "", 1, 0, "", 0, "", 0},
    {"Kontrahent", "Prowizja (%)", "pole5", 5, "n14`2", 0, "", "liczba", kCommissions, "", 1, 0, "", 0, "",
     0},
    // Warehouses: numbered 1, 2 and 4, the 3 left out.
    {"Magazyn", "Kierownik", "pole1", 1, "s50", 0, "", "tekst", 0, "", 1, 1, "", 0, "", 0},
    {"Magazyn", "Powierzchnia (m2)", "pole2", 2, "n_8", 0, "", "liczba całkowita", 0, "", 1, 0, "", 0, "", 0},
    {"Magazyn", "Data inwentaryzacji", "pole4", 4, "d17", 0, "", "data", kStocktakingDays, "", 1, 0, "", 0,
     "", 0},
    // Employees.
    {"Pracownik", "Stanowisko", "pole1", 1, "s30", 10, "Magazynier|Kierowca|Handlowiec|Księgowa", "tekst", 0,
     "", 1, 1, "", 0, "", 0},
    {"Pracownik", "Badania okresowe do", "pole2", 2, "d17", 0, "", "data", 0, "", 1, 0, "", 0, "", 0},
    {"Pracownik", "Numer szafki", "pole3", 3, "n_4", 0, "", "liczba całkowita", 0, "", 1, 0, "", 0, "", 1},
    {"Pracownik", "Profil zawodowy", "pole4", 4, "s100", 4, "", "hiperłącze", 0, "", 1, 0, "", 0, "", 0},
    {"Pracownik", "Uwagi", "pole5", 5, "s100", 0, "", "tekst", 0, "", 0, 0, "", 0, "", 0},
};

struct Dictionary {
  const char* name;
  const char* type;
  const char* picture;
  std::initializer_list<const char*> values;
};

// Values are kept as text; a date as its day number (1 March 2026 is day 82243).
const Dictionary kDictionaries[] = {
    {"Branże", "tekst", "s100", {"Budownictwo", "Handel detaliczny", "Ogrodnictwo", "Transport"}},
    {"Stawki prowizji", "liczba", "n14`2", {"1.50", "2.75", "5.00"}},
    {"Okresy gwarancji", "liczba całkowita", "n_8", {"6", "12", "24", "36"}},
    {"Dni inwentaryzacji", "data", "d17", {"82243", "82427", "82608"}},
};

struct Article {
  const char* guid;
  const char* index;
  const char* name;
  int warehouse;
  const char* colour;
  const char* size;
  const char* sheet;
  int entered;
  const char* weight;
  const char* warranty;
};

// Articles 101 and 104, and 102 and 105, are the same goods in two warehouses (the same guid_artykul).
// Numbered from 101, so that tests may add articles of their own from 1.
constexpr int kFirstArticle = 101;
constexpr Article kArticles[] = {
    {"6f1c2a4e-0001", "LOP-01", "Łopata ogrodowa", 1, "Zielony", "L", "/srv/katalog/lopata.pdf", 81900,
     "1.850", "24"},
    {"6f1c2a4e-0002", "GRA-02", "Grabie metalowe", 1, "Czerwony", "M", "", 81950, "1.200", "12"},
    {"6f1c2a4e-0003", "KOS-03", "Kosiarka spalinowa", 1, "Czerwony", "XL", "/srv/katalog/kosiarka.pdf", 82000,
     "28.500", "36"},
    {"6f1c2a4e-0001", "LOP-01", "Łopata ogrodowa", 2, "Zielony", "L", "/srv/katalog/lopata.pdf", 81900,
     "1.850", "24"},
    {"6f1c2a4e-0002", "GRA-02", "Grabie metalowe", 2, "Niebieski", "S", "", 81960, "1.200", "12"},
    {"6f1c2a4e-0006", "WAZ-06", "Wąż ogrodowy 25 m", 2, "Żółty", "M", "", 82100, "3.400", "6"},
};

struct Stock {
  int article;  // position in kArticles, from 1
  int warehouse;
  const char* quantity;
};

constexpr Stock kStock[] = {
    {1, 1, "12.0000"}, {1, 3, "2.0000"}, {2, 1, "40.0000"}, {3, 1, "3.0000"},
    {4, 2, "25.5000"}, {5, 2, "8.0000"}, {6, 2, "0.0000"},
};

void run(Context& c, const std::string& sql) {
  if (!c.status.ok()) return;
  char* message = nullptr;
  if (sqlite3_exec(c.db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    c.status = db::Status::statement_failed(message ? message : "demo update failed");
  }
  sqlite3_free(message);
}

}  // namespace

void add_classifiers(Context& c) {
  Insert grupa(c.db, "KLASYFIKATOR_GRUPA", "KOD_KLAS_GRUPY, NAZWA_IDENTYFIKATORA", c.status);
  for (const auto& [group, id] : {std::pair{"Artykul", "id_artykulu"},
                                  {"Kontrahent", "id_kontrahenta"},
                                  {"Magazyn", "id_magazynu"},
                                  {"Pracownik", "id_pracownika"},
                                  {"Rozrachunek", "id_rozrachunku"},
                                  {"Dokument_handlowy", "id_dokumentu_handlowego"}}) {
    grupa.row({T(group), T(id)});
  }

  Insert slownik(c.db, "KLASYFIKATOR_SLOWNIK", "NAZWA, TYP_DANYCH, MASKA", c.status);
  Insert wartosc(c.db, "KLASYFIKATOR_SLOWNIK_WAR", "ID_SLOWNIKA, WARTOSC", c.status);
  for (const Dictionary& d : kDictionaries) {
    slownik.row({T(d.name), T(d.type), T(d.picture)});
    const std::int64_t id = slownik.last_id();
    for (const char* v : d.values) wartosc.row({I(id), T(v)});
  }

  Insert pole(c.db, "KLASYFIKATOR_POLE",
              "KOD_KLAS_GRUPY, NAZWA_POLA, NAZWA_POLA_MAP, NUMER_POLA, MASKA_POLA, TYP_POLA, WARTOSCI_LISTY, "
              "TYP_DANYCH, ID_SLOWNIKA, WARTOSC_DOMYSLNA, CZY_AKTYWNE, CZY_WYMAGANE, PROC_NAZWA, "
              "PROC_ID_DOKUMENTU, PATH_APP_OBIEKTU, NIE_EDYTOWANY",
              c.status);
  for (const FieldDefinition& f : kFields) {
    pole.row({T(f.group), T(f.caption), T(f.column), I(f.number), T(f.picture), I(f.kind), T(f.list),
              T(f.type), I(f.dictionary), T(f.default_value), I(f.active), I(f.required), T(f.function),
              I(f.pass_record), T(f.application), I(f.read_only)});
  }

  Insert artykul(
      c.db, "ARTYKUL",
      "ID_ARTYKULU, ID_MAGAZYNU, GUID_ARTYKUL, INDEKS_KATALOGOWY, NAZWA, POLE1, POLE2, POLE5, POLE6, POLE7, "
      "POLE8",
      c.status);
  int article = kFirstArticle;
  for (const Article& a : kArticles) {
    artykul.row({I(article++), I(a.warehouse), T(a.guid), T(a.index), T(a.name), T(a.colour), T(a.size),
                 T(a.sheet), T(std::to_string(a.entered)), T(a.weight), T(a.warranty)});
  }
  Insert stan(c.db, "STAN_ARTYKULU", "ID_ARTYKULU, ID_MAGAZYNU, ILOSC", c.status);
  for (const Stock& s : kStock) stan.row({I(kFirstArticle - 1 + s.article), I(s.warehouse), D(s.quantity)});
  // The computed field's column keeps what the function gave when the article was last saved.
  run(c,
      "UPDATE ARTYKUL SET POLE4 = (SELECT printf('%.4f', TOTAL(ILOSC)) FROM STAN_ARTYKULU s WHERE "
      "s.ID_ARTYKULU = ARTYKUL.ID_ARTYKULU)");

  run(c,
      "UPDATE KONTRAHENT SET POLE1 = CASE ID_KONTRAHENTA % 3 WHEN 0 THEN 'Anna Nowak' WHEN 1 THEN "
      "'Piotr O''Brien' ELSE 'Jan Kowalski' END, POLE2 = CASE WHEN ID_KONTRAHENTA % 2 = 0 THEN '5.00' ELSE "
      "'2.50' END, POLE3 = CASE WHEN ID_KONTRAHENTA <= 3 THEN 'https://firma' || ID_KONTRAHENTA || "
      "'.example.pl' ELSE '' END, POLE4 = CASE ID_KONTRAHENTA % 4 WHEN 0 THEN 'Budownictwo' WHEN 1 THEN "
      "'Handel detaliczny' WHEN 2 THEN 'Ogrodnictwo' ELSE 'Transport' END, POLE5 = '1.50' "
      "WHERE ID_KONTRAHENTA <= 40");
  run(c,
      "UPDATE MAGAZYN SET POLE1 = CASE ID_MAGAZYNU WHEN 1 THEN 'Marek Wiśniewski' WHEN 2 THEN 'Ewa "
      "Zielińska' ELSE 'Tomasz Lis' END, POLE2 = CAST(400 * ID_MAGAZYNU AS TEXT), POLE3 = 'nieużywane', "
      "POLE4 = '82243'");
  run(c,
      "UPDATE PRACOWNIK SET POLE1 = CASE ID_PRACOWNIKA % 4 WHEN 0 THEN 'Magazynier' WHEN 1 THEN 'Kierowca' "
      "WHEN 2 THEN 'Handlowiec' ELSE 'Księgowa' END, POLE2 = CAST(82243 + ID_PRACOWNIKA * 30 AS TEXT), "
      "POLE3 = CAST(ID_PRACOWNIKA AS TEXT), POLE4 = '' WHERE ID_PRACOWNIKA <= 14");
}

}  // namespace server::demo

// Demo data: the window and column catalogues, with a settings row per user for each of them.
#include <cstdio>
#include <string>
#include <vector>

#include "db/procedures.h"
#include "insert.h"
#include "parts.h"

namespace server::demo {
namespace {

struct Column {
  const char* caption;
  int width;
  const char* picture;
  bool quantity = false;  // the picture follows the user's "IloscArtBezPrzecinka"
  bool hidden = false;    // in the catalogue, but never shown
};

struct Window {
  const char* name;
  const char* classifier_group;  // "" when the window shows no additional fields
  std::vector<Column> columns;
  std::vector<std::pair<const char*, const char*>> settings;  // name, default value
  int classifier_fields = 0;  // the last columns show additional fields pole1, pole2, ...
};

const std::vector<Window>& windows() {
  static const std::vector<Window> list = {
      // The lists' columns in the order the browses declare them.
      {"Waluty_Brw",
       "",
       {{"B", 24, "@n1"},
        {"Waluta", 60, "@s3"},
        {"Nazwa waluty", 220, "@s50"},
        {"Mnożnik", 70, "@n6"},
        {"Kraj", 50, "@s3"},
        {"Kursy NBP: Data", 80, "@d17"},
        {"Kursy NBP: Kurs", 90, "@n_15`6"},
        {"Kursy ECB: Data", 80, "@d17"},
        {"Kursy ECB: Kurs", 90, "@n_15`6"}},
       {{"sortowanie", "1"}}},
      {"Bank_Brw",
       "",
       {{"Nazwa banku", 280, "@s100"},
        {"Nr banku", 100, "@s50"},
        {"SWIFT", 100, "@s20"},
        {"Adres", 200, "@s50"},
        {"Kod", 70, "@s10"},
        {"Miejscowość", 140, "@s50"}},
       {{"sortowanie", "1"}, {"porządek", "rosnąco"}}},
      {"Kursy_walut",
       "",
       {{"Data", 60, "@d17"}, {"Godzina", 40, "@t7"}, {"Waluta", 30, "@s3"}, {"Kurs średni", 60, "@n14.4"}},
       {{"przeliczaj", "0"}}},
      {"HistoriaStatusowZamowien_BRW",
       "",
       {{"Data", 60, "@d17"},
        {"Czas", 40, "@t7"},
        {"Użytkownik", 100, "@s50"},
        {"Z", 60, "@s40"},
        {"Na", 60, "@s40"},
        {"Komentarz", 160, "@s255"}},
       {{"sortowanie", "1"}, {"split", "0"}}},
      {"Kontrahent_Brw",
       "Kontrahent",
       {{"Numer", 40, "@n8"},
        {"Nazwa", 160, "@s50"},
        {"NIP", 80, "@s13"},
        {"Miejscowość", 100, "@s50"},
        {"Opiekun handlowy", 100, "@s50"},
        {"Rabat stały", 50, "@n6.2"}},
       {{"sortowanie", "2"}, {"zablokowane", "1"}},
       2},
      // Quantities in both picture forms and three additional fields, the third of them inactive.
      {"Artykul_Brw",
       "Artykul",
       {{"Indeks", 60, "@s50"},
        {"Nazwa", 180, "@s100"},
        {"J.m.", 30, "@s10"},
        {"Stan", 60, "@n-14_@", true},
        {"Rezerwacja", 60, "@n14_`4@", true},
        {"Zamówione", 60, "@n16_@", true},
        {"Cena netto", 60, "@n-14.2"},
        {"Id artykułu", 40, "@n10", false, true},
        {"Kolor", 60, "@s30"},
        {"Rozmiar", 40, "@s10"},
        {"Producent", 100, "@s50"}},
       {{"sortowanie", "1"}, {"split", "200"}, {"zablokowane", "2"}},
       3},
      {"Pracownik_Brw",
       "",
       {{"Nr ewid.", 50, "@s20"}, {"Nazwisko", 120, "@s50"}, {"Imię", 80, "@s30"}, {"PESEL", 70, "@s11"}},
       {{"sortowanie", "2"}}},
      {"Magazyn_Brw",
       "",
       {{"Symbol", 40, "@s10"}, {"Nazwa", 140, "@s50"}, {"Lokalizacja", 140, "@s100"}},
       {{"sortowanie", "1"}}},
      {"FormaPlatnosci_Brw",
       "",
       {{"Kod", 30, "@s3"}, {"Nazwa", 140, "@s50"}, {"Dni należ.", 40, "@n4"}},
       {{"sortowanie", "1"}}},
  };
  return list;
}

// A large database carries a catalogue of 20,000 columns (250 windows of 80), for timing the loading.
void add_large_catalogue(Context& c, Insert& okno, Insert& kolumna) {
  if (!c.large()) return;
  constexpr int kWindows = 250;
  constexpr int kColumns = 80;
  for (int w = 1; w <= kWindows && c.status.ok(); ++w) {
    char name[32];
    std::snprintf(name, sizeof name, "Zestawienie_%03d_Brw", w);
    okno.row({T(name), I(1), I(kColumns), T(""), I(0)});
    const std::int64_t id = okno.last_id();
    for (int k = 1; k <= kColumns; ++k) {
      const bool quantity = k % 10 == 0;
      kolumna.row({I(id), I(k), T("Kolumna " + std::to_string(k)), I(40 + k % 5 * 10),
                   T(quantity ? "@n-14_@" : "@s30"), I(0), I(0), I(quantity)});
    }
  }
}

}  // namespace

void add_windows(Context& c) {
  Insert okno(c.db, "INI_OKNO", "NAZWA, NR_KOL_PIERWSZEJ, NR_KOL_OSTATNIEJ, KOD_KLAS_GRUPY, SKOK", c.status);
  Insert kolumna(
      c.db, "INI_KOLUMNA",
      "ID_OKNA, NUMER_KOLUMNY, NAZWA_KOLUMNY, ROZMIAR_KOLUMNY, FORMAT_KOLUMNY, POLE_DODATKOWE, UKRYTA, "
      "PODLEGA_OBCIECIU",
      c.status);
  Insert parametr(c.db, "INI_PARAMETR", "ID_OKNA, NAZWA", c.status);
  for (const Window& w : windows()) {
    // Additional fields follow the window's own columns: column number minus the offset is the field.
    const int own = static_cast<int>(w.columns.size()) - w.classifier_fields;
    okno.row({T(w.name), I(1), I(static_cast<int>(w.columns.size())), T(w.classifier_group),
              I(w.classifier_fields > 0 ? own : 0)});
    const std::int64_t id = okno.last_id();
    for (std::size_t i = 0; i < w.columns.size(); ++i) {
      const Column& col = w.columns[i];
      kolumna.row({I(id), I(static_cast<int>(i) + 1), T(col.caption), I(col.width), T(col.picture),
                   I(static_cast<int>(i) >= own), I(col.hidden), I(col.quantity)});
    }
    for (const auto& [name, value] : w.settings) parametr.row({I(id), T(name)});
  }
  add_large_catalogue(c, okno, kolumna);
  if (!c.status.ok()) return;
  // Per-user rows: the system only updates them, so every user starts with the catalogue defaults.
  db::SqlLink link(c.db);
  if (c.status.ok()) {
    c.status = link.exec(
        "INSERT INTO INTER_INI_UZYTKOWNIK (ID_UZYTKOWNIKA, ID_KOLUMNY, ROZMIAR, KOLEJNOSC, FORMAT_KOLUMNY) "
        "SELECT u.ID_UZYTKOWNIKA, k.ID_KOLUMNY, k.ROZMIAR_KOLUMNY, k.NUMER_KOLUMNY, k.FORMAT_KOLUMNY "
        "FROM UZYTKOWNIK u, INI_KOLUMNA k");
  }
  Insert wartosc(c.db, "INTER_PARAMETR_UZYTKOWNIK", "ID_UZYTKOWNIKA, ID_PARAMETRU, WARTOSC", c.status);
  std::int64_t parameter = 0;
  for (const Window& w : windows()) {
    for (const auto& [name, value] : w.settings) {
      ++parameter;
      for (std::int64_t user : {kAdministrator, kOrdinaryUser, std::int64_t{3000003}}) {
        wartosc.row({I(user), I(parameter), T(value)});
      }
    }
  }
  // The ordinary user sees quantities without decimals.
  Insert uzytkownika(c.db, "INTERUZYTKOWNIKPOZYCJA", "ID_UZYTKOWNIKA, ID_POZYCJI, WARTOSC, ID_FIRMY",
                     c.status);
  uzytkownika.row({I(kOrdinaryUser), I(127), T("Tak"), I(1)});
}

}  // namespace server::demo

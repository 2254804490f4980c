// Demo data: the window and column catalogues, with a settings row per user for each of them.
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
};

struct Window {
  const char* name;
  const char* classifier_group;  // "" when the window shows no additional fields
  std::vector<Column> columns;
  std::vector<std::pair<const char*, const char*>> settings;  // name, default value
};

const std::vector<Window>& windows() {
  static const std::vector<Window> list = {
      {"Waluty_Brw",
       "",
       {{"Symbol", 30, "@s3"},
        {"Nazwa waluty", 120, "@s50"},
        {"Kurs NBP", 60, "@n14.4"},
        {"Kurs ECB", 60, "@n14.4"}},
       {{"sortowanie", "1"}}},
      {"Bank_Brw",
       "",
       {{"Nr banku", 60, "@s50"},
        {"Nazwa banku", 160, "@s100"},
        {"SWIFT", 60, "@s20"},
        {"Adres", 120, "@s50"},
        {"Kod", 40, "@s10"},
        {"Miejscowość", 100, "@s50"}},
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
       {{"sortowanie", "2"}}},
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
    const bool classifiers = *w.classifier_group != '\0';
    // Additional fields follow the window's own columns: column number minus the offset is the field.
    const int own = classifiers ? static_cast<int>(w.columns.size()) - 2 : static_cast<int>(w.columns.size());
    okno.row({T(w.name), I(1), I(static_cast<int>(w.columns.size())), T(w.classifier_group),
              I(classifiers ? own : 0)});
    const std::int64_t id = okno.last_id();
    for (std::size_t i = 0; i < w.columns.size(); ++i) {
      const Column& col = w.columns[i];
      kolumna.row({I(id), I(static_cast<int>(i) + 1), T(col.caption), I(col.width), T(col.picture),
                   I(static_cast<int>(i) >= own), I(0), I(0)});
    }
    for (const auto& [name, value] : w.settings) parametr.row({I(id), T(name)});
  }
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
}

}  // namespace server::demo

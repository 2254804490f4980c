// Demo data: document types of the three kinds and their numbering definitions.
#include <string>
#include <tuple>

#include "db/procedures.h"
#include "insert.h"
#include "parts.h"

namespace server::demo {

namespace {

std::int64_t type_of(Context& c, const char* table, const char* signature) {
  const auto id = db::SqlLink(c.db).scalar(
      std::string("SELECT ID_TYPU FROM ") + table + " WHERE ID_FIRMY = 1 AND SYGNATURA = ?", {T(signature)});
  return id ? db::Value::text(*id).as_int() : 0;
}

// Company 1: definitions for one type in one warehouse, a kind that is never loaded (15) and two kinds of
// distinguishers (above 20), one without a kind-level row and one whose settings stay incomplete.
void add_resource_numbering(Context& c, Insert& numer) {
  const std::int64_t pz = type_of(c, "TYP_DOKUMENTU_MAGAZYNOWEGO", "PZ");
  const std::int64_t wz = type_of(c, "TYP_DOKUMENTU_MAGAZYNOWEGO", "WZ");
  const std::int64_t fv = type_of(c, "TYP_DOKUMENTU_HANDLOWEGO", "FV");
  numer.row({I(1), I(1), I(pz), I(2), T("PZ/#/MH/MM/RRRR"), I(2), I(0), I(0)});
  numer.row({I(1), I(1), I(wz), I(2), T("WZ/#/MH/RRRR"), I(1), I(2), I(3)});
  numer.row({I(1), I(4), I(fv), I(1), T("FV/#/MG/RRRR"), I(1), I(0), I(2)});
  numer.row({I(1), I(15), I(pz), I(0), T("ZW/#/RRRR"), I(1), I(1), I(1)});
  numer.row({I(1), I(15), I(0), I(0), T(""), I(0), I(1), I(0)});
  numer.row({I(1), I(21), I(pz), I(0), T("W/#"), I(0), I(0), I(0)});
  numer.row({I(1), I(21), I(0), I(0), T(""), I(0), I(1), I(0)});
  numer.row({I(1), I(22), I(pz), I(0), T("K/#"), I(0), I(2), I(0)});
}

}  // namespace

// Kinds of numbered documents: 1 warehouse, 2 orders, 3 financial, 4 trade.
void add_documents(Context& c) {
  Insert mag(c.db, "TYP_DOKUMENTU_MAGAZYNOWEGO",
             "ID_FIRMY, NAZWA, SYGNATURA, RODZAJ, WYCENA, SYSTEMOWY, FAKTURA, KOD_RODZAJU", c.status);
  Insert numer(c.db, "DEFINICJA_NUMERACJI",
               "ID_FIRMY, DOKUMENT, ID_TYPU, ID_ZASOBU, FORMAT, OKRESNUMERACJI, PARAMETR1, PARAMETR2",
               c.status);
  struct Type {
    const char* name;
    const char* signature;
    const char* kind;
    const char* pricing;
    int invoice;
    int code;
  };
  constexpr Type kStockTypes[] = {
      {"Przyjęcie zewnętrzne", "PZ", "Przychód", "Zakupu", 1, 1},
      {"Wydanie zewnętrzne", "WZ", "Rozchód", "Sprzedaży", 1, 2},
      {"Przesunięcie przychód", "MP", "MP", "Zakupu", 0, 3},
      {"Przesunięcie rozchód", "MW", "MW", "Zakupu", 0, 3},
      {"Remanent", "REM", "Remanent", "Zakupu", 0, 4},
      {"Bilans otwarcia", "BO", "Remanent", "Zakupu", 0, 4},
      {"Korekta przychodu", "KPZ", "Korekta przychodu", "Zakupu", 1, 5},
      {"Korekta rozchodu", "KWZ", "Korekta rozchodu", "Sprzedaży", 1, 5},
      {"Zamówienie od odbiorcy", "ZO", "Zamówienie", "Sprzedaży", 0, 0},
      {"Zamówienie do dostawcy", "ZD", "Zamówienie", "Zakupu", 0, 0},
      {"Zlecenie montażu", "ZLM", "Zlecenie", "Zakupu", 0, 0},
      {"Zlecenie demontażu", "ZLD", "Zlecenie", "Zakupu", 0, 0},
  };
  for (int company : {1, 2}) {
    for (const Type& t : kStockTypes) {
      mag.row(
          {I(company), T(t.name), T(t.signature), T(t.kind), T(t.pricing), I(1), I(t.invoice), I(t.code)});
      const int kind = std::string(t.kind) == "Zamówienie" ? 2 : 1;
      numer.row({I(company), I(kind), I(mag.last_id()), I(0), T(std::string(t.signature) + "/#/MM/RRRR"),
                 I(2), I(0), I(0)});
    }
  }

  Insert handl(c.db, "TYP_DOKUMENTU_HANDLOWEGO", "ID_FIRMY, NAZWA, SYGNATURA, WYCENA, SYSTEMOWY, AKTYWNY",
               c.status);
  Insert fin(c.db, "TYP_DOKUMENTU_FINANSOWEGO",
             "ID_FIRMY, NAZWA, SYGNATURA, RODZAJ, KIERUNEK, OPERACJA_DOMYSLNA, SYSTEMOWY", c.status);
  for (int company : {1, 2}) {
    for (const auto& [name, signature, pricing] : {std::tuple{"Faktura VAT", "FV", "Sprzedaży"},
                                                   {"Paragon", "PA", "Sprzedaży"},
                                                   {"Faktura zakupu", "FZ", "Zakupu"},
                                                   {"Korekta faktury VAT", "KFV", "Sprzedaży"},
                                                   {"Faktura zaliczkowa", "FZAL", "Sprzedaży"}}) {
      handl.row({I(company), T(name), T(signature), T(pricing), I(1), I(1)});
      numer.row({I(company), I(4), I(handl.last_id()), I(0), T(std::string(signature) + "/#/RRRR"), I(1),
                 I(0), I(0)});
    }
    for (const auto& [name, signature, kind, direction] :
         {std::tuple{"Kasa przyjmie", "KP", "Kasowy", "Przychód"},
          {"Kasa wyda", "KW", "Kasowy", "Rozchód"},
          {"Raport kasowy", "RK", "Kasowy", ""},
          {"Bank przyjmie", "BP", "Bankowy", "Przychód"},
          {"Bank wyda", "BW", "Bankowy", "Rozchód"},
          {"Polecenie przelewu", "PW", "Bankowy", "Rozchód"},
          {"Wyciąg bankowy", "WB", "Bankowy", ""},
          {"Kompensata", "K", "Inny", ""}}) {
      fin.row({I(company), T(name), T(signature), T(kind), T(direction), T(""), I(1)});
      numer.row({I(company), I(3), I(fin.last_id()), I(0), T(std::string(signature) + "/#/MM/RRRR"), I(2),
                 I(0), I(0)});
    }
    // Kind-level rows complete the two settings for every type of the kind.
    for (int kind : {1, 2, 3, 4}) numer.row({I(company), I(kind), I(0), I(0), T(""), I(0), I(1), I(1)});
  }
  add_resource_numbering(c, numer);
  // What a serial document run left for two users: the templates it skipped, and a run of another kind.
  Insert log(c.db, "LOG_WYKONANIA", "ID_LOG_WYKONANIA, ID_UZYTKOWNIKA, KONTEKST, OPIS1, OPIS2", c.status);
  log.row({I(1), I(kAdministrator), T("SzabDokSer"), T("Abonament serwisowy / Hurtownia Żuraw"),
           T("Kontrahent ma zablokowaną sprzedaż")});
  log.row({I(2), I(kAdministrator), T("SzabDokSer"), T("Najem lokalu / Piekarnia Kłos"),
           T("Brak ceny artykułu w cenniku")});
  log.row({I(3), I(kOrdinaryUser), T("SzabDokSer"), T("Najem lokalu / Sklep Ćma"),
           T("Przekroczony limit kredytu")});
  log.row({I(4), I(kAdministrator), T("PrzeliczenieCen"), T("Artykuł 101"), T("Cena zakupu równa zero")});
}

}  // namespace server::demo

// Demo data: additional operations, warehouses linked to sales systems, and a user whose grants are
// limited in every document area, with the configuration his session reads.
#include <string>
#include <vector>

#include "db/procedures.h"
#include "insert.h"
#include "parts.h"

namespace server::demo {
namespace {

constexpr std::int64_t kLimitedUser = 3000004;
constexpr std::int64_t kUserWithoutGroup = 3000005;
constexpr std::int64_t kLimitedGroup = 7;

// The large database's warehouses of company 1 and its extra document types, for timing the filters.
constexpr int kLargeWarehouses = 50;
constexpr int kLargeFirstWarehouse = 1001;
constexpr int kLargeTypes = 30;

std::int64_t type_id(Context& c, const char* table, const std::string& signature) {
  const auto id = db::SqlLink(c.db).scalar(
      std::string("SELECT ID_TYPU FROM ") + table + " WHERE ID_FIRMY = 1 AND SYGNATURA = ?", {T(signature)});
  return id ? db::Value::text(*id).as_int() : 0;
}

void add_operations(Context& c) {
  // KOD_OPERACJI: the fourth character '1' marks this product, characters 6 to 8 the dedicated variant.
  Insert operacja(c.db, "MAG_OPERACJE_DODATKOWE",
                  "ID_OPERACJI, KOD_GRUPY, NAZWA, SKROT_KLAWISZOWY, SKROT_KLAWISZOWY_KOD, KOD_OPERACJI, "
                  "GRUPOWANIE, FUNKCJA_ZEWNETRZNA, PARAMETRY, SCIEZKA, ODSWIEZ_LISTE, KASUJ_ZAZNACZENIE",
                  c.status);
  operacja.row({I(1), T("DOKMAG"), T("Eksport dokumentów do pliku"), T("Ctrl+E"), I(69), T("OPE1_000_01"),
                I(1), I(0), T("/format=csv"), T(""), I(1), I(0)});
  operacja.row({I(2), T("DOKMAG"), T("Etykiety logistyczne"), T(""), I(0), T("OPE1_007_01"), I(1), I(1),
                T("etykiety.exe"), T("C:\\Program Files\\Etykiety"), I(0), I(1)});
  operacja.row({I(3), T("KONTR"), T("Import kontrahentów z rejestru"), T(""), I(0), T("OPE1_012_01"), I(0),
                I(1), T(""), T("import.exe"), I(1), I(1)});
  operacja.row({I(4), T("KONTR"), T("Moduł kasy fiskalnej"), T(""), I(0), T("OPE0_000_01"), I(0), I(0), T(""),
                T(""), I(0), I(0)});
  operacja.row({I(5), T("ART"), T("Przecena artykułów"), T("F9"), I(120), T("OPE1_000_02"), I(2), I(0), T(""),
                T(""), I(1), I(1)});
  Insert nadanie(c.db, "MAG_GRUPA_OPERACJI_DODATKOWEJ", "ID_OPERACJI, ID_GRUPY", c.status);
  for (int operation : {1, 2, 3, 4}) nadanie.row({I(operation), I(kLimitedGroup)});
  for (int operation : {1, 5}) nadanie.row({I(operation), I(2)});

  // Warehouse 2 is linked twice; warehouse 3 has a row without a system.
  Insert system(c.db, "MAG_Q2N_SYSTEMY", "ID_MAGAZYNU, ID_SYSTEMU", c.status);
  system.row({I(2), I(5)});
  system.row({I(2), I(6)});
  system.row({I(3), I(0)});
  if (c.status.ok())
    c.status = db::SqlLink(c.db).exec(
        "UPDATE MAGAZYN SET WYROZNIK_SYNCHRONIZACJI = 'SKLEP-WWW' WHERE ID_MAGAZYNU = 4");
}

void add_configuration_of_users(Context& c) {
  Insert pozycja(c.db, "POZYCJAKONFIG", "ID_POZYCJI, KOD, MASKA, KOD_WERSJI, OPIS, WARTOSC_DOMYSLNA, RODZAJ",
                 c.status);
  pozycja.row(
      {I(901), T("TerminalPort"), T("@n4"), T("0000100"), T("Port terminala płatniczego"), T("0"), T("u")});
  pozycja.row({I(902), T("OstatniFiltrKontr"), T("@s40"), T("0001000"), T("Ostatni filtr kontrahentów"),
               T(""), T("u")});
  pozycja.row({I(903), T("KodTerminala"), T("@S10"), T("1110000"), T("Kod terminala"), T(""), T("s")});

  Insert uzytkownika(c.db, "INTERUZYTKOWNIKPOZYCJA", "ID_UZYTKOWNIKA, ID_POZYCJI, WARTOSC, ID_FIRMY",
                     c.status);
  uzytkownika.row({I(kLimitedUser), I(503), T("1"), I(0)});
  uzytkownika.row({I(kLimitedUser), I(502), T("1"), I(1)});
  uzytkownika.row({I(kLimitedUser), I(500), T("2"), I(1)});
  uzytkownika.row({I(kLimitedUser), I(505), T("bieżący miesiąc"), I(1)});
  uzytkownika.row({I(kLimitedUser), I(530), T("12"), I(1)});
  uzytkownika.row({I(kLimitedUser), I(532), T("DejaVu Sans"), I(1)});
  uzytkownika.row({I(kLimitedUser), I(543), T("Styl nowoczesny"), I(1)});
  uzytkownika.row({I(kLimitedUser), I(901), T("COM3"), I(1)});
  uzytkownika.row({I(kLimitedUser), I(123), T("Nie"), I(1)});
  uzytkownika.row({I(kUserWithoutGroup), I(503), T("1"), I(0)});
  Insert firmowe(c.db, "INTERFIRMAPOZYCJA", "ID_FIRMY, ID_POZYCJI, WARTOSC", c.status);
  firmowe.row({I(1), I(903), T("T-01")});
}

// Large database only: warehouses and types enough for conditions of realistic length.
void add_large_company(Context& c) {
  if (!c.large()) return;
  Insert magazyn(c.db, "MAGAZYN", "ID_MAGAZYNU, ID_FIRMY, SYMBOL, NAZWA, STAN", c.status);
  for (int n = 0; n < kLargeWarehouses; ++n) {
    magazyn.row({I(kLargeFirstWarehouse + n), I(1), T("MD" + std::to_string(n)),
                 T("Magazyn dystrybucyjny " + std::to_string(n + 1)), T("Praca")});
  }
  Insert handl(c.db, "TYP_DOKUMENTU_HANDLOWEGO", "ID_FIRMY, NAZWA, SYGNATURA, WYCENA, SYSTEMOWY, AKTYWNY",
               c.status);
  Insert mag(c.db, "TYP_DOKUMENTU_MAGAZYNOWEGO",
             "ID_FIRMY, NAZWA, SYGNATURA, RODZAJ, WYCENA, SYSTEMOWY, FAKTURA, KOD_RODZAJU", c.status);
  // Company 1 has 5 trade and 8 plain warehouse types of its own: 30 of each with these.
  for (int n = 5; n < kLargeTypes; ++n)
    handl.row({I(1), T("Faktura dodatkowa " + std::to_string(n)), T("FD" + std::to_string(n)), T("Sprzedaży"),
               I(0), I(1)});
  for (int n = 8; n < kLargeTypes; ++n)
    mag.row({I(1), T("Rozchód wewnętrzny " + std::to_string(n)), T("RW" + std::to_string(n)), T("Rozchód"),
             T("Sprzedaży"), I(0), I(0), I(2)});
}

void add_limited_user(Context& c) {
  Insert uzytkownik(c.db, "UZYTKOWNIK",
                    "ID_UZYTKOWNIKA, IDENTYFIKATOR, NAZWA, HOSTPROCESS, STATUS_PRACY, HASLO", c.status);
  uzytkownik.row({I(kLimitedUser), T("PLIMIT"), T("Piotr Limit"), I(0), I(0), T("")});
  uzytkownik.row({I(kUserWithoutGroup), T("BEZGRUPY"), T("Barbara Bezgrupy"), I(0), I(0), T("")});
  Insert grupa(c.db, "GRUPAUZYTKOWNIKOW", "ID_GRUPY, ID_FIRMY, NAZWA, CZY_AKTYWNA", c.status);
  grupa.row({I(kLimitedGroup), I(1), T("Dostęp ograniczony"), I(1)});
  Insert czlonek(c.db, "UZYTKOWNIKGRUPY", "ID_GRUPY, ID_UZYTKOWNIKA", c.status);
  czlonek.row({I(kLimitedGroup), I(kLimitedUser)});
  // Window settings are only ever updated: the new users get the rows every user has.
  for (std::int64_t user : {kLimitedUser, kUserWithoutGroup}) {
    for (const char* copy : {"INSERT INTO INTER_INI_UZYTKOWNIK (ID_UZYTKOWNIKA, ID_KOLUMNY, ROZMIAR, "
                             "KOLEJNOSC, FORMAT_KOLUMNY) SELECT "
                             "?, ID_KOLUMNY, ROZMIAR, KOLEJNOSC, FORMAT_KOLUMNY FROM INTER_INI_UZYTKOWNIK "
                             "WHERE ID_UZYTKOWNIKA = "
                             "3000003",
                             "INSERT INTO INTER_PARAMETR_UZYTKOWNIK (ID_UZYTKOWNIKA, ID_PARAMETRU, WARTOSC) "
                             "SELECT ?, ID_PARAMETRU, "
                             "WARTOSC FROM INTER_PARAMETR_UZYTKOWNIK WHERE ID_UZYTKOWNIKA = 3000003"}) {
      if (c.status.ok()) c.status = db::SqlLink(c.db).exec(copy, {I(user)});
    }
  }

  Insert dostep(c.db, "DOSTEP", "ID_GRUPY, ID_FIRMY, KOD, ID2, ID3, RODZAJ_DOSTEPU, FLAGA_STANU", c.status);
  auto grant = [&](const char* code, std::int64_t id2, std::int64_t id3, int kind, const char* flags = "") {
    dostep.row({I(kLimitedGroup), I(1), T(code), I(id2), I(id3), I(kind), T(flags)});
  };
  const char* mag = "TYP_DOKUMENTU_MAGAZYNOWEGO";
  // Warehouse documents of two types in the main warehouse.
  grant("ODokMag", 0, 0, 2);
  grant("ODokMag", 1, 0, 2);
  grant("ODokMag", 1, type_id(c, mag, "MP"), 1);
  grant("ODokMag", 1, type_id(c, mag, "KPZ"), 1);
  // Orders from customers only.
  grant("OZam", 0, 0, 2);
  grant("OZam", 1, 0, 2);
  grant("OZam", 1, type_id(c, mag, "ZO"), 1);
  // Production: the wholesale warehouse fully, assembly in the returns warehouse.
  grant("OProd", 0, 0, 2);
  grant("OProd", 2, 0, 1);
  grant("OProd", 3, 0, 2);
  grant("OProd", 3, type_id(c, mag, "ZLM"), 1);
  // Trade: the main warehouse fully, invoices in the wholesale one, own documents only.
  grant("ODokHandl", 0, 0, 2, "W");
  grant("ODokHandl", 1, 0, 1);
  grant("ODokHandl", 2, 0, 2);
  grant("ODokHandl", 2, type_id(c, "TYP_DOKUMENTU_HANDLOWEGO", "FV"), 1);
  // Cash: desk 1 fully, receipts in desk 2, own documents only; bank: account 1; others: own only.
  grant("ODokFinKas", 0, 0, 2, "W");
  grant("ODokFinKas", 1, 0, 1);
  grant("ODokFinKas", 2, 0, 2);
  grant("ODokFinKas", 2, type_id(c, "TYP_DOKUMENTU_FINANSOWEGO", "KP"), 1);
  grant("ODokFinBan", 0, 0, 2);
  grant("ODokFinBan", 1, 0, 1);
  grant("ODokFinPoz", 0, 0, 2, "W");
  // Settlements of the main and returns warehouses.
  grant("ORozr", 0, 0, 2);
  grant("ORozr", 1, 0, 1);
  grant("ORozr", 3, 0, 1);
  // CRM limited to own tasks; service orders granted in general but not in the main warehouse.
  grant("OCrm", 0, 0, 2, "W");
  grant("OCrm", 1, 0, 2);
  grant("SerwisZlecO", 0, 0, 2);

  if (!c.large()) return;
  // Over the 50 extra warehouses and 30 types of each kind: every other warehouse or type.
  std::vector<std::int64_t> trade_types;
  for (const char* signature : {"FV", "PA", "FZ", "KFV", "FZAL"})
    trade_types.push_back(type_id(c, "TYP_DOKUMENTU_HANDLOWEGO", signature));
  for (int n = 5; n < kLargeTypes; ++n)
    trade_types.push_back(type_id(c, "TYP_DOKUMENTU_HANDLOWEGO", "FD" + std::to_string(n)));
  for (int n = 0; n < kLargeWarehouses; ++n) {
    const std::int64_t w = kLargeFirstWarehouse + n;
    grant("ODokHandl", w, 0, n % 3 == 0 ? 1 : 2);
    for (std::size_t t = 0; t < trade_types.size(); t += 2) grant("ODokHandl", w, trade_types[t], 1);
    grant("OProd", w, 0, n % 2 == 0 ? 1 : 2);
    if (n % 2 == 1) grant("OProd", w, type_id(c, mag, "ZLM"), 1);
    if (n % 2 == 0) grant("ORozr", w, 0, 1);
  }
  for (int n = 8; n < kLargeTypes; n += 2) grant("ODokMag", 1, type_id(c, mag, "RW" + std::to_string(n)), 1);
}

}  // namespace

void add_access(Context& c) {
  add_operations(c);
  add_configuration_of_users(c);
  add_large_company(c);
  add_limited_user(c);
}

}  // namespace server::demo

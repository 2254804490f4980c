// Demo data: two companies with their seats, warehouses, cash desks and bank accounts.
#include <cstdio>
#include <string>

#include "db/procedures.h"
#include "insert.h"
#include "parts.h"

namespace server::demo {
namespace {

// Polish account number (NRB): two check digits, the 8-digit sort code and 16 digits of the account.
std::pair<std::string, std::string> account(const std::string& sort, std::uint64_t serial) {
  char text[32];
  std::snprintf(text, sizeof text, "%016llu", static_cast<unsigned long long>(serial));
  const std::string bban = sort + text;
  // Check digits as for the IBAN: BBAN + "PL" as digits (2521) + "00", modulo 97.
  const std::string digits = bban + "252100";
  int rest = 0;
  for (char d : digits) rest = (rest * 10 + (d - '0')) % 97;
  char check[4];
  std::snprintf(check, sizeof check, "%02d", 98 - rest);
  return {check, bban};
}

}  // namespace

void add_companies(Context& c) {
  Insert firma(
      c.db, "FIRMA",
      "ID_FIRMY, NAZWA, NAZWA_PELNA, NIP, REGON, PLATNIK_VAT, MP, KWARTALNY_VAT, METODA_KASOWA, ORGAN_ZAL, "
      "NAZWA_REJ, NR_W_REJ, DATA_REJ, DATA_ROZP_DZIA, AKTYWNA, WSPOLPRACA",
      c.status);
  firma.row({I(1), T("Hurtownia Mirlet"), T("Hurtownia Mirlet Spółka z ograniczoną odpowiedzialnością"),
             T(nip(676, 101)), T(regon9(12345670)), I(1), I(0), I(0), I(0),
             T("Sąd Rejonowy dla Krakowa-Śródmieścia"), T("KRS"), T("0000123456"), I(day_number(2009, 3, 2)),
             I(day_number(2009, 4, 1)), I(1), I(1)});
  firma.row({I(2), T("Sklep Wisła"), T("Sklep Wisła s.c. Anna Nowak, Piotr Nowak"), T(nip(945, 2207)),
             T(regon9(35123456)), I(1), I(1), I(1), I(1), T("Prezydent Miasta Krakowa"), T("CEIDG"), T("—"),
             I(day_number(2015, 6, 15)), I(day_number(2015, 7, 1)), I(1), I(0)});

  Insert adres(
      c.db, "ADRESY_FIRMY",
      "ID_FIRMY, DATA_OD, KP_DATA_OD, TYP_ADRESU, SYM_KRAJU, WOJEWODZTWO, POWIAT, GMINA, ULICA, NR_DOMU, "
      "NR_LOKALU, KOD_POCZTOWY, MIEJSCOWOSC, POCZTA, EMAIL",
      c.status);
  adres.row({I(1), I(day_number(2009, 3, 2)), T("2009-03-02 00:00:00"), T("S"), T("PL"), T("małopolskie"),
             T("Kraków"), T("Kraków"), T("ul. Wielicka"), T("28"), T("4"), T("30-552"), T("Kraków"),
             T("Kraków"), T("biuro@mirlet.example.pl")});
  adres.row({I(1), I(day_number(2009, 3, 2)), T("2009-03-02 00:00:00"), T("K"), T("PL"), T("małopolskie"),
             T("Kraków"), T("Kraków"), T("ul. Zabłocie"), T("43"), T(""), T("30-701"), T("Kraków"),
             T("Kraków"), N()});
  adres.row({I(2), I(day_number(2015, 6, 15)), T("2015-06-15 00:00:00"), T("S"), T("PL"), T("małopolskie"),
             T("wielicki"), T("Wieliczka"), T("Rynek Górny"), T("7"), T(""), T("32-020"), T("Wieliczka"),
             T("Wieliczka"), T("sklep@wisla.example.pl")});

  Insert magazyn(
      c.db, "MAGAZYN",
      "ID_MAGAZYNU, ID_FIRMY, SYMBOL, NAZWA, LOKALIZACJA, OPIS, MIEJSCE_WYSTAWIENIA, STAN, ID_RACHUNKU",
      c.status);
  magazyn.row({I(1), I(1), T("MG"), T("Magazyn główny"), T("Kraków, ul. Zabłocie 43"), T("Towary handlowe"),
               T("Kraków"), T("Praca"), I(1)});
  magazyn.row({I(2), I(1), T("MH"), T("Magazyn hurtowy"), T("Skawina, ul. Energetyków 5"),
               T("Sprzedaż paletowa"), T("Skawina"), T("Praca"), I(1)});
  magazyn.row({I(3), I(1), T("MZ"), T("Magazyn zwrotów"), T("Kraków, ul. Zabłocie 43"),
               T("Reklamacje i zwroty"), T("Kraków"), T("Praca"), I(1)});
  magazyn.row({I(4), I(2), T("SKL"), T("Sklep"), T("Wieliczka, Rynek Górny 7"), T(""), T("Wieliczka"),
               T("Praca"), I(3)});

  Insert kasa(c.db, "KASY_FIRMY", "ID_KASY, ID_FIRMY, SYMBOL, NAZWA, KONTO_FK, RAP_WALUTOWE, DOMYSLNA",
              c.status);
  kasa.row({I(1), I(1), T("KG"), T("Kasa główna"), T("100-01"), I(0), I(1)});
  kasa.row({I(2), I(1), T("KW"), T("Kasa walutowa EUR"), T("100-02"), I(1), I(0)});
  kasa.row({I(3), I(2), T("KS"), T("Kasa sklepu"), T("100"), I(0), I(1)});

  Insert rachunek(
      c.db, "RACHUNEK_FIRMY",
      "ID_RACHUNKU, ID_FIRMY, SYM_WALUTY, ID_BANKU, LK, NUMER_RACHUNKU, NAZWA, AKTYWNY, DOMYSLNY_WAL, "
      "SYM_KRAJU, RAP_WALUTOWE",
      c.status);
  struct Account {
    int id, company;
    const char* currency;
    unsigned bank;
    std::uint64_t serial;
    const char* name;
  };
  for (const Account& a : {Account{1, 1, "PLN", 102, 4570012345678901ULL, "Rachunek bieżący"},
                           Account{2, 1, "EUR", 124, 1000200030004000ULL, "Rachunek walutowy EUR"},
                           Account{3, 2, "PLN", 114, 2200330044005500ULL, "Rachunek firmowy"}}) {
    const auto [check, number] = account(sort_code(a.bank, 0), a.serial);
    const auto bank_id = db::SqlLink(c.db).scalar("SELECT ID_BANKU FROM BANKI WHERE NUMER_BANKU = ?",
                                                  {T(sort_code(a.bank, 0))});
    rachunek.row({I(a.id), I(a.company), T(a.currency), bank_id ? I(db::Value::text(*bank_id).as_int()) : N(),
                  T(check), T(number), T(a.name), I(1), I(1), T("PL"), I(std::string(a.currency) != "PLN")});
  }
  db::SqlLink link(c.db);
  if (c.status.ok())
    c.status = link.exec("UPDATE FIRMA SET ID_RACHUNKU = CASE ID_FIRMY WHEN 1 THEN 1 ELSE 3 END");
  if (c.status.ok()) {
    c.status = link.exec(
        "UPDATE FIRMA SET ID_ADRESU_DOMYSLNEGO = (SELECT MIN(ID_ADRESY_FIRMY) FROM ADRESY_FIRMY a WHERE "
        "a.ID_FIRMY = "
        "FIRMA.ID_FIRMY AND a.TYP_ADRESU = 'S')");
  }
}

}  // namespace server::demo

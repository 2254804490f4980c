// Demo data: the administrator and an ordinary user, their groups, grants and the permission catalogue.
#include <set>
#include <string>

#include "insert.h"
#include "parts.h"
#include "runtime/text.h"

namespace server::demo {
namespace {

// Permission codes the system asks for; each base code of a dictionary also has its D/O/U/E forms.
constexpr const char* kPlainCodes[] = {"SYS",
                                       "DokNiezWszystkich",
                                       "ArchiwRun",
                                       "ODokMag",
                                       "ODokHandl",
                                       "ODokFinKas",
                                       "ODokFinBan",
                                       "ODokFinPoz",
                                       "OZam",
                                       "OProd",
                                       "ORozr",
                                       "OCrm",
                                       "SerwisZlecO",
                                       "OKontr",
                                       "OKontrD",
                                       "OKontrO",
                                       "EKontr",
                                       "EKontrHan",
                                       "EksportExcel",
                                       "PolaDodatkowe",
                                       "BankiKursWal",
                                       "StawkiVAT",
                                       "AktywnoscStawkiVat",
                                       "EtykDok",
                                       "EtykDokD",
                                       "EtykDokE",
                                       "EtykDokU",
                                       "StatusyZamD",
                                       "StatusyZamE",
                                       "StatusyZamU",
                                       "StatusySerwisZlecD",
                                       "StatusySerwisZlecE",
                                       "StatusySerwisZlecU",
                                       "TypDokProd",
                                       "OTypDokProd",
                                       "ETypDokProd",
                                       "TypDokHandl",
                                       "OTypDokHandl",
                                       "UTypDokHandl",
                                       "ETypDokHandl",
                                       "TypDokFin",
                                       "OTypDokFin",
                                       "UTypDokFin",
                                       "EPrac",
                                       "DaneOsoPrac",
                                       "KonfKolPrac",
                                       "EDanePodm",
                                       "DMag",
                                       "UMag",
                                       "EMag",
                                       "Mag",
                                       "FormPlat",
                                       "DFormPlat",
                                       "EFormPlat",
                                       "UFormPlat",
                                       "TypyKontr",
                                       "DTypyKontr",
                                       "OTypyKontr",
                                       "UTypyKontr",
                                       "Urzedy",
                                       "DUrzedy",
                                       "OUrzedy",
                                       "UUrzedy"};
constexpr const char* kDictionaryCodes[] = {"Kasy", "Waluty", "Banki", "TypDokMag", "TabOds", "Prac"};
// Codes granted per warehouse.
constexpr const char* kPerWarehouse[] = {"ODokMag", "OZam", "OCrm", "SerwisZlecO", "SYS"};

// The large database's grants for the ordinary user: per-warehouse codes, each over many warehouses.
constexpr int kLargeGrantCodes = 50;
constexpr int kLargeGrants = 5000;

std::string large_grant_code(int n) {
  return "MagZasob" + std::to_string(100 + n);
}

bool per_warehouse(std::string_view code) {
  for (const char* c : kPerWarehouse) {
    if (code == c) return true;
  }
  return false;
}

}  // namespace

void add_users(Context& c) {
  Insert uzytkownik(c.db, "UZYTKOWNIK",
                    "ID_UZYTKOWNIKA, IDENTYFIKATOR, NAZWA, HOSTPROCESS, STATUS_PRACY, HASLO", c.status);
  uzytkownik.row({I(kAdministrator), T("ADMIN"), T("Administrator"), I(0), I(0), T("")});
  uzytkownik.row({I(kOrdinaryUser), T("JKOWALSKI"), T("Jan Kowalski"), I(0), I(0), T("kowalski1")});
  uzytkownik.row({I(3000003), T("ANOWAK"), T("Anna Nowak"), I(0), I(0), T("wisla")});

  // Application filters of the contractor list: one of the administrator's shared with Jan Kowalski, one
  // of Jan Kowalski's own; each with the values its author stored.
  Insert filtr(c.db, "MAG_DEFINICJA_FILTRA", "ID_FILTRA, NAZWA, PODSYSTEM, TYP, KONTEKST, ID_UZYTKOWNIKA",
               c.status);
  filtr.row(
      {I(501), T("Dłużnicy z Warszawy"), T("FiltrF8"), T("Filtr"), T("Kontrahent_Brw"), I(kAdministrator)});
  filtr.row({I(502), T("Stali odbiorcy"), T("FiltrF8"), T("Filtr"), T("Kontrahent_Brw"), I(kOrdinaryUser)});
  Insert filtr_uzytkownik(c.db, "MAG_UZYTKOWNIK_FILTROW", "ID_UZYTKOWNIKA, ID_FILTRA", c.status);
  filtr_uzytkownik.row({I(kAdministrator), I(501)});
  filtr_uzytkownik.row({I(kOrdinaryUser), I(501)});
  filtr_uzytkownik.row({I(kAdministrator), I(502)});
  filtr_uzytkownik.row({I(kOrdinaryUser), I(502)});
  Insert filtr_wartosci(c.db, "MAG_FILTR_UZYTKOWNIKA", "ID_FILTRA, ID_FIRMY, ID_UZYTKOWNIKA, XML_FILTRA",
                        c.status);
  filtr_wartosci.row({I(501), I(1), I(kAdministrator),
                      T("<GROUP><MIASTO>Warszawa</MIASTO><SALDO_OD>1000</SALDO_OD></GROUP>")});
  filtr_wartosci.row({I(502), I(1), I(kOrdinaryUser), T("<GROUP><STALY>1</STALY></GROUP>")});

  Insert uprawnienie(c.db, "UPRAWNIENIE", "KOD, RODZAJ", c.status);
  std::vector<std::string> codes(std::begin(kPlainCodes), std::end(kPlainCodes));
  for (const char* base : kDictionaryCodes) {
    for (const char* prefix : {"", "D", "O", "U", "E"}) codes.push_back(std::string(prefix) + base);
  }
  std::set<std::string> seen;
  for (const std::string& code : codes) {
    if (seen.insert(runtime::to_upper(code)).second)
      uprawnienie.row({T(code), T(per_warehouse(code) ? "M" : "")});
  }
  if (c.large()) {
    for (int n = 0; n < kLargeGrantCodes; ++n) uprawnienie.row({T(large_grant_code(n)), T("M")});
  }

  Insert grupa(c.db, "GRUPAUZYTKOWNIKOW", "ID_GRUPY, ID_FIRMY, NAZWA, CZY_AKTYWNA", c.status);
  grupa.row({I(1), I(1), T("Administratorzy"), I(1)});
  grupa.row({I(2), I(1), T("Sprzedawcy"), I(1)});
  grupa.row({I(3), I(2), T("Administratorzy"), I(1)});
  grupa.row({I(4), I(2), T("Sprzedawcy sklepu"), I(1)});
  grupa.row({I(5), I(2), T("Magazynierzy sklepu"), I(1)});
  grupa.row({I(6), I(2), T("Archiwum"), I(0)});  // inactive: its grants never load

  Insert czlonek(c.db, "UZYTKOWNIKGRUPY", "ID_GRUPY, ID_UZYTKOWNIKA", c.status);
  czlonek.row({I(1), I(kAdministrator)});
  czlonek.row({I(3), I(kAdministrator)});
  czlonek.row({I(2), I(kOrdinaryUser)});
  czlonek.row({I(3), I(3000003)});
  for (int group : {4, 5, 6}) czlonek.row({I(group), I(3000003)});

  Insert dostep(c.db, "DOSTEP", "ID_GRUPY, ID_FIRMY, KOD, ID2, RODZAJ_DOSTEPU, FLAGA_STANU", c.status);
  dostep.row({I(1), I(1), T("SYS"), I(0), I(1), T("")});
  dostep.row({I(3), I(2), T("SYS"), I(0), I(1), T("")});
  // Sellers: the main and wholesale warehouses, the main cash desk, the dictionaries they read.
  dostep.row({I(2), I(1), T("SYS"), I(1), I(1), T("")});
  dostep.row({I(2), I(1), T("SYS"), I(2), I(1), T("")});
  dostep.row({I(2), I(1), T("Kasy"), I(1), I(1), T("")});
  dostep.row({I(2), I(1), T("ODokMag"), I(1), I(2), T("W")});
  dostep.row({I(2), I(1), T("OKontr"), I(0), I(1), T("D")});
  for (const char* code :
       {"Waluty", "OWaluty", "Banki", "OBanki", "StawkiVAT", "EksportExcel", "ODokHandl"}) {
    dostep.row({I(2), I(1), T(code), I(0), I(1), T("")});
  }
  if (c.large()) {
    for (int n = 0; n < kLargeGrants; ++n) {
      dostep.row({I(2), I(1), T(large_grant_code(n % kLargeGrantCodes)), I(100 + n / kLargeGrantCodes),
                  I(1 + n % 2), T(n % 2 == 0 ? "" : "W")});
    }
  }
  // The shop's seller is also its storekeeper: where the two groups overlap a full grant wins over a
  // limited one, and two limited ones keep the flags of the first row read.
  dostep.row({I(4), I(2), T("TypDokMag"), I(0), I(2), T("W")});
  dostep.row({I(5), I(2), T("TypDokMag"), I(0), I(1), T("")});
  dostep.row({I(4), I(2), T("EtykDok"), I(0), I(2), T("W")});
  dostep.row({I(5), I(2), T("EtykDok"), I(0), I(2), T("WD")});
  // A per-warehouse code: orders limited in general, full in the shop's warehouse.
  dostep.row({I(5), I(2), T("OZam"), I(0), I(2), T("")});
  dostep.row({I(5), I(2), T("OZam"), I(4), I(1), T("")});
  // Narrowed twice: contacts of the shop, fully for object 7 only.
  Insert dostep2(c.db, "DOSTEP", "ID_GRUPY, ID_FIRMY, KOD, ID2, ID3, RODZAJ_DOSTEPU, FLAGA_STANU", c.status);
  dostep2.row({I(4), I(2), T("OCrm"), I(0), I(0), I(2), T("")});
  dostep2.row({I(4), I(2), T("OCrm"), I(4), I(0), I(2), T("")});
  dostep2.row({I(4), I(2), T("OCrm"), I(4), I(7), I(1), T("")});
  // Contractors through object lists only, a code the catalogue does not know, an inactive group's grants.
  dostep.row({I(4), I(2), T("OKontr"), I(0), I(2), T("D")});
  dostep.row({I(4), I(2), T("KodSpozaKatalogu"), I(0), I(1), T("")});
  dostep.row({I(6), I(2), T("UMag"), I(0), I(1), T("")});
  dostep.row({I(6), I(2), T("Prac"), I(0), I(1), T("")});

  // Report 1 comes to the shop's seller twice, with two kinds; the rows stay apart.
  Insert raport(c.db, "DOSTEPDORAPORTOW", "ID_GRUPY, ID_RAPORTU, RODZAJ_DOSTEPU", c.status);
  raport.row({I(4), I(1), I(1)});
  raport.row({I(5), I(1), I(2)});
  raport.row({I(5), I(2), I(2)});
  raport.row({I(2), I(2), I(1)});

  Insert funkcja(c.db, "MAG_FUNKCJA", "KOD_FUNKCJI, NAZWA_FUNKCJI, OPIS_FUNKCJI", c.status);
  funkcja.row({T("LIMIT_KUPIECKI"), T("Przekroczenie limitu kupieckiego"),
               T("Zgoda na wystawienie dokumentu mimo przekroczenia limitu kupieckiego kontrahenta.")});
  Insert haslo(c.db, "MAG_FUNKCJA_UZYTKOWNIK", "KOD_FUNKCJI, ID_UZYTKOWNIKA, HASLO", c.status);
  haslo.row({T("LIMIT_KUPIECKI"), I(kAdministrator), T("LIMIT")});
  funkcja.row({T("KOREKTA_CEN"), T("Korekta cen sprzedaży"),
               T("Zmiana ceny sprzedaży na dokumencie poniżej ceny minimalnej.")});
  haslo.row({T("KOREKTA_CEN"), I(kOrdinaryUser), T("Ceny2026")});
  haslo.row({T("LIMIT_KUPIECKI"), I(3000003), T("sklep")});
  // The shop's firm guards its functions with passwords.
  Insert parametr(c.db, "INTERFIRMAPOZYCJA", "ID_FIRMY, ID_POZYCJI, WARTOSC", c.status);
  parametr.row({I(2), I(103), T("Tak")});
}

}  // namespace server::demo

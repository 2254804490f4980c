// Demo data: the configuration catalogue of this product, user positions and the system rows.
#include <string>

#include "insert.h"
#include "parts.h"

namespace server::demo {
namespace {

struct Position {
  int id;
  const char* code;
  char kind;  // 's' firm, 'u' user
  const char* mask;
  const char* default_value;
  const char* description;
};

// KOD_WERSJI: the fourth character '1' marks this product.
constexpr const char* kThisProduct = "0001000";
constexpr const char* kOtherProduct = "0100000";

constexpr Position kPositions[] = {
    {500, "DomKasa", 'u', "@n10", "0", "Domyślna kasa"},
    {502, "DomMagazyn", 'u', "@n10", "0", "Domyślny magazyn"},
    {503, "DomFirmau", 'u', "@n10", "0", "Domyślna firma"},
    {505, "ZakrWys", 'u', "@S20", "Bieżący miesiąc", "Zakres wyświetlania"},
    {506, "Data_Od", 'u', "@n10", "0", "Początek zakresu"},
    {507, "Data_Do", 'u', "@n10", "0", "Koniec zakresu"},
    {530, "KontrListWys", 'u', "@n3", "10", "Wysokość listy kontrahentów"},
    {531, "KontrListCzcionkaRozm", 'u', "@n3", "9", "Rozmiar czcionki listy kontrahentów"},
    {532, "KontrListCzcionka", 'u', "@S100", "Sans", "Czcionka listy kontrahentów"},
    {543, "StylOkien", 'u', "@S30", "Styl nowoczesny", "Styl okien"},
    {101, "LokalizacjaCR", 's', "@S30", "Pliki", "Lokalizacja raportów"},
    {102, "EwidencjaCens", 's', "@S10", "NETTO", "Ewidencja cen"},
    {103, "BlokFuncHaslo", 's', "@S3", "Nie", "Blokada funkcji hasłem"},
    {104, "SynchroArt", 's', "@S20", "Wspólne", "Synchronizacja artykułów"},
    {105, "IBAN", 's', "@S34", "", "Rachunek firmy (IBAN)"},
    {106, "PropKursBanku", 's', "@S3", "NBP", "Proponowany kurs banku"},
    {107, "WliczajWZDoLimitu", 's', "@S3", "Tak", "Wliczaj wydania do limitu"},
    {108, "MaxRozZdjecArt", 's', "@n6", "500", "Maksymalny rozmiar zdjęcia artykułu (kB)"},
    {109, "KIR_Katalog", 's', "@S199", "", "Katalog pliku oddziałów banków"},
    {110, "WalStartSys", 's', "@S20", "Pobierz z NBP", "Kursy walut przy starcie"},
    {111, "PrzelCenZak", 's', "@S20", "Nie", "Przeliczanie cen zakupu"},
    {112, "AlgOblCenSprz", 's', "@S20", "Marża", "Algorytm obliczania cen sprzedaży"},
    {113, "MiejWystFak/Rach", 's', "@S50", "Kraków", "Miejsce wystawienia faktur"},
    {120, "ArchiwizatorRun", 'u', "@n1", "0", "Archiwizacja przy zamknięciu"},
    {121, "InfoVendrix", 'u', "@n1", "0", "Wyłączona informacja o sklepie"},
    {122, "InfoiZorva", 'u', "@n1", "0", "Wyłączona informacja o aplikacji mobilnej"},
    {123, "OdswiezKartot", 'u', "@S3", "Tak", "Odświeżaj kartoteki po zmianie okresu"},
    {124, "OknoSzerMarg", 'u', "@n4", "0", "Margines szerokości okien"},
    {125, "OknoWysMarg", 'u', "@n4", "0", "Margines wysokości okien"},
    {126, "PokazujPasekIkon", 'u', "@S3", "Tak", "Pasek ikon"},
    {127, "IloscArtBezPrzecinka", 'u', "@S4", "Nie", "Ilości bez przecinka"},
    {128, "DataOdPelnyZakres", 'u', "@n10", "0", "Początek pełnego zakresu"},
    {129, "DRZEWKOFILTRROZ", 'u', "@S3", "Nie", "Drzewko filtrów rozrachunków"},
    {130, "ZnakDoExcela", 'u', "@S1", ";", "Separator CSV"},
    {131, "TypDoExcela", 'u', "@S4", "XLSX", "Format eksportu"},
    {132, "KoloryDoExcelaXLSX", 'u', "@S5", "Pytaj", "Kolory w eksporcie XLSX"},
    {133, "DomFileNameEPP", 'u', "@S255", "", "Ostatni plik przelewów"},
    {134, "DomSchematEPP", 'u', "@S100", "", "Ostatni schemat przelewów"},
    // The data exchange settings that setting profiles vary by trading partner; 145 is never in a profile.
    {145, "XMLProfilPomijany", 's', "@S10", "", "Pozycja pomijana w profilach ustawień"},
    {146, "XMLWersjaSchematu", 's', "@S10", "2.1", "Wersja schematu dokumentów XML"},
    {147, "XMLKodowanie", 's', "@S20", "UTF-8", "Kodowanie znaków plików XML"},
    {148, "XMLEksportCen", 's', "@S3", "Tak", "Eksport cen w dokumentach XML"},
    {149, "XMLKatalog", 's', "@S199", "", "Katalog wymiany plików XML"},
};

}  // namespace

void add_configuration(Context& c) {
  Insert pozycja(c.db, "POZYCJAKONFIG", "ID_POZYCJI, KOD, MASKA, KOD_WERSJI, OPIS, WARTOSC_DOMYSLNA, RODZAJ",
                 c.status);
  for (const Position& p : kPositions) {
    pozycja.row({I(p.id), T(p.code), T(p.mask), T(kThisProduct), T(p.description), T(p.default_value),
                 T(std::string(1, p.kind))});
  }
  // A position of another product: present in the catalogue, never loaded by this one.
  pozycja.row({I(900), T("KasaFiskalnaPort"), T("@S10"), T(kOtherProduct), T("Port kasy fiskalnej"),
               T("COM1"), T("s")});

  Insert firmowe(c.db, "INTERFIRMAPOZYCJA", "ID_FIRMY, ID_POZYCJI, WARTOSC", c.status);
  firmowe.row({I(1), I(106), T("NBP")});
  firmowe.row({I(1), I(113), T("Kraków")});
  firmowe.row({I(2), I(113), T("Wieliczka")});
  firmowe.row({I(2), I(102), T("BRUTTO")});

  Insert uzytkownika(c.db, "INTERUZYTKOWNIKPOZYCJA", "ID_UZYTKOWNIKA, ID_POZYCJI, WARTOSC, ID_FIRMY",
                     c.status);
  struct UserDefaults {
    std::int64_t user;
    int company, warehouse, desk;
  };
  for (const UserDefaults& u : {UserDefaults{kAdministrator, 1, 1, 1}, UserDefaults{kOrdinaryUser, 1, 1, 1},
                                UserDefaults{3000003, 2, 4, 3}}) {
    uzytkownika.row({I(u.user), I(503), T(std::to_string(u.company)), I(0)});
    uzytkownika.row({I(u.user), I(502), T(std::to_string(u.warehouse)), I(u.company)});
    uzytkownika.row({I(u.user), I(500), T(std::to_string(u.desk)), I(u.company)});
    uzytkownika.row({I(u.user), I(505), T("Bieżący miesiąc"), I(u.company)});
  }

  Insert stan(c.db, "ZORVADBSTATE", "PRGKOD, START", c.status);
  stan.row({I(3), I(0)});
  Insert tryb(c.db, "TRYB_PRACY", "PRGKOD, PARAMETRY", c.status);
  tryb.row({I(3), T("")});
  Insert operator_(c.db, "MAG_OPERATOR_PRZESYLKI", "NAZWA, URL_SLEDZENIE", c.status);
  operator_.row({T("Poczta Polska"), T("https://sledzenie.poczta.example.pl/?numer={numer}")});
  operator_.row({T("Kurier Ekspres"), T("https://tracking.kurier.example.pl/")});

  Insert formy(c.db, "FORMA_PLATNOSCI", "ID_FIRMY, KOD, NAZWA, AKTYWNA, DNI_NALEZNOSCI, SYSTEMOWA", c.status);
  formy.row({I(0), T("g"), T("gotówka"), I(1), I(0), I(1)});
  formy.row({I(0), T("k"), T("karta płatnicza"), I(1), I(0), I(1)});
  formy.row({I(0), T("p"), T("przelew 14 dni"), I(1), I(14), I(0)});
  formy.row({I(1), T("p30"), T("przelew 30 dni"), I(1), I(30), I(0)});
}

}  // namespace server::demo

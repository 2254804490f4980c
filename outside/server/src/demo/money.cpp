// Demo data: VAT rates, countries, currencies with NBP- and ECB-like rates, banks and tax offices.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "insert.h"
#include "parts.h"

namespace server::demo {
namespace {

void add_vat(Context& c) {
  Insert vat(c.db, "STAWKA_VAT", "NAZWA, KOD_VAT, STAWKA, AKTYWNY", c.status);
  struct Rate {
    const char* name;
    const char* code;
    const char* rate;
    int active;
  };
  for (const Rate& r :
       {Rate{"23%", "23", "23", 1}, Rate{"8%", "8", "8", 1}, Rate{"5%", "5", "5", 1}, Rate{"0%", "0", "0", 1},
        Rate{"zwolniona", "zw", "0", 1}, Rate{"nie podlega", "np", "0", 1}, Rate{"22%", "22", "22", 0},
        Rate{"7%", "7", "7", 0}, Rate{"3%", "3", "3", 0}}) {
    vat.row({T(r.name), T(r.code), D(r.rate), I(r.active)});
  }
}

void add_countries(Context& c) {
  Insert kraje(c.db, "KRAJE", "SYM_KRAJU, NAZWA_KRAJU", c.status);
  for (const auto& [sym, name] : {std::pair{"PL", "Polska"},
                                  {"DE", "Niemcy"},
                                  {"CZ", "Czechy"},
                                  {"SK", "Słowacja"},
                                  {"GB", "Wielka Brytania"},
                                  {"US", "Stany Zjednoczone"},
                                  {"CH", "Szwajcaria"},
                                  {"HU", "Węgry"},
                                  {"JP", "Japonia"},
                                  {"UA", "Ukraina"},
                                  {"LT", "Litwa"},
                                  {"EU", "Unia Europejska"}}) {
    kraje.row({T(sym), T(name)});
  }
  Insert woj(c.db, "WOJEWODZTWO", "NAZWA", c.status);
  for (const char* name :
       {"dolnośląskie", "kujawsko-pomorskie", "lubelskie", "lubuskie", "łódzkie", "małopolskie",
        "mazowieckie", "opolskie", "podkarpackie", "podlaskie", "pomorskie", "śląskie", "świętokrzyskie",
        "warmińsko-mazurskie", "wielkopolskie", "zachodniopomorskie"}) {
    woj.row({T(name)});
  }
}

struct Currency {
  const char* symbol;
  const char* name;
  int multiplier;
  const char* country;
  double rate;  // PLN for `multiplier` units at the start of the series
};

constexpr Currency kCurrencies[] = {
    {"EUR", "euro", 1, "EU", 4.2950},           {"USD", "dolar amerykański", 1, "US", 3.9420},
    {"GBP", "funt szterling", 1, "GB", 5.0610}, {"CHF", "frank szwajcarski", 1, "CH", 4.5580},
    {"CZK", "korona czeska", 1, "CZ", 0.1724},  {"HUF", "forint węgierski", 100, "HU", 1.0953},
    {"JPY", "jen japoński", 100, "JP", 2.6120}, {"UAH", "hrywna ukraińska", 1, "UA", 0.0951},
};

std::string six_places(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", v);
  return text;
}

// Working days only, a small random walk per currency; the ECB series follows the NBP one closely.
void add_rates(Context& c) {
  Insert waluty(c.db, "WALUTY", "SYM_WALUTY, NAZWA_WALUTY, MNOZNIK_WALUTY, SYM_KRAJU, NUMER", c.status);
  waluty.row({T("PLN"), T("złoty polski"), I(1), T("PL"), I(1)});
  for (const Currency& k : kCurrencies)
    waluty.row({T(k.symbol), T(k.name), I(k.multiplier), T(k.country), I(0)});

  Insert dates(c.db, "DATY_KURSOW", "ID_BANKU, DATA_NOT, GODZ_NOT", c.status);
  Insert rates(c.db, "KURSY_WALUT", "ID_DATY, SYM_WALUTY, KURS_ZAKUPU, KURS_SPRZEDAZY, KURS_SREDNI",
               c.status);
  const std::int64_t last = demo_last_rate_day();
  const int span = c.large() ? 3 * 365 : 122;
  std::vector<double> level;
  for (const Currency& k : kCurrencies) level.push_back(k.rate);
  std::normal_distribution<double> step(0.0, 0.004);
  for (std::int64_t day = last - span; day <= last; ++day) {
    // Day 0 (28.12.1800) was a Sunday: days 6 and 0 modulo 7 are Saturdays and Sundays.
    if (day % 7 == 6 || day % 7 == 0) continue;
    for (std::size_t i = 0; i < level.size(); ++i) level[i] *= 1.0 + step(c.random);
    for (int source : {0, -1}) {
      dates.row({I(source), I(day), I(source == 0 ? (11 * 3600 + 45 * 60) * 100 : 16 * 3600 * 100)});
      const std::int64_t id = dates.last_id();
      for (std::size_t i = 0; i < level.size(); ++i) {
        const double mid = std::round(level[i] * (source == 0 ? 1.0 : 1.0007) * 1e4) / 1e4;
        rates.row({I(id), T(kCurrencies[i].symbol), D(six_places(mid * 0.99)), D(six_places(mid * 1.01)),
                   D(six_places(mid))});
      }
    }
  }
}

struct Bank {
  unsigned number;
  const char* name;
  const char* swift;
};

constexpr Bank kBanks[] = {
    {101, "Narodowy Bank Polski", "NBPLPLPW"},
    {102, "PKO Bank Polski S.A.", "BPKOPLPW"},
    {105, "ING Bank Śląski S.A.", "INGBPLPW"},
    {109, "Santander Bank Polska S.A.", "WBKPPLPP"},
    {114, "mBank S.A.", "BREXPLPW"},
    {116, "Bank Millennium S.A.", "BIGBPLPW"},
    {124, "Bank Pekao S.A.", "PKOPPLPW"},
    {160, "BNP Paribas Bank Polska S.A.", "PPABPLPK"},
    {175, "Raiffeisen Bank Polska S.A.", "RCBWPLPW"},
    {249, "Alior Bank S.A.", "ALBPPLPW"},
};

struct City {
  const char* name;
  const char* postcode;
  const char* street;
};

constexpr City kCities[] = {
    {"Warszawa", "00-950", "ul. Marszałkowska"},  {"Kraków", "31-154", "ul. Długa"},
    {"Łódź", "90-001", "ul. Piotrkowska"},        {"Wrocław", "50-077", "ul. Świdnicka"},
    {"Poznań", "61-772", "ul. Półwiejska"},       {"Gdańsk", "80-958", "ul. Wały Jagiellońskie"},
    {"Szczecin", "70-415", "al. Niepodległości"}, {"Lublin", "20-950", "ul. Krakowskie Przedmieście"},
    {"Katowice", "40-098", "ul. Mickiewicza"},    {"Białystok", "15-950", "ul. Lipowa"},
    {"Rzeszów", "35-959", "ul. 3 Maja"},          {"Olsztyn", "10-959", "ul. Pieniężnego"},
};

// The demo database: every bank's head office and two branches.
void add_demo_banks(Insert& banki) {
  std::int64_t id = 1;
  for (const Bank& b : kBanks) {
    for (int n = 0; n < 3; ++n) {
      const City& city = kCities[static_cast<std::size_t>(n) % std::size(kCities)];
      const unsigned branch = n == 0 ? 0 : static_cast<unsigned>(10 + n * 7);
      std::string name = b.name;
      if (n > 0) name += std::string(" O/") + city.name;
      banki.row({I(id++), T(sort_code(b.number, branch)), T(name), T(b.swift),
                 T(std::string(city.street) + " " + std::to_string(1 + n % 120)), T(city.postcode),
                 T(city.name)});
    }
  }
}

// Banks that only the large database holds, so that it reaches its count with realistic branch numbers.
constexpr Bank kMoreBanks[] = {
    {103, "Bank Handlowy w Warszawie S.A.", "CITIPLPX"},
    {113, "Bank Gospodarstwa Krajowego", "GOSKPLPW"},
    {132, "Bank Pocztowy S.A.", "POCZPLP4"},
    {154, "Bank Ochrony Środowiska S.A.", "EBOSPLPW"},
    {161, "SGB-Bank S.A.", "GBWCPLPP"},
    {187, "Nest Bank S.A.", "NESBPLPW"},
    {193, "Bank Polskiej Spółdzielczości S.A.", "POLUPLPR"},
    {194, "Credit Agricole Bank Polska S.A.", "AGRIPLPR"},
    {212, "Santander Consumer Bank S.A.", "SCFBPLPW"},
    {216, "Toyota Bank Polska S.A.", "TOBAPLPW"},
};

// Towns beside the twelve cities where the large database's branches stand.
constexpr City kTowns[] = {
    {"Bydgoszcz", "85-950", "ul. Gdańska"},
    {"Toruń", "87-100", "ul. Szeroka"},
    {"Gdynia", "81-300", "ul. Świętojańska"},
    {"Sopot", "81-701", "ul. Bohaterów Monte Cassino"},
    {"Kielce", "25-950", "ul. Sienkiewicza"},
    {"Opole", "45-950", "ul. Krakowska"},
    {"Zielona Góra", "65-001", "ul. Kupiecka"},
    {"Gorzów Wielkopolski", "66-400", "ul. Chrobrego"},
    {"Częstochowa", "42-200", "al. NMP"},
    {"Radom", "26-600", "ul. Żeromskiego"},
    {"Sosnowiec", "41-200", "ul. Modrzejowska"},
    {"Gliwice", "44-100", "ul. Zwycięstwa"},
    {"Zabrze", "41-800", "ul. Wolności"},
    {"Bielsko-Biała", "43-300", "ul. 11 Listopada"},
    {"Bytom", "41-900", "ul. Dworcowa"},
    {"Rybnik", "44-200", "ul. Sobieskiego"},
    {"Tychy", "43-100", "al. Niepodległości"},
    {"Elbląg", "82-300", "ul. Hetmańska"},
    {"Płock", "09-400", "ul. Tumska"},
    {"Wałbrzych", "58-300", "Rynek"},
    {"Włocławek", "87-800", "ul. 3 Maja"},
    {"Tarnów", "33-100", "ul. Wałowa"},
    {"Chorzów", "41-500", "ul. Wolności"},
    {"Koszalin", "75-950", "ul. Zwycięstwa"},
    {"Kalisz", "62-800", "ul. Śródmiejska"},
    {"Legnica", "59-220", "ul. NMP"},
    {"Grudziądz", "86-300", "ul. Toruńska"},
    {"Słupsk", "76-200", "al. Sienkiewicza"},
    {"Jaworzno", "43-600", "ul. Grunwaldzka"},
    {"Jastrzębie-Zdrój", "44-330", "al. Piłsudskiego"},
    {"Nowy Sącz", "33-300", "ul. Jagiellońska"},
    {"Jelenia Góra", "58-500", "ul. Bankowa"},
    {"Siedlce", "08-110", "ul. Piłsudskiego"},
    {"Mysłowice", "41-400", "ul. Powstańców"},
    {"Konin", "62-500", "ul. 3 Maja"},
    {"Piła", "64-920", "al. Powstańców Wielkopolskich"},
    {"Piotrków Trybunalski", "97-300", "ul. Słowackiego"},
    {"Inowrocław", "88-100", "ul. Królowej Jadwigi"},
    {"Lubin", "59-300", "ul. Kopernika"},
    {"Ostrów Wielkopolski", "63-400", "ul. Raszkowska"},
    {"Suwałki", "16-400", "ul. Kościuszki"},
    {"Stargard", "73-110", "ul. Piłsudskiego"},
    {"Gniezno", "62-200", "ul. Chrobrego"},
    {"Przemyśl", "37-700", "ul. Mickiewicza"},
    {"Zamość", "22-400", "ul. Partyzantów"},
    {"Łomża", "18-400", "ul. Długa"},
    {"Ełk", "19-300", "ul. Wojska Polskiego"},
    {"Zakopane", "34-500", "ul. Krupówki"},
};

// The streets a branch stands in, besides its town's main street.
constexpr const char* kStreets[] = {
    "ul. Kościuszki",
    "ul. Mickiewicza",
    "ul. Sienkiewicza",
    "ul. Słowackiego",
    "ul. Piłsudskiego",
    "ul. Kolejowa",
    "ul. Ogrodowa",
    "ul. Lipowa",
    "ul. Polna",
    "ul. Szkolna",
    "ul. Kościelna",
    "ul. Wojska Polskiego",
    "ul. Armii Krajowej",
    "ul. Grunwaldzka",
    "al. Jana Pawła II",
    "pl. Wolności",
    "ul. Żeromskiego",
    "ul. Reymonta",
    "ul. Konopnickiej",
    "ul. Chopina",
    "ul. Traugutta",
    "ul. Kilińskiego",
    "ul. Moniuszki",
    "ul. Batorego",
    "ul. Dworcowa",
    "ul. Zielona",
    "ul. Leśna",
    "ul. Słoneczna",
    "Rynek",
    "ul. Nowy Świat",
};

constexpr int kLargeBranchesPerBank = 5000;
constexpr std::size_t kLargeBankCount =
    (std::size(kBanks) + std::size(kMoreBanks)) * static_cast<std::size_t>(kLargeBranchesPerBank);
static_assert(kLargeBankCount == 100000);

// A branch's three-character suffix to its bank's SWIFT code: letters and digits, never "X" first (that
// marks a head office).
std::string swift_branch(unsigned branch) {
  static constexpr char kSymbols[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVW";
  constexpr unsigned base = sizeof kSymbols - 1;
  std::string out(3, '0');
  for (int i = 2; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = kSymbols[branch % base];
    branch /= base;
  }
  return out;
}

// The large database: 100,000 banks. Each bank has its head office in Warsaw and branches spread over the
// cities and towns, in streets of their own, numbered per town ("mBank S.A. O/Kraków 17"). The branches
// come from a generator of their own, so that the data of the parts filled afterwards stays as it was.
void add_large_banks(Insert& banki) {
  std::mt19937 random(20261208);
  std::vector<const City*> places;
  for (const City& city : kCities) places.push_back(&city);
  for (const City& town : kTowns) places.push_back(&town);
  std::uniform_int_distribution<std::size_t> place(0, places.size() - 1);
  std::uniform_int_distribution<std::size_t> street(0, std::size(kStreets));  // the last: the town's own
  std::uniform_int_distribution<int> house(1, 180);
  std::uniform_int_distribution<int> premises(0, 40);
  std::uniform_int_distribution<int> postcode(0, 999);

  std::int64_t id = 1;
  std::vector<int> per_place(places.size());
  const auto add_bank = [&](const Bank& b) {
    std::fill(per_place.begin(), per_place.end(), 0);
    for (int n = 0; n < kLargeBranchesPerBank; ++n) {
      const std::size_t at = n == 0 ? 0 : place(random);
      const City& city = *places[at];
      // Branch numbers run in steps of two, so that 5,000 of them fit the four digits of a sort code.
      const unsigned branch = static_cast<unsigned>(2 * n);
      std::string name = b.name;
      std::string swift = b.swift;
      std::string address = city.street;
      std::string code = city.postcode;
      if (n == 0) {
        address += " 1";
      } else {
        name += std::string(" O/") + city.name + " " + std::to_string(++per_place[at]);
        swift += swift_branch(branch);
        const std::size_t s = street(random);
        address =
            (s < std::size(kStreets) ? kStreets[s] : city.street) + (" " + std::to_string(house(random)));
        if (const int local = premises(random); local > 30) address += "/" + std::to_string(local - 30);
        char digits[4];
        std::snprintf(digits, sizeof digits, "%03d", postcode(random));
        code = code.substr(0, 3) + digits;
      }
      banki.row(
          {I(id++), T(sort_code(b.number, branch)), T(name), T(swift), T(address), T(code), T(city.name)});
    }
  };
  for (const Bank& b : kBanks) add_bank(b);
  for (const Bank& b : kMoreBanks) add_bank(b);
}

void add_banks(Context& c) {
  Insert banki(c.db, "BANKI", "ID_BANKU, NUMER_BANKU, NAZWA, SWIFT, ULICA_LOKAL, KOD_POCZTOWY, MIEJSCOWOSC",
               c.status);
  if (c.large()) {
    add_large_banks(banki);
  } else {
    add_demo_banks(banki);
  }
}

void add_tax_offices(Context& c) {
  Insert urzedy(c.db, "URZEDY", "NAZWA, TYP_URZEDU, KOD_POCZTOWY, MIEJSCOWOSC, ULICA, TELEFON, EMAIL",
                c.status);
  for (const City& city : kCities) {
    urzedy.row({T(std::string("Urząd Skarbowy ") + city.name), T("US"), T(city.postcode), T(city.name),
                T(std::string(city.street) + " 10"), T("22 555 01 00"), N()});
  }
  urzedy.row({T("Drugi Urząd Skarbowy Kraków"), T("US"), T("31-152"), T("Kraków"), T("ul. Wrocławska 20"),
              T("12 629 11 00"), N()});
  urzedy.row({T("Zakład Ubezpieczeń Społecznych"), T("ZUS"), T("01-748"), T("Warszawa"),
              T("ul. Szamocka 3, 5"), T("22 560 16 00"), T("kontakt@zus.example.pl")});
}

}  // namespace

void add_money(Context& c) {
  add_vat(c);
  add_countries(c);
  add_rates(c);
  add_banks(c);
  add_tax_offices(c);
}

}  // namespace server::demo

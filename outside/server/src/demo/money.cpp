// Demo data: VAT rates, countries, currencies with NBP- and ECB-like rates, banks and tax offices.
#include <cmath>
#include <cstdio>
#include <string>

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

void add_banks(Context& c) {
  Insert banki(c.db, "BANKI", "ID_BANKU, NUMER_BANKU, NAZWA, SWIFT, ULICA_LOKAL, KOD_POCZTOWY, MIEJSCOWOSC",
               c.status);
  const int branches_per_bank = c.large() ? 400 : 3;
  std::int64_t id = 1;
  for (const Bank& b : kBanks) {
    for (int n = 0; n < branches_per_bank; ++n) {
      const City& city = kCities[static_cast<std::size_t>(n) % std::size(kCities)];
      const unsigned branch = n == 0 ? 0 : static_cast<unsigned>(10 + n * 7);
      std::string name = b.name;
      if (n > 0)
        name += std::string(" O/") + city.name +
                (n >= static_cast<int>(std::size(kCities)) ? " " + std::to_string(n) : "");
      banki.row({I(id++), T(sort_code(b.number, branch)), T(name), T(b.swift),
                 T(std::string(city.street) + " " + std::to_string(1 + n % 120)), T(city.postcode),
                 T(city.name)});
    }
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

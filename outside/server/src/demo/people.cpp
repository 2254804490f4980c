// Demo data: employees with valid PESEL and NIP, and contractors with valid NIP.
#include <string>

#include "insert.h"
#include "parts.h"

namespace server::demo {
namespace {

constexpr const char* kMaleFirst[] = {"Jan",    "Piotr",  "Krzysztof", "Andrzej",  "Tomasz",  "Paweł",
                                      "Michał", "Marcin", "Łukasz",    "Grzegorz", "Mateusz", "Wojciech"};
constexpr const char* kFemaleFirst[] = {"Anna", "Maria",    "Katarzyna", "Małgorzata", "Agnieszka", "Barbara",
                                        "Ewa",  "Krystyna", "Magdalena", "Joanna",     "Zofia",     "Żaneta"};
// Surnames in their male and female forms.
constexpr std::pair<const char*, const char*> kSurnames[] = {{"Nowak", "Nowak"},
                                                             {"Kowalski", "Kowalska"},
                                                             {"Wiśniewski", "Wiśniewska"},
                                                             {"Wójcik", "Wójcik"},
                                                             {"Kowalczyk", "Kowalczyk"},
                                                             {"Kamiński", "Kamińska"},
                                                             {"Lewandowski", "Lewandowska"},
                                                             {"Zieliński", "Zielińska"},
                                                             {"Szymański", "Szymańska"},
                                                             {"Woźniak", "Woźniak"},
                                                             {"Dąbrowski", "Dąbrowska"},
                                                             {"Kozłowski", "Kozłowska"},
                                                             {"Jankowski", "Jankowska"},
                                                             {"Mazur", "Mazur"},
                                                             {"Krawczyk", "Krawczyk"},
                                                             {"Piątek", "Piątek"},
                                                             {"Grabowski", "Grabowska"},
                                                             {"Pawłowski", "Pawłowska"}};
constexpr const char* kTowns[] = {"Kraków",    "Wieliczka", "Skawina",  "Niepołomice", "Myślenice", "Tarnów",
                                  "Nowy Sącz", "Bochnia",   "Oświęcim", "Zakopane",    "Katowice",  "Kielce"};
constexpr const char* kTrades[] = {"Hurtownia", "Sklep",   "Zakład",  "Przedsiębiorstwo Handlowe",
                                   "Pracownia", "Centrum", "Magazyn", "Spółdzielnia"};
constexpr const char* kGoods[] = {"Spożywczy",   "Budowlany", "Elektryczny",   "Ogrodniczy", "Meblowy",
                                  "Papierniczy", "Chemiczny", "Motoryzacyjny", "Odzieżowy",  "Żelazny"};

template <typename T, std::size_t N>
const T& any(Context& c, const T (&items)[N]) {
  return items[static_cast<std::size_t>(c.pick(0, static_cast<int>(N) - 1))];
}

}  // namespace

void add_people(Context& c) {
  Insert pracownik(c.db, "PRACOWNIK",
                   "ID_FIRMY, ID_UZYTKOWNIKA, NR_EWIDENCYJNY, NAZWISKO, IMIE_1, PESEL, NIP, DATA_URODZENIA, "
                   "MIEJSCE_URODZENIA, IMIE_OJCA, IMIE_MATKI, DOWOD",
                   c.status);
  Insert adres(
      c.db, "ADRESY_PRACOWNIKA",
      "ID_PRACOWNIKA, DATA_OD, TYP_ADRESU, SYM_KRAJU, ULICA, NR_DOMU, NR_LOKALU, KOD_POCZTOWY, MIEJSCOWOSC",
      c.status);
  const int employees = c.large() ? 20000 : 14;
  for (int n = 1; n <= employees; ++n) {
    const bool female = n % 2 == 0;
    const int year = c.pick(1960, 2004);
    const unsigned month = static_cast<unsigned>(c.pick(1, 12));
    const unsigned day = static_cast<unsigned>(c.pick(1, 28));
    const auto& surname = any(c, kSurnames);
    const std::int64_t user = n == 1 ? kAdministrator : (n == 2 ? kOrdinaryUser : 0);
    const int company = n % 7 == 0 ? 2 : 1;
    pracownik.row({I(company), user ? I(user) : N(), T("P" + std::to_string(1000 + n)),
                   T(female ? surname.second : surname.first),
                   T(female ? any(c, kFemaleFirst) : any(c, kMaleFirst)),
                   T(pesel(year, month, day, static_cast<unsigned>(n), female)),
                   T(nip(static_cast<std::uint32_t>(c.pick(100, 999)), static_cast<std::uint32_t>(n))),
                   I(day_number(year, month, day)), T(any(c, kTowns)), T(any(c, kMaleFirst)),
                   T(any(c, kFemaleFirst)), T("ABC" + std::to_string(100000 + n))});
    adres.row({I(pracownik.last_id()), I(day_number(2020, 1, 1)), T("M"), T("PL"), T("ul. Lipowa"),
               T(std::to_string(1 + n % 90)), T(n % 3 ? std::to_string(n % 40) : ""),
               T("30-" + std::to_string(100 + n % 800)), T(any(c, kTowns))});
  }

  Insert kontrahent(
      c.db, "KONTRAHENT",
      "ID_FIRMY, NUMER, NAZWA, NAZWA_PELNA, NIP, KOD_POCZTOWY, MIEJSCOWOSC, ULICA_LOKAL, LIMIT_KUPIECKI, "
      "ODBIORCA, DOSTAWCA",
      c.status);
  const int contractors = c.large() ? 50000 : 30;
  for (int n = 1; n <= contractors; ++n) {
    const std::string town = any(c, kTowns);
    const std::string name = std::string(any(c, kTrades)) + " " + any(c, kGoods) + " " +
                             any(c, kSurnames).first + (c.large() ? " " + std::to_string(n) : "");
    kontrahent.row(
        {I(n % 5 == 0 ? 2 : 1), I(n), T(name.substr(0, 50)), T(name + " " + town),
         T(nip(static_cast<std::uint32_t>(c.pick(100, 999)), static_cast<std::uint32_t>(5000 + n))),
         T("3" + std::to_string(c.pick(0, 4)) + "-" + std::to_string(c.pick(100, 999))), T(town),
         T("ul. Handlowa " + std::to_string(n % 200 + 1)), D(std::to_string(c.pick(0, 20) * 5000)),
         I(n % 3 != 0), I(n % 2 == 0)});
  }
}

}  // namespace server::demo

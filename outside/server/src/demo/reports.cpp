// Demo data: reports with their parameters, saved variants and the users' values in them.
#include <string>
#include <vector>

#include "insert.h"
#include "parts.h"

namespace server::demo {
namespace {

struct Report {
  const char* name;
  const char* file;
  std::vector<const char*> parameters;
};

// A variant's values for one user, one per parameter of its report in order (dates as day numbers:
// November 2026, September to November 2026); nullptr: none stored.
struct Values {
  std::int64_t user;
  std::vector<const char*> values;
};

struct Variant {
  int report;  // index into the reports, from 1
  const char* name;
  std::vector<Values> values;
};

}  // namespace

void add_reports(Context& c) {
  const std::vector<Report> reports = {
      {"Zestawienie sprzedaży", "sprzedaz.rpt", {"Data od", "Data do", "Magazyn", "IBAN"}},
      {"Rozrachunki z kontrahentami",
       "rozrachunki.rpt",
       {"Kontrahent", "Termin", "Tylko przeterminowane", "IBAN"}},
      {"Stan magazynu", "stan.rpt", {"Magazyn", "Na dzień", "Grupa"}},
  };
  const std::vector<Variant> variants = {
      {1,
       "Domyślny",
       {{kAdministrator, {"82488", "82517", "1", nullptr}},
        {kOrdinaryUser, {"82488", "82517", "2", nullptr}}}},
      {1, "Miesięczny", {{kAdministrator, {"82488", "82517", nullptr, nullptr}}}},
      {1, "Kwartalny", {{kAdministrator, {"82427", "82517", "1", nullptr}}}},
      {2, "Domyślny", {{kAdministrator, {"", "30", "Tak", nullptr}}}},
      {2, "Przeterminowane", {{kOrdinaryUser, {"", "0", "Tak", nullptr}}}},
      {3, "Pełny", {}},
  };

  Insert raport(c.db, "RAPORT", "NAZWA, PLIK", c.status);
  Insert parametr(c.db, "PARAMETR_RAPORTU", "ID_RAPORTU, NAZWA", c.status);
  std::vector<std::int64_t> report_ids;
  std::vector<std::vector<std::int64_t>> parameter_ids;
  for (const Report& r : reports) {
    raport.row({T(r.name), T(r.file)});
    report_ids.push_back(raport.last_id());
    parameter_ids.emplace_back();
    for (const char* p : r.parameters) {
      parametr.row({I(report_ids.back()), T(p)});
      parameter_ids.back().push_back(parametr.last_id());
    }
  }

  Insert wariant(c.db, "WARIANT", "ID_RAPORTU, NAZWA", c.status);
  Insert wartosc(c.db, "WARTOSC_PARAMETRU", "ID_PARAMETRU, ID_WARIANTU, ID_UZYTKOWNIKA, WARTOSC", c.status);
  for (const Variant& v : variants) {
    const auto index = static_cast<std::size_t>(v.report - 1);
    wariant.row({I(report_ids[index]), T(v.name)});
    const std::int64_t variant_id = wariant.last_id();
    for (const Values& user : v.values) {
      for (std::size_t i = 0; i < user.values.size() && i < parameter_ids[index].size(); ++i) {
        if (user.values[i])
          wartosc.row({I(parameter_ids[index][i]), I(variant_id), I(user.user), T(user.values[i])});
      }
    }
  }
}

}  // namespace server::demo

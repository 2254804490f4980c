// The record count of a browse statement: the statement's FROM part without its order and without the
// browse's position conditions, counted by the database.
#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <vector>

#include "keldox/column_settings.h"
#include "keldox/sql.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

struct MarkedColumns {
  std::vector<std::string_view> columns;
  std::vector<std::string_view> comparisons;
};

// The position conditions a browse adds to its statement ("AND  (  A." + column + comparison). KONTRAHENT
// is listed twice in the catalogue of markers the browses use; the repeat changes nothing.
const std::vector<std::string>& cut_markers() {
  static const std::vector<std::string> markers = [] {
    const std::array<MarkedColumns, 5> groups{{
        {{"ID_FIRMY",
          "ID_MAGAZYNU",
          "ID_DOK_MAGAZYNOWEGO",
          "ID_DOK_HANDLOWEGO",
          "ID_ZAMOWIENIA",
          "ID_SADU",
          "ID_POZYCJI_DOK_MAG",
          "ID_POZYCJI_ZAMOWIENIA",
          "ID_BUFORA",
          "WARTOSC_NETTO",
          "PLATNIK",
          "TERMIN_PLATNOSCI",
          "DATA_DOK",
          "NR_DOK",
          "ID_PROGRAMU",
          "ILOSC_PKT",
          "UZYTKOWNIK",
          "NAZWA",
          "SYMBOL",
          "KWOTA",
          "ID_INTRASTATU",
          "ID_KONTRAHENTA",
          "ID_GRUPY",
          "DATA_OTRZYMANIA",
          "KOD_KRESKOWY",
          "NAZWA_URZADZENIA",
          "NR_SERYJNY",
          "NR_FABRYCZNY",
          "KONTRAHENT",
          "KONTRAHENT"},
         {" <", " >"}},
        {{"NUMER", "DATA", "DATA_WYSTAWIENIA"}, {" <", " >", "  >="}},
        {{"ID_ROZRACHUNKU"}, {" <"}},
        {{"KONTOFK", "NR_WYCIAGU", "NAZWA_OPERATORA", "DATA_WYSYLKI", "WYROZNIK"}, {" <=", " >="}},
        {{"ID_POZYCJI_SCHOWKA", "ID_SERWIS_ZLECENIE", "ID_POZYCJI_KOSZTORYSU", "\"ID_UZYTKOWNIKA\""},
         {" <", " >", " <=", " >="}},
    }};
    std::vector<std::string> list{"ORDER BY"};
    for (const MarkedColumns& g : groups) {
      for (std::string_view column : g.columns) {
        for (std::string_view comparison : g.comparisons) {
          list.push_back("AND  (  A." + std::string(column) + std::string(comparison));
        }
      }
    }
    return list;
  }();
  return markers;
}

std::int64_t count_of(std::string_view text) {
  return runtime::leading_integer(text).value_or(0);
}

}  // namespace

std::string browse_count_statement(std::string_view statement) {
  const std::string text = runtime::to_upper(runtime::cut_to_width(statement, 20000));
  const std::size_t from = text.find("FROM");
  if (from == std::string::npos) return {};
  std::string count = "select count(*) " + text.substr(from);
  std::size_t cut = count.size();
  for (const std::string& marker : cut_markers()) cut = std::min(cut, count.find(marker));
  count.resize(cut);
  return count;
}

std::int32_t browse_step(std::int64_t count) {
  if (count < 0) return 10000;
  if (count <= 1000) return 10;
  if (count <= 10000) return 100;
  if (count <= 100000) return 1000;
  return 10000;
}

std::int32_t POLICZREKORDYBROWSERA(std::string_view statement, std::int32_t* step) {
  const std::string count_statement = browse_count_statement(statement);
  if (count_statement.empty()) {
    if (step) *step = browse_step(0);
    return 0;
  }
  const std::int64_t count = count_of(FUNCSQL(count_statement));
  CLOSESQL();
  if (step) *step = browse_step(count);
  constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(std::clamp(count, low, high));
}

}  // namespace keldox

// The banks' published rate tables read with pugixml, and the text the module hands to the import
// procedures (its layout is documented in zorva_util/entry_points.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorva_util {

// One currency of a table, the rates as decimal texts with a point ("" when the table has none).
struct QuotedRate {
  std::string code;
  std::string mid;
  std::string bid;
  std::string ask;
};

struct RateTable {
  std::string bank;                  // "NBP" or "ECB"
  std::string day;                   // yyyy-mm-dd, the day the rates apply to
  std::vector<std::string> numbers;  // the tables' own numbers ("237/A/NBP/2026"), may be empty
  std::vector<QuotedRate> rates;
};

// A table of the NBP Web API in its XML form (tables A and C; `letter` is the one expected). None when
// the text is not such a table or holds no usable rate. A rate that is not a positive number and a code
// that the layout cannot carry (";" or a line break in it) are left out.
std::optional<RateTable> parse_nbp_table(std::string_view xml, char letter);

// Table C's buying and selling rates added to table A's middle rates (a currency of C alone joins).
void merge_nbp_tables(RateTable& a, const RateTable& c);

// The ECB's euro reference rates (daily, 90-day or full history file): the cube of `day`, or the
// newest one when `day` is empty.
struct EcbLookup {
  enum class Outcome { not_a_table, no_such_day, found } outcome = Outcome::not_a_table;
  std::string oldest_day;  // the file's oldest cube, when it holds any
  RateTable table;
};
EcbLookup find_ecb_cube(std::string_view xml, std::string_view day);

// The import text of a table (UTF-8; only ASCII unless a code carries other letters).
std::string import_text(const RateTable& table);

// True for a real calendar day written yyyy-mm-dd.
bool valid_iso_day(std::string_view day);

}  // namespace zorva_util

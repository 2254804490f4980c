// Feeds arbitrary texts to the readers of the banks' rate tables and traps on any result that breaks the
// import text's layout: a head line of four fields, one line of four fields per rate, positive decimal
// rates with a point, real calendar days.
#include <cstdint>
#include <string>
#include <vector>

#include "../src/rate_tables.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> out(1);
  for (const char c : text) {
    if (c == separator) {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

bool positive_decimal(const std::string& rate) {
  if (rate.empty() || rate.front() == '.' || rate.back() == '.') return false;
  bool nonzero = false;
  int points = 0;
  for (const char c : rate) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      nonzero = nonzero || c != '0';
    } else {
      return false;
    }
  }
  return points <= 1 && nonzero;
}

void check(const zorva_util::RateTable& table) {
  require(zorva_util::valid_iso_day(table.day));
  const std::string text = zorva_util::import_text(table);
  std::vector<std::string> lines = split(text, '\n');
  require(!lines.empty() && lines.back().empty());  // every line ends in a line break
  lines.pop_back();
  require(lines.size() == table.rates.size() + 1);
  require(split(lines[0], ';').size() == 4);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> fields = split(lines[i], ';');
    require(fields.size() == 4 && !fields[0].empty());
    for (std::size_t f = 1; f < 4; ++f) require(fields[f].empty() || positive_decimal(fields[f]));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The whole input is the table, so that the recorded tables seed the corpus as they are.
  const std::string xml(reinterpret_cast<const char*>(data), size);
  const auto a = zorva_util::parse_nbp_table(xml, 'A');
  if (a) check(*a);
  const auto c = zorva_util::parse_nbp_table(xml, 'C');
  if (c) check(*c);
  if (a && c) {
    zorva_util::RateTable merged = *a;
    zorva_util::merge_nbp_tables(merged, *c);
    check(merged);
  }
  for (const std::string& asked : {std::string(), std::string("2026-12-04"), std::string("2026-12-07")}) {
    const zorva_util::EcbLookup found = zorva_util::find_ecb_cube(xml, asked);
    if (found.outcome == zorva_util::EcbLookup::Outcome::found) {
      require(asked.empty() || found.table.day == asked);
      check(found.table);
    }
    require(found.oldest_day.empty() || zorva_util::valid_iso_day(found.oldest_day));
  }
  return 0;
}

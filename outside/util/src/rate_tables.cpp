// Reading the NBP and ECB XML with pugixml into one shape, and writing the import text from it.
#include "rate_tables.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <chrono>

#include "runtime/text.h"

namespace zorva_util {
namespace {

std::string trimmed(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return std::string(text.substr(b, e - b));
}

// The rate with a decimal point, or "" when the text is not a positive decimal number.
std::string rate_text(std::string_view published) {
  std::string text = trimmed(published);
  std::replace(text.begin(), text.end(), ',', '.');
  int digits = 0;
  int points = 0;
  bool nonzero = false;
  for (const char c : text) {
    if (c == '.') {
      ++points;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      ++digits;
      nonzero = nonzero || c != '0';
    } else {
      return {};
    }
  }
  return digits > 0 && points <= 1 && nonzero && text.front() != '.' && text.back() != '.' ? text
                                                                                           : std::string();
}

std::string code_text(std::string_view published) {
  std::string code = runtime::to_upper(trimmed(published));
  if (code.empty() || code.find_first_of(";\r\n") != std::string::npos) return {};
  return code;
}

bool parse(pugi::xml_document& doc, std::string_view xml) {
  return doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
}

}  // namespace

bool valid_iso_day(std::string_view day) {
  if (day.size() != 10 || day[4] != '-' || day[7] != '-') return false;
  for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (!std::isdigit(static_cast<unsigned char>(day[i]))) return false;
  const auto number = [&](std::size_t at, std::size_t n) {
    return std::stoi(std::string(day.substr(at, n)));
  };
  const std::chrono::year_month_day ymd{std::chrono::year(number(0, 4)),
                                        std::chrono::month(static_cast<unsigned>(number(5, 2))),
                                        std::chrono::day(static_cast<unsigned>(number(8, 2)))};
  return ymd.ok();
}

std::optional<RateTable> parse_nbp_table(std::string_view xml, char letter) {
  pugi::xml_document doc;
  if (!parse(doc, xml)) return std::nullopt;
  const pugi::xml_node table = doc.child("ArrayOfExchangeRatesTable").child("ExchangeRatesTable");
  if (!table || trimmed(table.child_value("Table")) != std::string(1, letter)) return std::nullopt;
  RateTable out;
  out.bank = "NBP";
  out.day = trimmed(table.child_value("EffectiveDate"));
  if (!valid_iso_day(out.day)) return std::nullopt;
  // The head line joins the numbers with "," and its fields with ";": a number holding either, or a line
  // break, would shift the fields the import reads, so it is left out.
  if (const std::string number = trimmed(table.child_value("No"));
      !number.empty() && number.find_first_of(";,\r\n") == std::string::npos)
    out.numbers.push_back(number);
  for (const pugi::xml_node rate : table.child("Rates").children("Rate")) {
    QuotedRate r;
    r.code = code_text(rate.child_value("Code"));
    if (letter == 'C') {
      r.bid = rate_text(rate.child_value("Bid"));
      r.ask = rate_text(rate.child_value("Ask"));
      if (r.bid.empty() || r.ask.empty()) continue;
    } else {
      r.mid = rate_text(rate.child_value("Mid"));
      if (r.mid.empty()) continue;
    }
    if (!r.code.empty()) out.rates.push_back(std::move(r));
  }
  if (out.rates.empty()) return std::nullopt;
  return out;
}

void merge_nbp_tables(RateTable& a, const RateTable& c) {
  for (const QuotedRate& quoted : c.rates) {
    const auto same = std::find_if(a.rates.begin(), a.rates.end(),
                                   [&](const QuotedRate& r) { return r.code == quoted.code; });
    if (same == a.rates.end()) {
      a.rates.push_back(quoted);
    } else {
      same->bid = quoted.bid;
      same->ask = quoted.ask;
    }
  }
  a.numbers.insert(a.numbers.end(), c.numbers.begin(), c.numbers.end());
}

EcbLookup find_ecb_cube(std::string_view xml, std::string_view day) {
  EcbLookup out;
  pugi::xml_document doc;
  if (!parse(doc, xml)) return out;
  const pugi::xml_node outer = doc.document_element().child("Cube");
  if (!outer) return out;
  bool any = false;
  for (const pugi::xml_node cube : outer.children("Cube")) {
    const std::string time = trimmed(cube.attribute("time").value());
    if (!valid_iso_day(time)) continue;
    any = true;
    if (out.oldest_day.empty() || time < out.oldest_day) out.oldest_day = time;
    if (out.outcome == EcbLookup::Outcome::found || (!day.empty() && time != day)) continue;
    RateTable table;
    table.bank = "ECB";
    table.day = time;
    for (const pugi::xml_node rate : cube.children("Cube")) {
      QuotedRate r;
      r.code = code_text(rate.attribute("currency").value());
      r.mid = rate_text(rate.attribute("rate").value());
      if (!r.code.empty() && !r.mid.empty()) table.rates.push_back(std::move(r));
    }
    if (table.rates.empty()) return EcbLookup{};
    out.table = std::move(table);
    out.outcome = EcbLookup::Outcome::found;
  }
  if (any && out.outcome != EcbLookup::Outcome::found) out.outcome = EcbLookup::Outcome::no_such_day;
  return out;
}

std::string import_text(const RateTable& table) {
  std::string numbers;
  for (const std::string& n : table.numbers) numbers += (numbers.empty() ? "" : ",") + n;
  std::string out = "KURSY;" + table.bank + ";" + table.day + ";" + numbers + "\n";
  for (const QuotedRate& r : table.rates) out += r.code + ";" + r.mid + ";" + r.bid + ";" + r.ask + "\n";
  return out;
}

}  // namespace zorva_util

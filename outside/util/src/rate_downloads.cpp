// Rate downloads: NBP tables A and C of one day, the ECB's cube of one day, each answer bounded.
#include "rate_downloads.h"

#include <cctype>
#include <optional>

#include "environment.h"
#include "rate_tables.h"

namespace zorva_util {
namespace {

constexpr std::size_t kMaxAnswer = 50000;
const std::string kFailed = "01";
const std::string kNoTable = "02";

std::string bounded(const RateTable& table) {
  std::string text = import_text(table);
  return text.size() <= kMaxAnswer ? text : kFailed;  // a cut table would lose rates unseen
}

enum class Fetch { ok, not_found, failed };

Fetch fetch(const RateSources& sources, const std::string& url, std::string& body) {
  HttpAnswer answer = http_get(url, sources.limits);
  if (!answer.transferred) return Fetch::failed;
  if (answer.status == 404) return Fetch::not_found;
  if (answer.status != 200) return Fetch::failed;
  body = std::move(answer.body);
  return Fetch::ok;
}

std::string nbp_table_url(const RateSources& sources, char letter, std::string_view day) {
  std::string url = sources.nbp_base + "/api/exchangerates/tables/" + letter + "/";
  if (!day.empty()) url += std::string(day) + "/";
  return url + "?format=xml";
}

// Table A as found, with table C of its day when the bank has published one.
std::string nbp_with_table_c(const RateSources& sources, RateTable a) {
  std::string body;
  switch (fetch(sources, nbp_table_url(sources, 'C', a.day), body)) {
    case Fetch::not_found:
      return bounded(a);
    case Fetch::failed:
      return kFailed;
    case Fetch::ok:
      break;
  }
  const std::optional<RateTable> c = parse_nbp_table(body, 'C');
  if (!c || c->day != a.day) return kFailed;
  merge_nbp_tables(a, *c);
  return bounded(a);
}

}  // namespace

RateSources rate_sources_from_environment() {
  RateSources s;
  s.nbp_base = environment_base_url("MIRLET_NBP_URL", "https://api.nbp.pl");
  s.ecb_base = environment_base_url("MIRLET_ECB_URL", "https://www.ecb.europa.eu");
  s.limits.connect_timeout_ms = environment_milliseconds("MIRLET_RATES_CONNECT_TIMEOUT_MS", 5000);
  s.limits.total_timeout_ms = environment_milliseconds("MIRLET_RATES_TIMEOUT_MS", 15000);
  return s;
}

std::string nbp_latest(const RateSources& sources) {
  std::string body;
  if (fetch(sources, nbp_table_url(sources, 'A', {}), body) != Fetch::ok) return kFailed;
  std::optional<RateTable> a = parse_nbp_table(body, 'A');
  return a ? nbp_with_table_c(sources, std::move(*a)) : kFailed;
}

std::string nbp_on_day(const RateSources& sources, std::string_view yymmdd) {
  if (yymmdd.size() != 6) return kFailed;
  for (const char c : yymmdd)
    if (!std::isdigit(static_cast<unsigned char>(c))) return kFailed;
  const std::string day = "20" + std::string(yymmdd.substr(0, 2)) + "-" + std::string(yymmdd.substr(2, 2)) +
                          "-" + std::string(yymmdd.substr(4, 2));
  if (!valid_iso_day(day)) return kFailed;
  std::string body;
  switch (fetch(sources, nbp_table_url(sources, 'A', day), body)) {
    case Fetch::not_found:
      return kNoTable;
    case Fetch::failed:
      return kFailed;
    case Fetch::ok:
      break;
  }
  std::optional<RateTable> a = parse_nbp_table(body, 'A');
  return a && a->day == day ? nbp_with_table_c(sources, std::move(*a)) : kFailed;
}

std::string ecb_latest(const RateSources& sources) {
  std::string body;
  if (fetch(sources, sources.ecb_base + "/stats/eurofxref/eurofxref-daily.xml", body) != Fetch::ok)
    return kFailed;
  const EcbLookup found = find_ecb_cube(body, {});
  return found.outcome == EcbLookup::Outcome::found ? bounded(found.table) : kFailed;
}

std::string ecb_on_day(const RateSources& sources, std::string_view iso_day) {
  if (!valid_iso_day(iso_day)) return kFailed;
  // The 90-day file is small; the whole history only when the day is older than it reaches.
  for (const char* file :
       {"/stats/eurofxref/eurofxref-hist-90d.xml", "/stats/eurofxref/eurofxref-hist.xml"}) {
    std::string body;
    if (fetch(sources, sources.ecb_base + file, body) != Fetch::ok) return kFailed;
    const EcbLookup found = find_ecb_cube(body, iso_day);
    switch (found.outcome) {
      case EcbLookup::Outcome::not_a_table:
        return kFailed;
      case EcbLookup::Outcome::found:
        return bounded(found.table);
      case EcbLookup::Outcome::no_such_day:
        if (std::string(iso_day) >= found.oldest_day) return kNoTable;
        break;
    }
  }
  return kNoTable;
}

}  // namespace zorva_util

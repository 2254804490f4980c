// The four rate entry points' work: which addresses are asked, and what each answer becomes.
#pragma once

#include <string>
#include <string_view>

#include "http_client.h"

namespace zorva_util {

// Where the banks are asked and how long to wait, from the environment at each call:
// MIRLET_NBP_URL (default https://api.nbp.pl), MIRLET_ECB_URL (default https://www.ecb.europa.eu),
// MIRLET_RATES_CONNECT_TIMEOUT_MS (default 5000) and MIRLET_RATES_TIMEOUT_MS (default 15000, the whole
// transfer of one file).
struct RateSources {
  std::string nbp_base;
  std::string ecb_base;
  HttpLimits limits;
};
RateSources rate_sources_from_environment();

// Each answers the import text (UTF-8), "01" on any failure or "02" when the bank has no table of the
// day. `yymmdd` is "160305" for 5 March 2016; `iso_day` is "2016-03-05".
std::string nbp_latest(const RateSources& sources);
std::string nbp_on_day(const RateSources& sources, std::string_view yymmdd);
std::string ecb_latest(const RateSources& sources);
std::string ecb_on_day(const RateSources& sources, std::string_view iso_day);

}  // namespace zorva_util

// Currency converters, purchase prices in a foreign currency, a rate stored by hand and the downloads of
// the national bank's (NBP) and the European Central Bank's (ECB) rate tables into the database. Rates are
// computed in decimals and rounded to 0.000001, prices to 0.01; doubles only at this interface.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace keldox {

// Rate sources of the rate procedures.
inline constexpr std::int32_t kRateSourceNbp = 0;
inline constexpr std::int32_t kRateSourceEcb = -1;

// The configured source: "PropKursBanku" "ECB" gives -1, anything else 0 (NBP).
std::int32_t configured_rate_source();

// The converter from currency 1 to currency 2 on the day (today when absent or 0). With a divisor, the
// rate of currency 1 alone divided by it; a divisor of 0 counts as none. A source reference holding 1, or
// none, takes the configured source (written back into the reference). A missing rate warns and gives 1.
double WAL_POBIERZPRZELICZNIK(std::string_view currency1, std::string_view currency2,
                              std::optional<double> day = std::nullopt,
                              std::optional<double> divisor = std::nullopt, std::int32_t* source = nullptr);

// The purchase price between currency A and the home currency (see the direction rules), 0.01.
double WAL_WYLICZCENEZAKUPU(std::string_view currency_a, double p, double q, std::string_view currency_b,
                            double rate, std::uint8_t direction);

// Asks, checks "BankiKursWal" and stores the rate of the day (today when absent) and source (the
// configured one when absent). 1 when stored.
std::uint8_t AKTUALIZACJAKURSUWAL(std::string_view currency, double rate,
                                  std::optional<double> day = std::nullopt,
                                  std::optional<std::int32_t> source = std::nullopt);

// Downloads the bank's table of `day` (the latest when 0) through the utility module and imports it.
// 1 when imported: `day` then holds the table's day, and `message_shown` is 1 when the import had
// something to say (a table already there, currencies skipped), which it showed as a warning.
std::uint8_t POBIERZKURSYNBP(double& day, std::uint8_t& message_shown);
std::uint8_t POBIERZKURSYECB(double& day, std::uint8_t& message_shown);

// The reachability check behind GLO.POLACZENIE_INTERNETOWE: a TCP connection to the host of
// MIRLET_CONNECTIVITY_URL (else MIRLET_NBP_URL, else https://api.nbp.pl) within
// MIRLET_CONNECTIVITY_TIMEOUT_MS milliseconds (1500 when unset), name lookup included. Sets the flag
// to 1 or 0 and returns it.
std::uint8_t SPRAWDZPOLACZENIEINTERNETOWE();

}  // namespace keldox

// The demo database: the schema filled with realistic Polish data for people, tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/status.h"

struct sqlite3;

namespace server {

enum class DemoSize {
  Demo,   // a few dozen rows per dictionary, four months of rates
  Large,  // tens of thousands of contractors and employees, 100,000 banks, three years of rates
};

// The last day that has exchange rates in the demo data (day number of the application calendar).
std::int64_t demo_last_rate_day();

// Creates the file (which must not exist yet) with the schema and the data.
db::Status make_demo_database(const std::string& path, DemoSize size);

// Fills a database that has the schema but no data.
db::Status fill_demo_data(sqlite3* db, DemoSize size);

// Day number of a calendar date (28.12.1800 is day 0).
std::int64_t day_number(int year, unsigned month, unsigned day);

// Identifiers with valid check digits, for the generated people and firms.
std::string pesel(int year, unsigned month, unsigned day, unsigned serial, bool female);
std::string nip(std::uint32_t tax_office, std::uint32_t serial);
std::string regon9(std::uint32_t serial);
// An 8-digit bank sort code: 3-digit bank, 4-digit branch, check digit.
std::string sort_code(unsigned bank, unsigned branch);

}  // namespace server

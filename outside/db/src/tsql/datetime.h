// Datetime values of the embedded engine: 'YYYY-MM-DD HH:MM:SS[.fff]' texts and the server's day counts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace db::tsql {

// A point in time as the server's datetime: days since 1 January 1900 and milliseconds into the day.
struct DateTime {
  std::int64_t days = 0;
  std::int64_t millis = 0;
};

// The server converts a number to a datetime as days (and fractions of a day) since 1 January 1900.
std::optional<DateTime> datetime_from_days(double days);

// Reads a datetime text. `style` is the CONVERT style the text is written in (0 accepts the ISO forms
// 'YYYY-MM-DD[ HH:MM[:SS[.fff]]]', 'YYYY-MM-DDTHH:MM:SS' and 'YYYYMMDD'; 103, 104, 105 read day first).
std::optional<DateTime> parse_datetime(std::string_view text, int style);

// Writes a datetime in a CONVERT style: 0/120 'YYYY-MM-DD HH:MM:SS' (milliseconds added only by 0 when
// not zero), 121 with milliseconds, 126 ISO with 'T', 23 date only, 112, 102, 103, 104, 105, 101, 110,
// 108. Returns nullopt for a style it does not know.
std::optional<std::string> format_datetime(const DateTime& dt, int style);

// Civil date of a day count since 1900 and back.
void civil_from_days(std::int64_t days, int& year, int& month, int& day);
std::int64_t days_from_civil(int year, int month, int day);

// True when the year lies in the server's datetime range (1753..9999).
bool in_range(const DateTime& dt);

// Parts and arithmetic with the server's date part names (year/yy/yyyy, month/mm/m, day/dd/d, ...).
// Week days count from Monday = 1, as the system sets DATEFIRST 1.
std::optional<std::int64_t> date_part(std::string_view part, const DateTime& dt);
std::optional<std::int64_t> date_diff(std::string_view part, const DateTime& a, const DateTime& b);
std::optional<DateTime> date_add(std::string_view part, std::int64_t amount, const DateTime& dt);

// The local time now.
DateTime now_local();

}  // namespace db::tsql

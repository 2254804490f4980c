// Periods by which lists and reports are filtered: the named ranges and their dates, the period dialog
// with the session-wide default period it maintains, the pop-up calendar and the last working day.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/date.h"

namespace keldox {

// The named ranges in the order of the dialog's drop list; a range is remembered by its position 1-23
// (kRangeNames[position - 1]).
inline constexpr std::array<std::string_view, 23> kRangeNames = {
    "pełny zakres", "dowolny zakres", "bieżący dzień", "ostatni tydzień", "bieżący miesiąc",
    "bieżący rok",  "styczeń",        "luty",          "marzec",          "kwiecień",
    "maj",          "czerwiec",       "lipiec",        "sierpień",        "wrzesień",
    "październik",  "listopad",       "grudzień",      "1 kwartał",       "2 kwartał",
    "3 kwartał",    "4 kwartał",      "starsze niż"};

namespace range {
inline constexpr int kFull = 1;
inline constexpr int kAny = 2;
inline constexpr int kToday = 3;
inline constexpr int kLastWeek = 4;
inline constexpr int kCurrentMonth = 5;
inline constexpr int kCurrentYear = 6;
inline constexpr int kJanuary = 7;        // the months run to 18, December
inline constexpr int kFirstQuarter = 19;  // the quarters run to 22
inline constexpr int kOlderThan = 23;
}  // namespace range

// "starsze niż" counts this many days back until the user says otherwise.
inline constexpr std::int32_t kDefaultOlderThanDays = 60;

// Posted to the thread of every open module window that lists by period once the session period changes
// and the user asked for lists to follow it ("OdswiezKartot" = "Tak"): the window reloads its list.
inline constexpr int kEventPeriodChanged = 1025;

// The module windows (by their name in the window register) that list by the session period.
inline constexpr std::array<std::string_view, 10> kPeriodListWindows = {
    "DOKMAG", "SAD", "ZAM", "PROD", "DOKHANDL", "DOKFIN", "ROZR", "RAPOBRSTANMAG", "RAPANALSPRZED", "CRM"};

// Day numbers of a period; 0 leaves that side without bound.
struct Period {
  runtime::DayNumber from = 0;
  runtime::DayNumber to = 0;
  friend bool operator==(const Period&, const Period&) = default;
};

// The position 1-23 of a range name (trailing blanks aside, letters as written), 0 for any other text.
int range_position(std::string_view name);
// The name at a position; empty outside 1-23.
std::string_view range_name_at(int position);

// The dates that choosing the range at `position` gives on `today`. `year` is the dialog's year field
// (0 when empty: months and quarters fall in today's year); `older_than_days` is N of "starsze niż";
// `current` is what the dialog shows, kept by "dowolny zakres" (today to today when both are 0). A position
// outside 1-23 keeps `current`.
Period range_period(int position, runtime::DayNumber today, int year, std::int32_t older_than_days,
                    Period current);

// The same days and months in `year`; a bound of 0 stays 0 and 29 February becomes the 28th in a common
// year. A year outside the calendar of day numbers keeps the period as it is.
Period period_in_year(Period period, int year);

// How a period is described to the user: "luty (01.02.2016 - 29.02.2016)" with the short date (an open
// bound shows nothing), just "pełny zakres" for the full range; at most 100 characters.
std::string period_description(std::string_view name, Period period);

// The working day before `date`: steps back from the day before until Monday to Friday. Holidays are not
// considered.
std::int32_t PODAJOSTATNIDZIENROBOCZY(std::int32_t date);

// A month calendar that opens on `date` (today when 0): the chosen day, or `date` when nothing was chosen.
// The host places the calendar; `x` and `y` are where the caller would have it.
std::int32_t KALENDARZ(std::int32_t x, std::int32_t y, std::int32_t date);

// The period dialog. With a range name given (not blank) it opens on the name and the two dates and, when
// the user confirms, gives the chosen period back through the three references. With a blank name it
// opens on the session period and, when confirmed, fills the working copy (GLO.ZAKRES_LOC ...); with
// `make_default` = 1 the choice also becomes the session period, is saved as the user's parameters
// "ZakrWys", "Data_Od" and "Data_Do", is shown in the main window's status line, and the open lists that
// follow the period are told to refresh. The references stay as they were in that case and on cancel.
// 1 when the user confirmed a period, 0 when the dialog was cancelled.
std::uint8_t PYTAJOZAKRESDAT(std::uint8_t make_default, std::int32_t& from, std::int32_t& to,
                             std::string& range_name);

}  // namespace keldox

// Loading the company's numbering definitions and choosing the one that applies to a document.
#include "keldox/numbering_formats.h"

#include <limits>
#include <mutex>
#include <shared_mutex>
#include <string_view>
#include <vector>

#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "db/value.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using Entry = dane::FormatNumeracjiEntry;
using Key = Entry::ByKindTypeResource;

// Kinds up to this one number documents; those above number document distinguishers.
constexpr std::uint8_t kLastDocumentKind = 20;

std::int64_t number_in(std::size_t n) {
  return db::Value::text(column(n)).as_int();
}

template <typename Int>
bool fits(std::int64_t value) {
  return value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max();
}

// The row on the channel as an entry; false when a number does not fit its field, since a wrapped
// kind or type would answer for another document.
bool read_entry(Entry& entry) {
  const std::int64_t kind = number_in(1), type = number_in(2), resource = number_in(3), period = number_in(5),
                     first = number_in(6), second = number_in(7);
  if (!fits<std::uint8_t>(kind) || !fits<std::int32_t>(type) || !fits<std::int32_t>(resource) ||
      !fits<std::uint8_t>(period) || !fits<std::uint8_t>(first) || !fits<std::uint8_t>(second))
    return false;
  entry.DOKUMENT = static_cast<std::uint8_t>(kind);
  entry.ID_TYPU = static_cast<std::int32_t>(type);
  entry.ID_ZASOBU = static_cast<std::int32_t>(resource);
  entry.FORMAT = column(4);
  entry.OKRESNUMERACJI = static_cast<std::uint8_t>(period);
  entry.PARAMETR1 = static_cast<std::uint8_t>(first);
  entry.PARAMETR2 = static_cast<std::uint8_t>(second);
  return true;
}

void warn_missing(std::uint8_t kind, std::string_view subject) {
  const std::string s(subject);
  if (kind > kLastDocumentKind) {
    MSG_OSTRZEZENIE("Brak definicji numeracji dla wyróżnika wybranego " + s +
                    "!|Proszę uzupełnić dane o numeracji wyróżników dokumentów.");
  } else {
    MSG_OSTRZEZENIE("Brak definicji numeracji dla wybranego " + s +
                    "!|Proszę uzupełnić dane o numeracji dokumentów.");
  }
}

// What the levels gave, collected under the list's lock; warnings are shown after it is released.
struct Found {
  std::string format;
  std::uint8_t period = 0;
  std::uint8_t first = 0;
  std::uint8_t second = 0;
  bool complete() const { return first != 0 && second != 0; }
  void fill_settings(const Entry& e) {
    if (first == 0) first = e.PARAMETR1;
    if (second == 0) second = e.PARAMETR2;
  }
};

enum class Outcome { Complete, NoTypeLevel, NoKindLevel, Incomplete };

Outcome look_up(std::uint8_t kind, std::int32_t type, std::int32_t resource, Found& found) {
  const auto& list = dane::FORMAT_NUMERACJI_Q;
  std::shared_lock lock(list.mutex());
  if (const Entry* e = list.find<Key>(kind, type, resource)) {
    found.format = e->FORMAT.str();
    found.period = e->OKRESNUMERACJI;
    found.first = e->PARAMETR1;
    found.second = e->PARAMETR2;
    if (found.complete()) return Outcome::Complete;
  }
  const Entry* of_type = list.find<Key>(kind, type, 0);
  if (!of_type) return Outcome::NoTypeLevel;
  if (runtime::trim_right(found.format).empty()) {
    found.format = of_type->FORMAT.str();
    found.period = of_type->OKRESNUMERACJI;
  }
  found.fill_settings(*of_type);
  if (found.complete()) return Outcome::Complete;
  const Entry* of_kind = list.find<Key>(kind, 0, 0);
  if (!of_kind) return Outcome::NoKindLevel;
  found.fill_settings(*of_kind);
  return found.complete() ? Outcome::Complete : Outcome::Incomplete;
}

}  // namespace

void LADUJFORMATYNUMERACJI() {
  dane::SessionList<Entry> loaded;
  if (ESQL("select DOKUMENT, ID_TYPU, ID_ZASOBU, FORMAT, OKRESNUMERACJI, PARAMETR1, PARAMETR2 from "
           "DEFINICJA_NUMERACJI with (nolock) where ID_FIRMY = " +
           sql_id(dane::GLO.ID_FIRMY) +
           "and (DOKUMENT<=10 or DOKUMENT>20) order by DOKUMENT, ID_TYPU, ID_ZASOBU") == 0) {
    while (next_row()) {
      if (read_entry(loaded.buffer)) loaded.add_in_order<Key>();
    }
  }
  CLOSESQL();
  loaded.clear_buffer();
  std::unique_lock lock(dane::FORMAT_NUMERACJI_Q.mutex());
  dane::FORMAT_NUMERACJI_Q = loaded;
}

bool POBIERZFORMATNUMERACJI(std::uint8_t kind, std::int32_t type, std::int32_t resource, std::string& format,
                            std::size_t format_size, std::uint8_t& period, std::uint8_t& first_setting,
                            std::uint8_t& second_setting) {
  Found found;
  const Outcome outcome = look_up(kind, type, resource, found);
  format = runtime::cut_to_width(found.format, format_size);
  period = found.period;
  first_setting = found.first;
  second_setting = found.second;
  switch (outcome) {
    case Outcome::Complete:
      return true;
    case Outcome::NoTypeLevel:
      warn_missing(kind, "typu dokumentu");
      return false;
    case Outcome::NoKindLevel:
      warn_missing(kind, "rodzaju dokumentów");
      return false;
    case Outcome::Incomplete:
      warn_missing(kind, "rodzaju dokumentów");
      MSG_OSTRZEZENIE(
          "Brak definicji numeracji dla wybranego rodzaju dokumentów!|Proszę uzupełnić dane o numeracji "
          "dokumentów.");
      return false;
  }
  return false;
}

}  // namespace keldox

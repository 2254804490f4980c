// The period dialog and the session period it maintains: the user picks a named range or types dates, and a
// confirmed default is kept in the session globals, saved as the user's parameters and shown to the lists.
#include <algorithm>
#include <array>
#include <charconv>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <vector>

#include "dane/events.h"
#include "dane/form.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/lists_settings.h"
#include "keldox/config_parameters.h"
#include "keldox/date_ranges.h"
#include "keldox/messages.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::string_view kRange = "ZAKRES";
constexpr std::string_view kYear = "ROK";
constexpr std::string_view kDays = "DNI";
constexpr std::string_view kFrom = "DATA_OD";
constexpr std::string_view kTo = "DATA_DO";
constexpr std::string_view kTitle = "Zakres dat";
constexpr std::int32_t kMostDays = 99999;  // what the days field can show

std::int32_t whole_number(std::string_view value) {
  // "" and "0" alike give 0; the fields' pictures keep values within an int.
  return static_cast<std::int32_t>(runtime::leading_integer(value).value_or(0));
}

struct Choice {
  std::string name;
  int position = range::kAny;
  Period period;
};

class PeriodDialog final : public dane::FormWindow {
 public:
  PeriodDialog(const Choice& opening, runtime::DayNumber today)
      : FormWindow("PytajOZakresDat"), today_(today) {
    std::int32_t days = kDefaultOlderThanDays;
    Period period = opening.period;
    if (opening.position == range::kFull) period = {};
    if (opening.position == range::kOlderThan) {
      days = std::clamp(today - period.to, 0, kMostDays);
      period.from = 0;
    }
    std::vector<std::string> names(kRangeNames.begin(), kRangeNames.end());
    add_field({std::string(kRange), "Zakres", "@s20", opening.name, true, false, dane::FieldKind::Choice,
               std::move(names)});
    add_field({std::string(kYear), "Rok", "@n_4", period.from > 0 ? year_text(period.from) : std::string{},
               true, false, dane::FieldKind::Number});
    add_field({std::string(kDays),
               "Starsze niż (dni)",
               "@n_5",
               std::to_string(days),
               true,
               false,
               dane::FieldKind::Number,
               {},
               opening.position == range::kOlderThan});
    add_field({std::string(kFrom), "Data od", "@d17", std::to_string(period.from), true, false,
               dane::FieldKind::Date});
    add_field(
        {std::string(kTo), "Data do", "@d17", std::to_string(period.to), true, false, dane::FieldKind::Date});
    set_mode_titles(std::string(kTitle), std::string(kTitle));
    set_request(dane::Request::Change);
    remember_values();
  }

  Choice chosen() const {
    Choice c;
    c.name = value(kRange);
    c.position = range_position(c.name);
    c.period = current();
    return c;
  }

 protected:
  // Hosts accept a field whenever the user leaves it; only a changed value recomputes anything.
  bool validate_field(std::string_view control) override {
    const std::optional<std::size_t> index = field_index(control);
    if (!index || value(control) == known_[*index]) return true;
    const std::string name(runtime::to_upper(control));
    if (name == kRange) {
      const int position = range_position(value(kRange));
      show_period(range_period(position, today_, year(), days(), current()));
      set_visible(kDays, position == range::kOlderThan);
    } else if (name == kYear) {
      // A month or a quarter is taken whole in the new year, so that February ends on its own last day.
      const int position = range_position(value(kRange));
      const bool whole_months = position >= range::kJanuary && position < range::kOlderThan;
      show_period(whole_months ? range_period(position, today_, year(), days(), current())
                               : period_in_year(current(), year()));
    } else if (name == kDays) {
      if (range_position(value(kRange)) == range::kOlderThan)
        show_period(range_period(range::kOlderThan, today_, year(), days(), current()));
    } else if (name == kFrom || name == kTo) {
      mutable_field(kRange)->value = std::string(range_name_at(range::kAny));
      set_visible(kDays, false);
    }
    remember_values();
    return true;
  }

  std::optional<std::string> validate_record() override {
    const Period p = current();
    // A bound of 0 is an open side, never earlier than the other.
    if (p.from > 0 && p.to > 0 && p.to < p.from) {
      MSG_OSTRZEZENIE("Data od nie może być większa od daty do!");
      return std::string(kFrom);
    }
    return std::nullopt;
  }

 private:
  static std::string year_text(runtime::DayNumber day) {
    return std::to_string(static_cast<int>(runtime::to_ymd(day).year()));
  }

  int year() const { return whole_number(value(kYear)); }
  std::int32_t days() const { return whole_number(value(kDays)); }
  Period current() const { return {whole_number(value(kFrom)), whole_number(value(kTo))}; }

  void show_period(Period p) {
    mutable_field(kFrom)->value = std::to_string(p.from);
    mutable_field(kTo)->value = std::to_string(p.to);
  }

  std::optional<std::size_t> field_index(std::string_view name) const {
    for (std::size_t i = 0; i < fields().size(); ++i) {
      if (runtime::same_name(fields()[i].name, name)) return i;
    }
    return std::nullopt;
  }

  void remember_values() {
    known_.clear();
    for (const dane::Field& f : fields()) known_.push_back(f.value);
  }

  runtime::DayNumber today_;
  std::vector<std::string> known_;
};

// Where the dialog opens: the caller's period when it names a range, else the session period. A name that
// is no range of the list is taken as "dowolny zakres" with its dates.
Choice opening_choice(const std::string& name, std::int32_t from, std::int32_t to) {
  const bool given = !runtime::trim(name).empty();
  Choice c;
  c.name = given ? std::string(runtime::trim_right(name)) : std::string(dane::GLO.ZAKRES.clipped());
  c.period = given ? Period{from, to} : Period{dane::GLO.DATA_OD, dane::GLO.DATA_DO};
  c.position = range_position(c.name);
  if (c.position == 0) {
    c.position = range::kAny;
    c.name = std::string(range_name_at(range::kAny));
  }
  return c;
}

void fill_working_copy(const Choice& c, const std::string& description) {
  dane::GLO.ZAKRES_LOC = c.name;
  dane::GLO.ZAKRESPOS_LOC = static_cast<std::uint8_t>(c.position);
  dane::GLO.ZAKRESOPIS_LOC = description;
  dane::GLO.DATA_OD_LOC = c.period.from;
  dane::GLO.DATA_DO_LOC = c.period.to;
}

// The threads of the open module windows that list by period; taken under the register's lock and posted
// to after it, so that no window waits for the register while its event arrives.
std::vector<dane::ThreadNumber> period_list_threads() {
  std::vector<dane::ThreadNumber> threads;
  std::shared_lock lock(dane::OKNAQ.mutex());
  for (const dane::OknoEntry& entry : dane::OKNAQ) {
    if (entry.WATEK == 0) continue;
    for (std::string_view code : kPeriodListWindows) {
      if (entry.NAZWA == code) threads.push_back(entry.WATEK);
    }
  }
  return threads;
}

void make_session_default(const Choice& c, const std::string& description) {
  dane::GLO.ZAKRES = c.name;
  dane::GLO.ZAKRESPOS = static_cast<std::uint8_t>(c.position);
  dane::GLO.ZAKRESOPIS = description;
  dane::GLO.DATA_OD = c.period.from;
  dane::GLO.DATA_DO = c.period.to;
  USTAWPARAMKONF(c.name, "ZakrWys", "u");
  USTAWPARAMKONF(std::to_string(c.period.from), "Data_Od", "u");
  USTAWPARAMKONF(std::to_string(c.period.to), "Data_Do", "u");
  dane::host().set_status_text(dane::GLO.ZAKRESOPIS.clipped());
  if (!runtime::same_text(POBIERZPARAMKONF("OdswiezKartot", "u"), "Tak")) return;
  for (const dane::ThreadNumber thread : period_list_threads()) dane::post_event(thread, kEventPeriodChanged);
}

}  // namespace

std::uint8_t PYTAJOZAKRESDAT(std::uint8_t make_default, std::int32_t& from, std::int32_t& to,
                             std::string& range_name) {
  const bool given = !runtime::trim(range_name).empty();
  PeriodDialog dialog(opening_choice(range_name, from, to), runtime::today());
  if (dane::run_window(dialog) != dane::Response::Completed) return 0;
  const Choice c = dialog.chosen();
  if (given) {
    from = c.period.from;
    to = c.period.to;
    range_name = c.name;
    return 1;
  }
  const std::string description = period_description(c.name, c.period);
  fill_working_copy(c, description);
  if (make_default == 1) make_session_default(c, description);
  return 1;
}

}  // namespace keldox

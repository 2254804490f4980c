// Scripted answers to the calendar: a date chosen, or the calendar cancelled.
#include "dane/field_text.h"
#include "ui_script/script_host.h"

namespace ui_script {

ScriptHost& ScriptHost::choose_date(std::string_view date) {
  Step step;
  step.kind = Step::Kind::ChooseDate;
  step.value = std::string(date);
  add_steps({step});
  return *this;
}

ScriptHost& ScriptHost::cancel_date() {
  return choose_date({});
}

std::optional<runtime::DayNumber> ScriptHost::choose_date(std::string_view title,
                                                          runtime::DayNumber initial) {
  const std::string opening = dane::calendar_date_text(initial > 0 ? initial : runtime::today());
  Shown shown{"date", std::string(title), opening, {}, 0};
  std::optional<runtime::DayNumber> chosen;
  if (auto step = next_step("calendar", title, opening)) {
    if (step->kind != Step::Kind::ChooseDate) {
      fail("a step that is not for a calendar met the calendar \"" + std::string(title) + "\"");
    } else if (!step->value.empty()) {
      chosen = dane::calendar_date_from_text(step->value);
      if (!chosen) fail("the calendar \"" + std::string(title) + "\" has no date \"" + step->value + "\"");
    }
  }
  if (chosen) shown.answer = *chosen;
  record(std::move(shown));
  return chosen;
}

}  // namespace ui_script

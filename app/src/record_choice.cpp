// The small record choice of the main program's tool entries.
#include "record_choice.h"

#include <vector>

#include "dane/form.h"
#include "dane/window.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace app {
namespace {

constexpr std::string_view kChoice = "WYBOR";

struct Named {
  double id = 0;
  std::string name;
};

std::vector<Named> read_names(const std::string& statement) {
  std::vector<Named> rows;
  if (keldox::ESQL(statement) == 0) {
    while (keldox::next_row()) {
      rows.push_back(
          {runtime::number_from_text(keldox::column(1)), std::string(runtime::trim(keldox::column(2)))});
    }
  }
  keldox::CLOSESQL();
  return rows;
}

class RecordChoice final : public dane::FormWindow {
 public:
  RecordChoice(const std::string& title, const std::string& caption, const std::vector<Named>& rows)
      : FormWindow("WyborRekordu") {
    dane::Field choice{std::string(kChoice), caption, "@s60", rows.front().name, true};
    choice.kind = dane::FieldKind::Choice;
    for (const Named& r : rows) choice.choices.push_back(r.name);
    add_field(std::move(choice));
    set_title(title);
    set_mode_titles(title, title);
    set_focus(kChoice);
  }
};

}  // namespace

std::optional<double> choose_record(const std::string& title, const std::string& caption,
                                    const std::string& statement, const std::string& none_found) {
  const std::vector<Named> rows = read_names(statement);
  if (rows.empty()) {
    keldox::MSG_INFORMACJA(none_found);
    return std::nullopt;
  }
  RecordChoice window(title, caption, rows);
  window.set_request(dane::Request::Change);
  if (dane::run_window(window) != dane::Response::Completed) return std::nullopt;
  const std::string chosen(runtime::trim(window.value(kChoice)));
  for (const Named& r : rows) {
    if (r.name == chosen) return r.id;
  }
  return std::nullopt;
}

}  // namespace app

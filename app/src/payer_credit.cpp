// Choosing a payer for the credit-limit window. The contractor lists come later; until then the payers
// whose sales are checked (a limit or a blocking mode) are offered by name.
#include "payer_credit.h"

#include <string>
#include <vector>

#include "dane/form.h"
#include "dane/globals.h"
#include "dane/window.h"
#include "keldox/credit_limits.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace app {
namespace {

struct Payer {
  double id = 0;
  std::string name;
};

std::vector<Payer> checked_payers() {
  std::vector<Payer> payers;
  if (keldox::ESQL(
          "select id_kontrahenta,nazwa from kontrahent where id_firmy=" + keldox::sql_id(dane::GLO.ID_FIRMY) +
          " and (isnull(blokowanie,0)<>0 or isnull(limit_kupiecki,0)<>0) order by nazwa") == 0) {
    while (keldox::next_row()) {
      payers.push_back(
          {runtime::number_from_text(keldox::column(1)), std::string(runtime::trim(keldox::column(2)))});
    }
  }
  keldox::CLOSESQL();
  return payers;
}

class PayerChoice final : public dane::FormWindow {
 public:
  explicit PayerChoice(const std::vector<Payer>& payers) : FormWindow("WyborPlatnika") {
    dane::Field payer{"PLATNIK", "Płatnik", "@s60", payers.front().name, true};
    payer.kind = dane::FieldKind::Choice;
    for (const Payer& p : payers) payer.choices.push_back(p.name);
    add_field(std::move(payer));
    set_title("Limit kupiecki płatnika");
    set_mode_titles("Limit kupiecki płatnika", "Limit kupiecki płatnika");
    set_focus("PLATNIK");
  }
};

}  // namespace

void show_payer_credit_limit() {
  const std::vector<Payer> payers = checked_payers();
  if (payers.empty()) {
    keldox::MSG_INFORMACJA("Żaden kontrahent nie ma limitu kupieckiego ani blokady sprzedaży.");
    return;
  }
  PayerChoice choice(payers);
  choice.set_request(dane::Request::Change);
  if (dane::run_window(choice) != dane::Response::Completed) return;
  const std::string chosen(runtime::trim(choice.value("PLATNIK")));
  for (const Payer& p : payers) {
    if (p.name == chosen) {
      keldox::LIMITKUPIECKI(1, p.id, p.id, 0, 0);
      return;
    }
  }
}

}  // namespace app

// The change calculator of a cash sale: the amount paid against the amount due, in decimal.
#include <optional>
#include <string>

#include "dane/form.h"
#include "dane/globals.h"
#include "dane/window.h"
#include "keldox/messages.h"
#include "keldox/price_windows.h"
#include "money/money_fields.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using money::amount_of;
using money::stored;
using runtime::Decimal;

constexpr std::string_view kDue = "NALEZNOSC";
constexpr std::string_view kPaid = "WPLATA";
constexpr std::string_view kChange = "RESZTA";

class ChangeCalculator final : public dane::FormWindow {
 public:
  ChangeCalculator(const Decimal& due, const Decimal& paid, const Decimal& change)
      : FormWindow("WydawanieReszty"), change_(change) {
    add_field(
        {std::string(kDue), "Należność", "@n-18`2", stored(due), false, false, dane::FieldKind::Number});
    add_field({std::string(kPaid), "Wpłata", "@n-18`2", stored(paid), true, false, dane::FieldKind::Number});
    add_field(
        {std::string(kChange), "Reszta", "@n-18`2", stored(change), false, false, dane::FieldKind::Number});
    set_title("Wydawanie reszty");
    set_mode_titles("Wydawanie reszty", "Wydawanie reszty");
    set_help_topic("han_det.htm");
    set_focus(kPaid);
  }

  Decimal due() const { return amount_of(value(kDue)); }
  Decimal paid() const { return amount_of(value(kPaid)); }
  const Decimal& change() const { return change_; }

 protected:
  bool validate_field(std::string_view control) override {
    if (!runtime::same_name(control, kPaid)) return true;
    if (paid() < due()) {
      MSG_OSTRZEZENIE("Proszę wprowadzić kwotę większą od należności!");
      return false;
    }
    change_ = paid() - due();
    mutable_field(kChange)->value = stored(change_);
    return true;
  }

  // OK with too little paid would hand the caller a sale whose change was never worked out.
  std::optional<std::string> validate_record() override {
    if (!validate_field(kPaid)) return std::string(kPaid);
    return std::nullopt;
  }

 private:
  Decimal change_;
};

}  // namespace

std::uint8_t WYDAWANIERESZTY(double& due, double& paid, double& change) {
  const auto request = static_cast<dane::Request>(dane::GLOBALREQUEST.load());
  dane::GLOBALREQUEST = 0;
  dane::GLOBALRESPONSE = 0;
  ChangeCalculator window(amount_of(due), amount_of(paid), amount_of(change));
  window.set_request(request == dane::Request::None ? dane::Request::Change : request);
  const dane::Response response = dane::run_window(window);
  due = window.due().to_double();
  paid = window.paid().to_double();
  change = window.change().to_double();
  dane::GLOBALRESPONSE = static_cast<std::uint8_t>(response);
  return 1;
}

}  // namespace keldox

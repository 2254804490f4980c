// The discount and markup converter: percentage, amount and resulting price kept consistent with the base
// price, each rounded to the cent.
#include <array>
#include <optional>
#include <string>

#include "dane/form.h"
#include "dane/window.h"
#include "keldox/messages.h"
#include "keldox/price_windows.h"
#include "money/discount_line.h"
#include "money/money_fields.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using money::amount_of;
using money::stored;
using runtime::Decimal;

constexpr std::string_view kBase = "CENA_BAZOWA";
constexpr std::string_view kPercentage = "PROCENT";
constexpr std::string_view kAmount = "KWOTA";
constexpr std::string_view kResult = "CENA";

struct Captions {
  std::string title;
  std::string base;
  std::string result;
};

Captions captions(std::string_view price_kind, std::string_view subject) {
  const bool gross = runtime::same_name(price_kind, "Brutto");
  if (runtime::same_name(subject, "Wartość")) {
    return {gross ? "Wartość brutto" : "Wartość netto", "Wartość wejściowa",
            "Wartość z rabatem/narzutem [-/+]"};
  }
  const std::string price = gross ? "Cena brutto" : "Cena netto";
  return {"Rabat/narzut", price, price + " z rabatem/narzutem [-/+]"};
}

class DiscountConverter final : public dane::FormWindow {
 public:
  DiscountConverter(const money::DiscountLine& line, const Captions& c)
      : FormWindow("PrzelicznikRabatu"), line_(line) {
    add_field(
        {std::string(kBase), c.base, "@n-18`2", stored(line_.base()), false, false, dane::FieldKind::Number});
    add_field({std::string(kPercentage),
               "Rabat/narzut [%] [-/+]",
               "@n-10`2",
               {},
               true,
               false,
               dane::FieldKind::Number});
    add_field({std::string(kAmount),
               "Rabat/narzut kwotowy [-/+]",
               "@n-18`2",
               {},
               true,
               false,
               dane::FieldKind::Number});
    add_field({std::string(kResult), c.result, "@n-18`2", {}, true, false, dane::FieldKind::Number});
    show();
    set_mode_titles(c.title, c.title);
    set_title(c.title);
    set_request(dane::Request::Change);
  }

  const money::DiscountLine& line() const { return line_; }

 protected:
  bool validate_field(std::string_view control) override {
    const std::optional<std::size_t> i = index_of(control);
    if (!i || value(control) == known_[*i]) return true;
    // A value past what the line holds (15 digits, a percentage of 7) is refused, never wrapped.
    const Decimal typed = Decimal::parse(value(control), *i == 1 ? 7 : 15, 2);
    if (!typed.ok()) {
      MSG_OSTRZEZENIE("Niepoprawna wartość pola " + fields()[*i].label);
      return false;
    }
    bool kept = true;
    if (*i == 1) {
      line_.set_percentage(typed);
    } else if (*i == 2) {
      kept = line_.set_amount(typed);
    } else if (*i == 3) {
      kept = line_.set_price(typed);
    }
    show();
    if (!kept) {
      MSG_OSTRZEZENIE("W wyniku zaokrąglenia rabat/narzut kwotowy musi wynosić " +
                      line_.amount().to_text(','));
    }
    return true;
  }

  std::optional<std::string> validate_record() override {
    if (line_.price().sign() > 0) return std::nullopt;
    MSG_OSTRZEZENIE("Cena musi być dodatnia!");
    return std::string(kPercentage);
  }

 private:
  void show() {
    mutable_field(kPercentage)->value = stored(line_.percentage());
    mutable_field(kAmount)->value = stored(line_.amount());
    mutable_field(kResult)->value = stored(line_.price());
    for (std::size_t i = 0; i < known_.size(); ++i) known_[i] = fields()[i].value;
  }

  std::optional<std::size_t> index_of(std::string_view name) const {
    for (std::size_t i = 0; i < fields().size(); ++i) {
      if (runtime::same_name(fields()[i].name, name)) return i;
    }
    return std::nullopt;
  }

  money::DiscountLine line_;
  std::array<std::string, 4> known_{};
};

}  // namespace

void PRZELICZNIKRABATU(double& percentage, double& price, std::string_view price_kind,
                       std::string_view subject) {
  const Decimal p = Decimal::from_double(percentage, 7, 2);
  DiscountConverter dialog(money::DiscountLine(p.ok() ? p : Decimal::from_units(0, 2), amount_of(price)),
                           captions(price_kind, subject));
  if (dane::run_window(dialog) != dane::Response::Completed) return;
  percentage = dialog.line().percentage().to_double();
  price = dialog.line().price().to_double();
}

}  // namespace keldox

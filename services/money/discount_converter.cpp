// The discount and markup converter: percentage, amount and resulting price kept consistent with the base
// price, each rounded to the cent.
#include <array>
#include <optional>
#include <string>

#include "dane/form.h"
#include "dane/window.h"
#include "keldox/messages.h"
#include "keldox/price_windows.h"
#include "money/money_fields.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using money::amount_of;
using money::kCent;
using money::stored;
using runtime::Decimal;

constexpr std::string_view kBase = "CENA_BAZOWA";
constexpr std::string_view kPercentage = "PROCENT";
constexpr std::string_view kAmount = "KWOTA";
constexpr std::string_view kResult = "CENA";

const Decimal kHundred = Decimal::whole(100);

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
  DiscountConverter(Decimal percentage, Decimal price, const Captions& c) : FormWindow("PrzelicznikRabatu") {
    // The base that the caller's price implies; at -100 % every base gives 0 and none can be told.
    const Decimal divisor = kHundred + percentage;
    base_ = divisor.is_zero() ? Decimal::from_units(0, 2) : divide_rounded(price * kHundred, divisor, kCent);
    add_field({std::string(kBase), c.base, "@n-18`2", stored(base_), false, false, dane::FieldKind::Number});
    add_field({std::string(kPercentage), "Rabat/narzut [%] [-/+]", "@n-10`2", stored(percentage), true, false,
               dane::FieldKind::Number});
    add_field({std::string(kAmount),
               "Rabat/narzut kwotowy [-/+]",
               "@n-18`2",
               {},
               true,
               false,
               dane::FieldKind::Number});
    add_field({std::string(kResult), c.result, "@n-18`2", {}, true, false, dane::FieldKind::Number});
    show(percentage, amount_from(percentage));
    set_mode_titles(c.title, c.title);
    set_title(c.title);
    set_request(dane::Request::Change);
  }

  Decimal percentage() const { return amount_of(value(kPercentage)); }
  Decimal result() const { return amount_of(value(kResult)); }

 protected:
  bool validate_field(std::string_view control) override {
    const std::optional<std::size_t> i = index_of(control);
    if (!i || value(control) == known_[*i]) return true;
    if (*i == 1) {
      show(percentage(), amount_from(percentage()));
    } else if (*i == 2) {
      take_amount(amount_of(value(kAmount)));
    } else if (*i == 3) {
      take_amount(amount_of(value(kResult)) - base_);
    }
    return true;
  }

  std::optional<std::string> validate_record() override {
    if (result().sign() > 0) return std::nullopt;
    MSG_OSTRZEZENIE("Cena musi być dodatnia!");
    return std::string(kPercentage);
  }

 private:
  Decimal amount_from(const Decimal& percentage) const {
    return divide_rounded(base_ * percentage, kHundred, kCent);
  }

  // An amount typed (or implied by a typed price): the percentage it makes, and the amount that percentage
  // gives back, which is what is kept.
  void take_amount(const Decimal& typed) {
    // Without a base no amount makes a percentage: the percentage stays and its amount (0) is kept.
    Decimal p = base_.is_zero() ? percentage() : divide_rounded(kHundred * typed, base_, kCent).fitted(7, 2);
    // A percentage beyond what the field holds cannot be taken: the one before stays with its amount.
    if (!p.ok()) p = percentage();
    const Decimal amount = amount_from(p);
    show(p, amount);
    if (amount != typed) {
      MSG_OSTRZEZENIE("W wyniku zaokrąglenia rabat/narzut kwotowy musi wynosić " + amount.to_text(','));
    }
  }

  void show(const Decimal& percentage, const Decimal& amount) {
    mutable_field(kPercentage)->value = stored(percentage);
    mutable_field(kAmount)->value = stored(amount);
    mutable_field(kResult)->value = stored(base_ + amount);
    for (std::size_t i = 0; i < known_.size(); ++i) known_[i] = fields()[i].value;
  }

  std::optional<std::size_t> index_of(std::string_view name) const {
    for (std::size_t i = 0; i < fields().size(); ++i) {
      if (runtime::same_name(fields()[i].name, name)) return i;
    }
    return std::nullopt;
  }

  Decimal base_;
  std::array<std::string, 4> known_{};
};

}  // namespace

void PRZELICZNIKRABATU(double& percentage, double& price, std::string_view price_kind,
                       std::string_view subject) {
  const Decimal p = Decimal::from_double(percentage, 7, 2);
  DiscountConverter dialog(p.ok() ? p : Decimal::from_units(0, 2), amount_of(price),
                           captions(price_kind, subject));
  if (dane::run_window(dialog) != dane::Response::Completed) return;
  percentage = dialog.percentage().to_double();
  price = dialog.result().to_double();
}

}  // namespace keldox

// The credit-limit window: a payer's balances on a day, and the decision whether the document may go on
// credit.
#include <optional>
#include <string>

#include "dane/form.h"
#include "dane/window.h"
#include "keldox/config_parameters.h"
#include "keldox/credit_limits.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "money/credit_refusal.h"
#include "money/money_fields.h"
#include "runtime/decimal.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using money::amount_of;
using money::stored;
using runtime::Decimal;

constexpr const char* kMoney = "@n-18`2";
constexpr std::string_view kOverdue = "PRZETERMINOWANE";

// What the window shows of the payer; amounts with 2 places.
struct PayerPosition {
  std::string name;
  CreditBlocking blocking = CreditBlocking::none;
  int days_after_due = 0;
  Decimal limit = Decimal::from_units(0, 2);
  Decimal receivables = Decimal::from_units(0, 2);
  Decimal overdue = Decimal::from_units(0, 2);
  Decimal liabilities = Decimal::from_units(0, 2);
  Decimal balance = Decimal::from_units(0, 2);
  std::string oldest_due = "0";
  Decimal available = Decimal::from_units(0, 2);
  bool balances_read = false;
};

int whole_number(std::string_view text) {
  const Decimal d = Decimal::parse(runtime::trim(text), 18, 0);
  return d.ok() ? static_cast<int>(d.units()) : 0;
}

PayerPosition read_position(double payer, double document, runtime::DayNumber day) {
  PayerPosition p;
  const std::string id = sql_id(payer);
  if (ESQL("select nazwa,limit_kupiecki,blokowanie,dni_po_terminie from kontrahent where id_kontrahenta= (" +
           id + ")") == 0 &&
      next_row()) {
    p.name = std::string(runtime::trim(column(1)));
    p.limit = amount_of(runtime::trim(column(2)));
    p.blocking = static_cast<CreditBlocking>(whole_number(column(3)));
    p.days_after_due = whole_number(column(4));
  }
  CLOSESQL();
  if (ESQL("call AP_ObliczSaldoKontrahenta(" + id + "," + sql_id(document) + "," + std::to_string(day) + "," +
           std::to_string(static_cast<int>(p.blocking)) + ")") == 0 &&
      next_row()) {
    p.receivables = amount_of(runtime::trim(column(1)));
    p.overdue = amount_of(runtime::trim(column(2)));
    p.liabilities = amount_of(runtime::trim(column(3)));
    p.balance = amount_of(runtime::trim(column(4)));
    p.oldest_due = std::to_string(whole_number(column(6)));
    p.balances_read = true;
  }
  CLOSESQL();
  const char* issues_count =
      runtime::same_text(POBIERZPARAMKONF("WliczajWZDoLimitu", "s"), "Tak") ? "1" : "0";
  p.available = amount_of(runtime::trim(FUNCSQL("select dbo.AP_Func_PodajLimitKontrDoWykorz(" + id +
                                                ",0,0,0," + std::to_string(day) + "," + issues_count + ")")));
  return p;
}

std::string blocking_text(CreditBlocking mode) {
  switch (mode) {
    case CreditBlocking::none:
      return "bez kontroli";
    case CreditBlocking::blocked:
      return "sprzedaż zablokowana";
    case CreditBlocking::overdue:
      return "przy przeterminowanych należnościach";
    case CreditBlocking::overdue_over_limit:
      return "przeterminowane należności z transakcją ponad limit";
    case CreditBlocking::all_over_limit:
      return "wszystkie należności z transakcją ponad limit";
  }
  return "tryb " + std::to_string(static_cast<int>(mode));
}

class CreditLimitWindow final : public dane::FormWindow {
 public:
  CreditLimitWindow(bool deciding, PayerPosition position, const Decimal& transaction, runtime::DayNumber day)
      : FormWindow("LimitKupiecki"), p_(std::move(position)), transaction_(transaction) {
    const auto shown = [this](std::string name, std::string label, std::string picture, std::string value,
                              dane::FieldKind kind) {
      add_field(
          {std::move(name), std::move(label), std::move(picture), std::move(value), false, false, kind});
    };
    shown("PLATNIK", "Płatnik", "@s60", p_.name, dane::FieldKind::Text);
    shown("BLOKOWANIE", "Blokada sprzedaży", "@s60", blocking_text(p_.blocking), dane::FieldKind::Text);
    shown("NA_DZIEN", "Na dzień", "@d17", std::to_string(day), dane::FieldKind::Date);
    shown("LIMIT", "Przyznany limit", kMoney, stored(p_.limit), dane::FieldKind::Number);
    shown("NALEZNOSCI", "Należności", kMoney, stored(p_.receivables), dane::FieldKind::Number);
    std::string overdue_label = "Przeterminowane należności";
    if (p_.days_after_due > 0)
      overdue_label += " (" + std::to_string(p_.days_after_due) + " dni po terminie)";
    shown(std::string(kOverdue), overdue_label, kMoney, stored(p_.overdue), dane::FieldKind::Number);
    shown("NAJSTARSZY_TERMIN", "Najstarszy przeterminowany termin", "@d17", p_.oldest_due,
          dane::FieldKind::Date);
    shown("ZOBOWIAZANIA", "Zobowiązania", kMoney, stored(p_.liabilities), dane::FieldKind::Number);
    shown("SALDO", "Saldo", kMoney, stored(p_.balance), dane::FieldKind::Number);
    shown("DO_WYKORZYSTANIA", "Limit do wykorzystania", kMoney, stored(p_.available),
          dane::FieldKind::Number);
    shown("TRANSAKCJA", "Kwota transakcji", kMoney, stored(transaction_.with_places(2)),
          dane::FieldKind::Number);
    set_title("Limit kupiecki");
    set_mode_titles("Limit kupiecki", "Limit kupiecki");
    if (deciding) {
      set_closing_buttons("Sprawdź limit", "Anuluj");
    } else {
      set_closing_buttons("OK", "Zamknij", false);
    }
  }

  bool allowed() const { return allowed_; }

 protected:
  // The decision closes the window whatever it is: the result goes back to the document being issued.
  bool save() override {
    const std::string refusal = refusal_text();
    allowed_ = refusal.empty() || !money::refusal_stands(refusal);
    return true;
  }

 private:
  // The warning of the payer's mode when the figures refuse the document, else empty.
  std::string refusal_text() const {
    // Balances that could not be read must not pass for a payer who owes nothing.
    if (!p_.balances_read && p_.blocking >= CreditBlocking::overdue &&
        p_.blocking <= CreditBlocking::all_over_limit)
      return "Nie udało się ustalić należności płatnika " + p_.name + "!|Odmowa wystawienia faktury.";
    bool refused = false;
    switch (p_.blocking) {
      case CreditBlocking::overdue:
        refused = p_.overdue.sign() > 0;
        break;
      case CreditBlocking::overdue_over_limit:
        refused = p_.overdue + transaction_ > p_.limit;
        break;
      case CreditBlocking::all_over_limit:
        refused = p_.receivables + transaction_ > p_.limit;
        break;
      default:
        break;
    }
    return refused ? money::credit_refusal_text(p_.blocking, p_.name) : std::string();
  }

  PayerPosition p_;
  Decimal transaction_;
  bool allowed_ = false;
};

}  // namespace

std::uint8_t LIMITKUPIECKI(std::uint8_t window_mode, double /*contractor*/, double payer, double transaction,
                           double document, std::optional<runtime::DayNumber> day) {
  const runtime::DayNumber on = day.value_or(runtime::today());
  Decimal credit = Decimal::from_double(transaction, 18, 4);
  if (!credit.ok()) credit = Decimal::from_units(0, 4);
  const bool deciding = window_mode == 2;
  CreditLimitWindow window(deciding, read_position(payer, document, on), credit, on);
  window.set_request(dane::Request::Change);
  const dane::Response response = dane::run_window(window);
  return deciding && response == dane::Response::Completed && window.allowed() ? 1 : 0;
}

}  // namespace keldox

// The exchange-rate table: the quotations of one bank from a day on, the rates of a quotation, their
// forms, and LADUJWALUTY, which leads the user to the table when a day has no rates.
#include <memory>
#include <string>

#include "dane/database.h"
#include "dane/events.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "keldox/config_parameters.h"
#include "keldox/date_ranges.h"
#include "keldox/exchange_rates.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "keldox/window_register.h"
#include "pattern/dictionary_browse.h"
#include "pattern/dictionary_form.h"
#include "pattern/run.h"
#include "runtime/date.h"
#include "runtime/decimal.h"
#include "runtime/number_text.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

constexpr std::string_view kBankNbp = "BankNBP";
constexpr std::string_view kBankEcb = "BankECB";
constexpr std::string_view kFetchNbp = "PobierzNBP";
constexpr std::string_view kFetchEcb = "PobierzECB";
constexpr std::string_view kFromDay = "OdDnia";
constexpr std::string_view kRates = "Kursy";
constexpr std::string_view kRecalculate = "Przeliczaj";

// What the quotation list shows; a change of bank or day opens the list again on the new state.
struct TableState {
  std::int32_t bank = keldox::kRateSourceNbp;
  runtime::DayNumber from = 0;
  bool reopen = false;
  bool fetched = false;
  bool rates = false;        // the from-day has rates of the bank: the recalculation may be chosen
  bool recalculate = false;  // the "przeliczaj" box
};

bool rates_exist(runtime::DayNumber day, std::int32_t source) {
  keldox::EXECSQL("call AP_Czy_SaKursyWalut(" + std::to_string(day) + "," + std::to_string(source) + ")");
  const bool found = keldox::next_row() && runtime::number_from_text(runtime::trim(keldox::column(1))) != 0;
  keldox::CLOSESQL();
  return found;
}

runtime::Decimal form_decimal(DictionaryForm& form, std::string_view field) {
  return runtime::Decimal::parse(runtime::trim(form.value(field)));
}

class RateHooks : public DictionaryHooks {
 public:
  explicit RateHooks(double quotation) : quotation_(quotation) {}

  void form_opened(DictionaryForm& form) override {
    if (form.request() == dane::Request::Insert) form.store().set("ID_DATY", keldox::sql_id(quotation_));
    show_multiplier(form);
  }

  bool field_accepted(DictionaryForm& form, std::string_view field) override {
    if (runtime::same_name(field, "SYM_WALUTY")) show_multiplier(form);
    if (!runtime::same_name(field, "KURS_ZAKUPU") && !runtime::same_name(field, "KURS_SPRZEDAZY"))
      return true;
    const runtime::Decimal buying = form_decimal(form, "KURS_ZAKUPU");
    const runtime::Decimal selling = form_decimal(form, "KURS_SPRZEDAZY");
    if (buying.ok() && selling.ok() && buying.sign() > 0 && selling.sign() > 0) {
      const runtime::Decimal middle =
          divide_rounded(buying + selling, runtime::Decimal::whole(2), runtime::Decimal::from_units(1, 6));
      if (middle.ok()) form.put("KURS_SREDNI", middle.to_text());
    }
    return true;
  }

  std::optional<std::string> validate(DictionaryForm& form) override {
    const std::string symbol(runtime::trim(form.value("SYM_WALUTY")));
    if (form.request() != dane::Request::Insert) return std::nullopt;
    const auto found =
        form.check_statement("select count(*) from kursy_walut where id_daty=" + keldox::sql_id(quotation_) +
                             " and sym_waluty='" + keldox::sql_escape(symbol) + "'");
    if (!found) return "SYM_WALUTY";
    if (runtime::number_from_text(runtime::trim(*found)) <= 0) return std::nullopt;
    form.warn("Kurs waluty " + symbol + " o danej dacie już istnieje!");
    return "SYM_WALUTY";
  }

 private:
  // The rates are per the currency's multiplier (100 forints): the form says how many units they are for.
  static void show_multiplier(DictionaryForm& form) {
    const std::string symbol(runtime::trim(form.value("SYM_WALUTY")));
    std::string multiplier;
    if (!symbol.empty()) {
      multiplier = std::string(runtime::trim(keldox::FUNCSQL(
          "select MNOZNIK_WALUTY from WALUTY where SYM_WALUTY='" + keldox::sql_escape(symbol) + "'", 1)));
      keldox::CLOSESQL();
    }
    form.put("MNOZNIK", multiplier);
  }

  double quotation_;
};

// The rates of one quotation.
Description rate_description(double quotation, const std::string& day_text) {
  Description d;
  d.browse = "Kursy_Walut_Brw";
  d.form = "Kursy_Walut_Upd";
  d.table = "KUR";
  d.registry = "KursyWalutNotowania";
  d.columns_window = "Kursy_Walut_Brw_Kursy";
  d.title = "Kursy walut z dnia " + day_text;
  d.insert_title = "Dodawanie kursu";
  d.change_title = "Edycja kursu";
  d.delete_question = "Czy usunąć ten kurs?";
  d.validation_failure = "Wystąpił problem podczas zatwierdzania kursu waluty! Powód: ";
  d.columns = {
      {.name = "ID_DATY",
       .header = "Notowanie",
       .picture = "@n9",
       .numeric = true,
       .in_list = false,
       .in_form = false},
      {.name = "SYM_WALUTY",
       .header = "Waluta",
       .picture = "@s3",
       .kind = dane::FieldKind::Lookup,
       .required = true,
       .lookup = "Waluty_Brw",
       .required_message = "Musisz wybrać symbol waluty!"},
      {.name = "MNOZNIK",
       .header = "Mnożnik",
       .picture = "@n6",
       .numeric = true,
       .in_list = false,
       .editable = false,
       .expression = "0"},
      {.name = "KURS_ZAKUPU", .header = "Kurs zakupu", .picture = "@n_15`4", .numeric = true},
      {.name = "KURS_SPRZEDAZY", .header = "Kurs sprzedaży", .picture = "@n_15`4", .numeric = true},
      {.name = "KURS_SREDNI", .header = "Kurs średni", .picture = "@n_15`4", .numeric = true},
  };
  d.sorts = {{"waluta", {"ID_DATY", "SYM_WALUTY"}}};
  d.ranges = {{"ID_DATY", keldox::sql_id(quotation)}};
  d.permissions = {.base = "Waluty", .genitive = "kursów walut", .edit = false};
  d.help_topic = "kursy_walut.htm";
  d.hooks = [quotation] { return std::make_unique<RateHooks>(quotation); };
  return d;
}

class QuotationHooks : public DictionaryHooks {
 public:
  explicit QuotationHooks(std::shared_ptr<TableState> state) : state_(std::move(state)) {}

  void browse_opened(DictionaryBrowse& browse) override {
    browse.add_action({.name = std::string(kRates),
                       .text = "Kursy notowania",
                       .key = "Ctrl+K",
                       .button = "&Kursy",
                       .needs_row = true,
                       .separator_before = true});
    browse.add_action({.name = std::string(kBankNbp),
                       .text = "NBP",
                       .key = "Alt+N",
                       .button = "NBP",
                       .enabled = state_->bank != keldox::kRateSourceNbp});
    browse.add_action({.name = std::string(kBankEcb),
                       .text = "ECB",
                       .key = "Alt+E",
                       .button = "ECB",
                       .enabled = state_->bank != keldox::kRateSourceEcb});
    browse.add_action({.name = std::string(kFromDay), .text = "Od dnia", .key = "Ctrl+D"});
    browse.add_action({.name = std::string(kRecalculate),
                       .text = state_->recalculate ? "[x] Przeliczaj ceny" : "[ ] Przeliczaj ceny",
                       .key = "Ctrl+P",
                       .enabled = state_->rates});
    browse.add_action({.name = std::string(kFetchNbp),
                       .text = "(~kursy_bazowe_nbp.ico)]Pobierz z NBP",
                       .key = "Ctrl+N",
                       .separator_before = true});
    browse.add_action(
        {.name = std::string(kFetchEcb), .text = "(~kursy_bazowe_ecb.ico)]Pobierz z ECB", .key = "Ctrl+E"});
  }

  void form_opened(DictionaryForm& form) override {
    if (form.request() == dane::Request::Insert) {
      form.store().set("ID_BANKU", std::to_string(state_->bank));
      form.store().set("DATA_NOT", std::to_string(state_->from));
    }
  }

  std::optional<std::string> validate(DictionaryForm& form) override {
    const std::string id =
        form.request() == dane::Request::Insert ? "0" : std::string(runtime::trim(form.value("ID_DATY")));
    const auto day = runtime::leading_integer(runtime::trim(form.value("DATA_NOT")));
    if (!day) return "DATA_NOT";
    const auto found = form.check_statement("select count(*) from daty_kursow where id_daty<>" + id +
                                            " and id_banku=" + std::to_string(state_->bank) +
                                            " and DATA_NOT=" + std::to_string(*day) + " and ID_DATY<>" + id);
    if (!found) return "DATA_NOT";
    if (runtime::number_from_text(runtime::trim(*found)) <= 0) return std::nullopt;
    form.warn("Notowanie na dzień " + runtime::short_date_text(static_cast<runtime::DayNumber>(*day)) +
              " już zostało zdefiniowane!|Proszę zmienić dzień.");
    return "DATA_NOT";
  }

  bool browse_action(DictionaryBrowse& browse, std::string_view name) override {
    if (runtime::same_name(name, kRates)) {
      const double id = runtime::number_from_text(browse.current_value("ID_DATY").value_or("0"));
      const auto day = runtime::leading_integer(browse.current_value("DATA_NOT").value_or("0")).value_or(0);
      if (id > 0)
        run_dictionary_browse(
            rate_description(id, runtime::short_date_text(static_cast<runtime::DayNumber>(day))),
            dane::Request::None);
      return false;
    }
    if (runtime::same_name(name, kBankNbp) || runtime::same_name(name, kBankEcb)) {
      state_->bank = runtime::same_name(name, kBankNbp) ? keldox::kRateSourceNbp : keldox::kRateSourceEcb;
      reopen(browse);
      return false;
    }
    if (runtime::same_name(name, kRecalculate)) {
      state_->recalculate = !state_->recalculate;
      reopen(browse);
      return false;
    }
    if (runtime::same_name(name, kFromDay)) {
      const std::int32_t chosen = keldox::KALENDARZ(0, 0, state_->from);
      if (chosen != state_->from && chosen > 0) {
        state_->from = chosen;
        reopen(browse);
      }
      return false;
    }
    if (runtime::same_name(name, kFetchNbp) || runtime::same_name(name, kFetchEcb)) {
      fetch(browse, runtime::same_name(name, kFetchNbp));
      return false;
    }
    return false;
  }

  // Downloads the bank's table of the from-day; the list then shows that bank from the table's day.
  void fetch(DictionaryBrowse& browse, bool nbp) {
    double day = state_->from;
    std::uint8_t message_shown = 0;
    const std::uint8_t imported =
        nbp ? keldox::POBIERZKURSYNBP(day, message_shown) : keldox::POBIERZKURSYECB(day, message_shown);
    if (imported != 1) return;
    if (message_shown == 0)
      keldox::MSG_INFORMACJA(std::string("Pobrano kursy walut z banku ") + (nbp ? "NBP." : "ECB."));
    state_->fetched = true;
    state_->bank = nbp ? keldox::kRateSourceNbp : keldox::kRateSourceEcb;
    if (day > 0) state_->from = static_cast<runtime::DayNumber>(day);
    reopen(browse);
  }

 private:
  void reopen(DictionaryBrowse& browse) {
    state_->reopen = true;
    browse.close(dane::Response::Completed);
  }

  std::shared_ptr<TableState> state_;
};

Description quotation_description(const std::shared_ptr<TableState>& state) {
  Description d;
  d.browse = "Kursy_Walut_Brw";
  d.form = "Daty_Kursow_Upd";
  d.table = "DATKUR";
  d.registry = "KursyWalut";
  d.title = std::string("Kursy walut ") + (state->bank == keldox::kRateSourceEcb ? "ECB" : "NBP") +
            " od dnia " + runtime::short_date_text(state->from);
  d.insert_title = "Dodawanie kursu";
  d.change_title = "Edycja kursu";
  d.delete_question = "Czy usunąć to notowanie?";
  d.validation_failure = "Wystąpił problem podczas zatwierdzania notowania! Powód: ";
  d.columns = {
      {.name = "ID_DATY",
       .header = "Id",
       .picture = "@n9",
       .numeric = true,
       .in_list = false,
       .in_form = false},
      {.name = "ID_BANKU",
       .header = "Bank",
       .picture = "@n3",
       .numeric = true,
       .in_list = false,
       .in_form = false},
      {.name = "DATA_NOT",
       .header = "Kurs z dnia",
       .picture = "@d17",
       .numeric = true,
       .kind = dane::FieldKind::Date,
       .required = true,
       .required_message = "Proszę podać dzień notowania!"},
      {.name = "GODZ_NOT", .header = "Godzina", .picture = "@t7", .numeric = true},
  };
  d.sorts = {{"dzień", {"ID_BANKU", "DATA_NOT"}}};
  d.ranges = {{"ID_BANKU", std::to_string(state->bank)}};
  d.filter = "DATA_NOT>=" + std::to_string(state->from);
  d.permissions = {.base = "Waluty", .genitive = "kursów walut", .edit = false};
  d.help_topic = "kursy_walut.htm";
  d.hooks = [state] { return std::make_unique<QuotationHooks>(state); };
  return d;
}

// On closing: the box's state is kept, and a ticked box offers to recalculate the selling prices.
void recalculate_prices(const TableState& state) {
  keldox::ZAPISZPARAMETROKNA(state.recalculate ? "1" : "0", "przeliczaj", "Kursy_walut");
  if (!state.recalculate) return;
  if (keldox::MSG_PYTANIE("Czy przeliczyć ceny sprzedaży dla wszystkich artykułów po aktualnych kursach?|Ta "
                          "operacja może potrwać dłuższą chwilę.") != 2)
    return;
  dane::host().set_busy(true);
  keldox::EXECSQL("call AP_PrzeliczCenyArtykulow(" + std::to_string(state.from) + ",'" +
                  keldox::sql_escape(runtime::trim(keldox::POBIERZPARAMKONF("PrzelCenZak", "s"))) + "','" +
                  keldox::sql_escape(runtime::trim(keldox::POBIERZPARAMKONF("AlgOblCenSprz", "s"))) + "')");
  const db::Status status = dane::database().last_error();
  keldox::CLOSESQL();
  dane::host().set_busy(false);
  if (!status.ok()) keldox::MSG_OSTRZEZENIE(status.text);
}

}  // namespace

dane::Response KURSY_WALUT_BRW(runtime::DayNumber day, std::uint8_t flag, std::string_view setting) {
  auto state = std::make_shared<TableState>();
  state->from = day < 1 ? runtime::today() : day;
  const bool ecb = runtime::same_text(runtime::trim(setting), "Pobierz z ECB");
  state->bank = ecb ? keldox::kRateSourceEcb : keldox::kRateSourceNbp;
  // Opened to fetch a missing table, the window starts the named bank's download at once.
  const bool fetch_first = flag == 0 && (ecb || runtime::same_text(runtime::trim(setting), "Pobierz z NBP"));
  if (fetch_first) {
    double fetched_day = state->from;
    std::uint8_t message_shown = 0;
    const std::uint8_t imported = ecb ? keldox::POBIERZKURSYECB(fetched_day, message_shown)
                                      : keldox::POBIERZKURSYNBP(fetched_day, message_shown);
    if (imported == 1 && message_shown == 0)
      keldox::MSG_INFORMACJA(std::string("Pobrano kursy walut z banku ") + (ecb ? "ECB." : "NBP."));
    if (imported == 1) {
      state->fetched = true;
      if (fetched_day > 0) state->from = static_cast<runtime::DayNumber>(fetched_day);
    }
  }
  const std::string stored = keldox::POBIERZPARAMETROKNA("przeliczaj", "Kursy_walut");
  bool first = true;
  while (true) {
    state->reopen = false;
    // After every refresh: the box only for a day with rates, set from the window parameter at first.
    state->rates = rates_exist(state->from, state->bank);
    if (!state->rates) {
      state->recalculate = false;
    } else if (first) {
      state->recalculate = runtime::trim(stored) == "1";
    }
    first = false;
    const Description d = quotation_description(state);
    run_dictionary_browse(d, dane::Request::None);
    if (state->reopen) continue;
    recalculate_prices(*state);
    // Closed by the user: completed only when a table came in while the window was open.
    return state->fetched ? dane::Response::Completed : dane::Response::Cancelled;
  }
}

void LADUJWALUTY(std::string_view force, std::string_view thread, runtime::DayNumber day) {
  const std::string setting(runtime::trim(keldox::POBIERZPARAMKONF("WalStartSys", "s")));
  const bool nbp = runtime::same_text(setting, "Pobierz z NBP");
  const bool ecb = runtime::same_text(setting, "Pobierz z ECB");
  const std::int32_t source = nbp ? 0 : ecb ? -1 : -2;
  const runtime::DayNumber when = day > 0 ? day : runtime::today();
  const std::string question = "Na dzień " + runtime::short_date_text(when) +
                               " nie zdefiniowano kursów walut.|Czy chcesz uzupełnić tabelę kursów?";
  if (runtime::number_from_text(runtime::trim(force)) != 0) {
    do {
      KURSY_WALUT_BRW(when, 1, {});
      if (rates_exist(when, source)) break;
    } while (keldox::MSG_PYTANIE(question) == 2);
  } else {
    while (!rates_exist(when, source)) {
      if (runtime::same_text(setting, "Tak")) {
        if (keldox::MSG_PYTANIE(question) != 2) break;
        KURSY_WALUT_BRW(when, 1, {});
      } else if (nbp || ecb) {
        if (KURSY_WALUT_BRW(when, 0, setting) == dane::Response::Cancelled) break;
      } else {
        break;
      }
    }
  }
  const double waiting = runtime::number_from_text(runtime::trim(thread));
  if (waiting > 0) dane::post_event(static_cast<dane::ThreadNumber>(waiting), dane::kEventSessionStartDone);
}

}  // namespace slownik

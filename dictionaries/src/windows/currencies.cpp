// Currencies: the list with its base currency, and the form's multiplier, symbol and country checks.
#include <array>
#include <atomic>
#include <tuple>
#include <utility>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "keldox/date_ranges.h"
#include "keldox/exchange_rates.h"
#include "keldox/messages.h"
#include "keldox/permissions.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "pattern/dictionary_browse.h"
#include "pattern/dictionary_form.h"
#include "pattern/run.h"
#include "runtime/date.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"
#include "windows/windows.h"

namespace slownik {
namespace {

constexpr std::string_view kBase = "Bazowa";
constexpr std::string_view kChooseNbp = "WybierzNBP";
constexpr std::string_view kChooseEcb = "WybierzECB";
constexpr std::string_view kRefresh = "Odswiez";
constexpr std::string_view kFetchNbp = "PobierzNBP";
constexpr std::string_view kFetchEcb = "PobierzECB";

constexpr std::string_view kBaseRates = "Kursybazowe";
constexpr std::string_view kRateDay = "DataKursowBazowych";

// The day of the base rates the list shows: today when a browse opens, then as the user chooses it.
std::atomic<runtime::DayNumber> rate_day{0};

// The currencies with their latest NBP and ECB rates up to the day of the base rates, four columns the
// server's function gives for each row of a page; a currency without rates shows 0 in them.
class RatedSource : public dane::RowSource {
 public:
  explicit RatedSource(std::unique_ptr<dane::SqlRowSource> inner)
      : inner_(std::move(inner)), columns_(inner_->columns()) {
    for (const auto& [name, header, picture] : {std::tuple{"DATA_NBP", "Kursy NBP: Data", "@d17"},
                                                std::tuple{"KURS_NBP", "Kursy NBP: Kurs", "@n_15`6"},
                                                std::tuple{"DATA_ECB", "Kursy ECB: Data", "@d17"},
                                                std::tuple{"KURS_ECB", "Kursy ECB: Kurs", "@n_15`6"}}) {
      dane::Column c;
      c.name = name;
      c.header = header;
      c.picture = picture;
      c.numeric = true;
      c.in_form = false;
      c.editable = false;
      c.align_right = true;
      columns_.push_back(std::move(c));
    }
    for (std::size_t i = 0; i < inner_->columns().size(); ++i) {
      if (runtime::same_name(inner_->columns()[i].name, "SYM_WALUTY")) symbol_ = i;
    }
  }
  const std::vector<dane::Column>& columns() const override { return columns_; }
  std::optional<dane::SourceFailure> failure() const override { return inner_->failure(); }

  // The server's function once per row, all rows of the page in one statement (one round trip and one
  // translation instead of one per row).
  std::vector<dane::Row> page(const dane::PageQuery& query, std::size_t count) override {
    std::vector<dane::Row> rows = inner_->page(query, count);
    const runtime::DayNumber day = rate_day.load();
    std::string statement;
    for (const dane::Row& r : rows) {
      if (day <= 0 || symbol_ >= r.size()) break;
      const std::string symbol = keldox::sql_escape(runtime::trim(r[symbol_]));
      statement += std::string(statement.empty() ? "" : " union all ") + "select '" + symbol +
                   "', * from dbo.AP_Func_PodajKursy_NBPECB (" + std::to_string(day) + ",'" + symbol + "')";
    }
    std::vector<std::pair<std::string, std::array<std::string, 4>>> found;
    if (!statement.empty()) {
      keldox::EXECSQL2(statement);
      while (keldox::next_row(db::Channel::VAX2)) {
        std::array<std::string, 4> rates;
        for (std::size_t i = 0; i < rates.size(); ++i)
          rates[i] = std::string(runtime::trim(keldox::column(db::Channel::VAX2, i + 2)));
        found.emplace_back(std::string(runtime::trim(keldox::column(db::Channel::VAX2, 1))),
                           std::move(rates));
      }
      keldox::CLOSESQL2();
    }
    for (dane::Row& r : rows) {
      std::array<std::string, 4> rates{"0", "0", "0", "0"};
      for (const auto& [symbol, quoted] : found) {
        if (symbol_ < r.size() && runtime::same_name(symbol, runtime::trim(r[symbol_]))) rates = quoted;
      }
      for (std::string& rate : rates) r.push_back(std::move(rate));
    }
    return rows;
  }

 private:
  std::unique_ptr<dane::SqlRowSource> inner_;
  std::vector<dane::Column> columns_;
  std::size_t symbol_ = static_cast<std::size_t>(-1);
};

// The rate table of the day, for those who may see the base rates.
void open_base_rates(runtime::DayNumber day) {
  if (keldox::POBIERZUPRAWNIENIE("BankiKursWal") == 0) {
    keldox::MSG_OSTRZEZENIE("Brak uprawnień na dostęp do kursów bazowych!");
    return;
  }
  LADUJWALUTY("1", "0", day);
}

// The day's table of the bank; offered to be seen once it came in. True when the rates changed.
bool fetch_rates(bool nbp) {
  double day = rate_day.load() > 0 ? rate_day.load() : runtime::today();
  std::uint8_t message_shown = 0;
  const std::uint8_t imported =
      nbp ? keldox::POBIERZKURSYNBP(day, message_shown) : keldox::POBIERZKURSYECB(day, message_shown);
  if (imported != 1) return false;
  if (keldox::MSG_PYTANIE(std::string("Pobrano kursy walut z banku ") + (nbp ? "NBP" : "ECB") +
                          ".|Chcesz je zobaczyć?") == 2) {
    if (day > 0) rate_day = static_cast<runtime::DayNumber>(day);
    open_base_rates(static_cast<runtime::DayNumber>(day));
  }
  return true;
}

class CurrencyHooks : public DictionaryHooks {
 public:
  void browse_opened(DictionaryBrowse& browse) override {
    rate_day = runtime::today();
    browse.add_action({.name = std::string(kRateDay),
                       .text = "Data kursów bazowych",
                       .key = "Ctrl+D",
                       .tool = "Data kursów bazowych"});
    browse.add_action({.name = std::string(kBase),
                       .text = "(~32redchk.ico)]Ustaw walutę bazową",
                       .needs_row = true,
                       .separator_before = true});
    // Choosing with the bank whose rate the caller is to take.
    browse.add_action({.name = std::string(kChooseNbp),
                       .text = "Wybierz z NBP",
                       .key = "Shift+N",
                       .needs_row = true,
                       .select_only = true});
    browse.add_action({.name = std::string(kChooseEcb),
                       .text = "Wybierz z ECB",
                       .key = "Shift+E",
                       .needs_row = true,
                       .select_only = true});
    browse.add_action({.name = std::string(kBaseRates),
                       .text = "(~kursy_bazowe.ico)]Kursy bazowe",
                       .key = "Ctrl+B",
                       .separator_before = true});
    browse.add_action(
        {.name = std::string(kFetchNbp), .text = "(~kursy_bazowe_nbp.ico)]Pobierz z NBP", .key = "Ctrl+N"});
    browse.add_action(
        {.name = std::string(kFetchEcb), .text = "(~kursy_bazowe_ecb.ico)]Pobierz z ECB", .key = "Ctrl+E"});
    browse.add_action({.name = std::string(kRefresh), .key = "F5"});
  }

  bool browse_action(DictionaryBrowse& browse, std::string_view name) override {
    if (runtime::same_name(name, kRefresh)) return true;
    if (runtime::same_name(name, kBaseRates)) {
      open_base_rates(rate_day.load());
      return false;
    }
    if (runtime::same_name(name, kRateDay)) {
      const std::int32_t chosen = keldox::KALENDARZ(0, 0, rate_day.load());
      if (chosen <= 0 || chosen == rate_day.load()) return false;
      rate_day = chosen;
      return true;
    }
    if (runtime::same_name(name, kFetchNbp)) return fetch_rates(true);
    if (runtime::same_name(name, kFetchEcb)) return fetch_rates(false);
    if (runtime::same_name(name, kChooseNbp) || runtime::same_name(name, kChooseEcb)) {
      browse.set_result(runtime::same_name(name, kChooseNbp) ? 0 : -1);
      browse.ask(dane::RecordAction::Select);
      if (!browse.closed()) browse.set_result(1);
      return false;
    }
    if (!runtime::same_name(name, kBase)) return false;
    // The base currency already is the base: nothing to run.
    if (runtime::trim(browse.current_value("NUMER").value_or("")) == "1") return false;
    const std::string symbol(runtime::trim(browse.current_value("SYM_WALUTY").value_or("")));
    if (symbol.empty()) return false;
    keldox::EXECSQL("update waluty set numer=0");
    keldox::EXECSQL("update waluty set NUMER=1 where sym_waluty='" + keldox::sql_escape(symbol) + "'");
    keldox::CLOSESQL();
    dane::GLO.WAL_BAZOWA = symbol;
    return true;
  }

  bool field_accepted(DictionaryForm& form, std::string_view field) override {
    if (!runtime::same_name(field, "MNOZNIK_WALUTY")) return true;
    const runtime::PictureRead read = runtime::read_picture("@n6", form.value(field));
    if (read.ok() && !read.number.is_zero()) return true;
    form.warn("Mnożnik waluty musi być większy niż 0!");
    return false;
  }
};

}  // namespace

const Description& currencies() {
  static const Description d = [] {
    Description d;
    d.browse = "Waluty_Brw";
    d.form = "Waluty_Upd";
    d.menu = "Waluty";
    d.table = "WAL";
    d.registry = "Waluty";
    d.title = "Waluty";
    d.insert_title = "Dodawanie waluty";
    d.change_title = "Edycja waluty";
    d.insert_action = "Waluta zostanie dodana";
    d.change_action = "Waluta zostanie zmieniona";
    d.delete_question = "Czy usunąć tę walutę?";
    d.validation_failure = "Wystąpił problem podczas zatwierdzania danych waluty! Powód: ";
    d.columns = {
        {.name = "NUMER",
         .header = "B",
         .picture = "@n1",
         .numeric = true,
         .kind = dane::FieldKind::Check,
         .in_form = false,
         .icon = "~32redchk.ico",
         .expression = "case when NUMER=1 then 1 else 0 end"},
        {.name = "SYM_WALUTY",
         .header = "Waluta",
         .picture = "@s3",
         .required = true,
         .required_message = "Symbol waluty musi być wypełniony!"},
        {.name = "NAZWA_WALUTY", .header = "Nazwa waluty", .picture = "@s50"},
        {.name = "MNOZNIK_WALUTY",
         .header = "Mnożnik",
         .picture = "@n6",
         .numeric = true,
         .default_value = "1"},
        {.name = "SYM_KRAJU",
         .header = "Kraj",
         .picture = "@s3",
         .kind = dane::FieldKind::Lookup,
         .lookup = "Kraj_Brw",
         .expression = "isnull(SYM_KRAJU,'')"},
    };
    d.sorts = {{"symbol", {"SYM_WALUTY"}}};
    d.permissions = {.base = "Waluty", .genitive = "walut"};
    d.help_topic = "kar_fin_walut.htm";
    d.duplicates = {{"SYM_WALUTY", "select SYM_WALUTY from WALUTY where sym_waluty='{SYM_WALUTY}'",
                     "Uwaga!|Waluta {SYM_WALUTY} już istnieje w kartotece! Proszę zmienić symbol."}};
    d.protected_rows = ProtectedRows{"NUMER", "1", "Nie można modyfikować ani usuwać waluty bazowej!"};
    d.hooks = [] { return std::make_unique<CurrencyHooks>(); };
    d.source = [](std::unique_ptr<dane::SqlRowSource> inner) -> std::unique_ptr<dane::RowSource> {
      return std::make_unique<RatedSource>(std::move(inner));
    };
    d.open = [] { WALUTY_BRW(); };
    return d;
  }();
  return d;
}

std::int32_t WALUTY_BRW() {
  return run_requested_browse(currencies()).result;
}

}  // namespace slownik

// The currency and bank dictionaries of the main menu: browses paged from the session's database whose
// record actions edit the tables through their update forms, until the dictionary library's own windows land.
#include "dictionary_browses.h"

#include <memory>
#include <string>
#include <vector>

#include "dane/browse.h"
#include "dane/database.h"
#include "dane/record_fields.h"
#include "dane/sql_row_source.h"
#include "keldox/browse_popup.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "record_form.h"
#include "runtime/picture.h"
#include "runtime/text.h"

namespace app {
namespace {

// What one dictionary adds to the generic browse: its form, its delete question, rows it protects.
class Dictionary {
 public:
  virtual ~Dictionary() = default;
  virtual dane::Table& table() = 0;
  virtual std::vector<std::string> key_fields() const = 0;
  // The columns of a browse row that hold the primary key, in key order.
  virtual std::vector<std::size_t> key_columns() const = 0;
  virtual std::unique_ptr<RecordForm> make_form() = 0;
  virtual std::string delete_question() const = 0;
  // Why the row may not be changed or deleted, or nothing.
  virtual std::optional<std::string> protected_row(const dane::Row&) const { return std::nullopt; }
};

class DictionaryBrowse : public dane::BrowseWindow {
 public:
  DictionaryBrowse(std::string procedure_name, dane::SqlRowSource& source, Dictionary& dictionary)
      : BrowseWindow(std::move(procedure_name), source), source_(source), dictionary_(dictionary) {
    keldox::USTAW4IKONYBROWSERA(popup());
  }

 protected:
  bool initialise() override {
    if (!BrowseWindow::initialise()) return false;
    if (!source_.last_status().ok()) {
      // A browse whose source failed shows the failure in the error window instead of an empty list.
      dane::PageQuery first_page;
      first_page.order = sort_order();
      keldox::ERRORWIN(source_.statement(first_page, 1),
                       std::to_string(source_.last_status().code) + " " + source_.last_status().text);
      return false;
    }
    dictionary_.table().open();
    return true;
  }
  void kill() override { dictionary_.table().close(); }

  bool on_insert() override { return run_form(dane::Request::Insert, nullptr); }
  bool on_change(const dane::Row& row) override {
    if (refused(row)) return false;
    return run_form(dane::Request::Change, &row);
  }
  bool on_delete(const dane::Row& row) override {
    if (refused(row)) return false;
    if (keldox::MSG_PYTANIE(dictionary_.delete_question()) != 2) return false;
    if (!fetch_row(dictionary_.table(), dictionary_.key_fields(), key_of(row)))
      return report_record_failure(dane::record_error(), "usunąć rekordu");
    return report_record_failure(dictionary_.table().remove(), "usunąć rekordu");
  }

 private:
  bool refused(const dane::Row& row) const {
    const auto why = dictionary_.protected_row(row);
    if (why) keldox::MSG_OSTRZEZENIE(*why);
    return why.has_value();
  }

  std::vector<std::string> key_of(const dane::Row& row) const {
    std::vector<std::string> key;
    for (const std::size_t c : dictionary_.key_columns()) key.push_back(row[c]);
    return key;
  }

  bool run_form(dane::Request request, const dane::Row* row) {
    auto form = dictionary_.make_form();
    if (row && !form->fetch(key_of(*row))) {
      report_record_failure(dane::record_error(), "odczytać rekordu");
      return true;  // the row is gone: show the list as it is now
    }
    form->set_request(request);
    return dane::run_window(*form) == dane::Response::Completed;
  }

  dane::SqlRowSource& source_;
  Dictionary& dictionary_;
};

void run_browse(Dictionary& dictionary, const char* procedure, const char* title, const char* help_topic,
                std::vector<dane::Column> columns, std::vector<dane::SortOrder> orders) {
  dane::SqlRowSource source(dane::database(), db::Channel::VAX3, dictionary.table().name(),
                            std::move(columns));
  DictionaryBrowse browse(procedure, source, dictionary);
  browse.set_title(title);
  browse.set_help_topic(help_topic);
  for (dane::SortOrder& order : orders) browse.add_sort_order(std::move(order));
  dane::run_window(browse);
}

// ---- Currencies

class CurrencyForm : public RecordForm {
 public:
  explicit CurrencyForm(dane::Table& table) : RecordForm("Waluty_Upd", table, {"SYM_WALUTY"}) {
    add_field({"SYM_WALUTY", "Symbol", "@s3", "", true});
    add_field({"NAZWA_WALUTY", "Nazwa waluty", "@s50", "", true});
    add_field({"MNOZNIK_WALUTY", "Mnożnik", "@n6", "", true});
    add_field({"SYM_KRAJU", "Kraj", "@s3", "", true});
    set_mode_titles("Dodawanie waluty", "Edycja waluty");
    set_help_topic("kar_fin_walut.htm");
  }

 protected:
  void prime() override { mutable_field("MNOZNIK_WALUTY")->value = "1"; }
  bool validate_field(std::string_view name) override {
    if (!RecordForm::validate_field(name)) return false;
    if (runtime::to_upper(name) == "MNOZNIK_WALUTY" &&
        runtime::read_picture("@n6", value(name)).number.is_zero()) {
      keldox::MSG_OSTRZEZENIE("Mnożnik waluty musi być większy niż 0!");
      return false;
    }
    return true;
  }
  std::optional<std::string> validate_record() override {
    for (const char* number : {"MNOZNIK_WALUTY"}) {
      if (!validate_field(number)) return number;
    }
    const std::string symbol(runtime::trim(value("SYM_WALUTY")));
    if (symbol.empty()) {
      keldox::MSG_OSTRZEZENIE("Symbol waluty musi być wypełniony!");
      return "SYM_WALUTY";
    }
    if (symbol != runtime::trim(original("SYM_WALUTY"))) {
      const std::string found =
          keldox::FUNCSQL("select SYM_WALUTY from WALUTY where sym_waluty=" + keldox::sql_text(symbol), 1);
      keldox::CLOSESQL();
      if (!runtime::trim(found).empty()) {
        keldox::MSG_OSTRZEZENIE("Uwaga!|Waluta " + symbol +
                                " już istnieje w kartotece! Proszę zmienić symbol.");
        return "SYM_WALUTY";
      }
    }
    return std::nullopt;
  }
};

class Currencies : public Dictionary {
 public:
  dane::Table& table() override { return *dane::find_table("WAL"); }
  std::vector<std::string> key_fields() const override { return {"SYM_WALUTY"}; }
  std::vector<std::size_t> key_columns() const override { return {0}; }
  std::unique_ptr<RecordForm> make_form() override { return std::make_unique<CurrencyForm>(table()); }
  std::string delete_question() const override { return "Czy usunąć tę walutę?"; }
  std::optional<std::string> protected_row(const dane::Row& row) const override {
    if (runtime::trim(row[4]) == "1") return "Nie można modyfikować ani usuwać waluty bazowej!";
    return std::nullopt;
  }
};

// ---- Banks

class BankForm : public RecordForm {
 public:
  explicit BankForm(dane::Table& table) : RecordForm("Banki_Upd", table, {"ID_BANKU"}) {
    add_field({"ID_BANKU", "Id", "@n9", "", false});
    add_field({"NUMER_BANKU", "Nr banku", "@s50", "", true});
    add_field({"NAZWA", "Nazwa banku", "@s100", "", true});
    add_field({"SWIFT", "SWIFT", "@s20", "", true});
    add_field({"ULICA_LOKAL", "Adres", "@s50", "", true});
    add_field({"KOD_POCZTOWY", "Kod", "@s10", "", true});
    add_field({"MIEJSCOWOSC", "Miejscowość", "@s50", "", true});
    set_mode_titles("Dodawanie banku", "Edycja banku");
    set_help_topic("kar_fin_bank.htm");
  }

 protected:
  // The table gives no identity: a new bank takes the next number after the highest one.
  void prime() override {
    const std::string highest = keldox::FUNCSQL("select max(ID_BANKU) from BANKI", 1);
    keldox::CLOSESQL();
    const auto next = static_cast<long long>(dane::number_from_text(highest)) + 1;
    mutable_field("ID_BANKU")->value = std::to_string(next);
  }
  std::optional<std::string> validate_record() override {
    if (runtime::trim(value("NAZWA")).empty()) {
      keldox::MSG_OSTRZEZENIE("Nazwa banku musi być wypełniona!");
      return "NAZWA";
    }
    return std::nullopt;
  }
};

class Banks : public Dictionary {
 public:
  dane::Table& table() override { return *dane::find_table("BAN"); }
  std::vector<std::string> key_fields() const override { return {"ID_BANKU"}; }
  std::vector<std::size_t> key_columns() const override { return {0}; }
  std::unique_ptr<RecordForm> make_form() override { return std::make_unique<BankForm>(table()); }
  std::string delete_question() const override { return "Czy usunąć ten bank?"; }
};

}  // namespace

AfterEntry browse_currencies() {
  Currencies currencies;
  run_browse(currencies, "Waluty_Brw", "Waluty", "kar_fin_walut.htm",
             {{"SYM_WALUTY", "Symbol", "@s3"},
              {"NAZWA_WALUTY", "Nazwa waluty", "@s50"},
              {"MNOZNIK_WALUTY", "Mnożnik", "@n6", true},
              {"SYM_KRAJU", "Kraj", "@s3"},
              {"NUMER", "Numer", "@n4", true}},
             {{"Symbol", {0}}, {"Nazwa", {1, 0}}});
  return AfterEntry::Continue;
}

AfterEntry browse_banks() {
  Banks banks;
  run_browse(banks, "Banki_Brw", "Banki", "kar_fin_bank.htm",
             {{"ID_BANKU", "Id", "@n9", true},
              {"NUMER_BANKU", "Numer rozliczeniowy", "@s10"},
              {"NAZWA", "Nazwa banku", "@s60"},
              {"SWIFT", "SWIFT", "@s11"},
              {"MIEJSCOWOSC", "Miejscowość", "@s30"}},
             {{"Nazwa", {2, 0}}, {"Numer", {1, 0}}});
  return AfterEntry::Continue;
}

}  // namespace app

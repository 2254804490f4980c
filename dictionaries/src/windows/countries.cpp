// Countries: both fields required and a duplicate by name or symbol, compared without regard to case.
#include "dane/database.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "pattern/dictionary_form.h"
#include "pattern/run.h"
#include "pattern/statements.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"
#include "windows/windows.h"

namespace slownik {
namespace {

class CountryHooks : public DictionaryHooks {
 public:
  std::optional<std::string> validate(DictionaryForm& form) override {
    const std::string symbol(runtime::trim(form.value("SYM_KRAJU")));
    const std::string name(runtime::trim(form.value("NAZWA_KRAJU")));
    if (symbol.empty() || name.empty()) {
      form.warn("Symbol kraju i jego nazwa muszą być wypełnione!");
      return symbol.empty() ? "SYM_KRAJU" : "NAZWA_KRAJU";
    }
    keldox::EXECSQL("select SYM_KRAJU, NAZWA_KRAJU from KRAJE where NAZWA_KRAJU='" +
                    keldox::sql_escape(name) + "' or SYM_KRAJU='" + keldox::sql_escape(symbol) + "'");
    const db::Status s = dane::database().last_error();
    if (!s.ok()) {
      keldox::CLOSESQL();
      form.warn(form.description().validation_failure + s.text);
      return "SYM_KRAJU";
    }
    // Every row found is looked at, not only the first: the edited row itself may come first and hide
    // another country that has the symbol or the name.
    bool conflict = false;
    while (!conflict && keldox::next_row()) {
      const std::string found_symbol = keldox::column(1);
      const std::string found_name = keldox::column(2);
      const bool differs = !runtime::same_name(found_symbol, symbol) && !runtime::same_name(found_name, name);
      const bool itself = form.request() != dane::Request::Insert &&
                          (runtime::same_name(found_symbol, form.original("SYM_KRAJU")) ||
                           runtime::same_name(found_name, form.original("NAZWA_KRAJU")));
      conflict = !differs && !itself;
    }
    keldox::CLOSESQL();
    if (!conflict) return std::nullopt;
    form.warn("Uwaga!|Kraj " + name + " o symbolu " + symbol + " już istnieje w kartotece!");
    return "SYM_KRAJU";
  }
};

}  // namespace

const Description& countries() {
  static const Description d = [] {
    Description d;
    d.browse = "Kraj_Brw";
    d.form = "Kraj_Upd";
    d.menu = "Kraje";
    d.table = "KRA";
    d.registry = "Kraje";
    d.title = "Kraje";
    d.insert_title = "Dodawanie kraju";
    d.change_title = "Edycja kraju";
    d.view_title = "Podgląd kraju";
    d.delete_question = "Czy usunąć ten kraj?";
    d.validation_failure = "Wystąpił problem podczas zatwierdzania danych kraju! Powód: ";
    d.columns = {
        {.name = "SYM_KRAJU", .header = "Symbol kraju", .picture = "@s3"},
        {.name = "NAZWA_KRAJU", .header = "Nazwa kraju", .picture = "@s50"},
    };
    d.sorts = {{"nazwa", {"NAZWA_KRAJU", "SYM_KRAJU"}}};
    d.hooks = [] { return std::make_unique<CountryHooks>(); };
    d.open = KRAJ_BRW;
    return d;
  }();
  return d;
}

void KRAJ_BRW() {
  run_requested_browse(countries());
}

}  // namespace slownik

// The dictionaries of additional fields: the list of dictionaries, the values of one dictionary and the
// value picker that the additional-field window opens.
#include <memory>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/table.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "pattern/dictionary_browse.h"
#include "pattern/dictionary_form.h"
#include "pattern/run.h"
#include "runtime/number_text.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"
#include "windows/windows.h"

namespace slownik {
namespace {

constexpr std::string_view kValues = "Wartosci";
constexpr std::string_view kValueTable = "KLSW";

bool numeric_type(std::string_view type) {
  return runtime::same_name(type, "liczba") || runtime::same_name(type, "liczba całkowita") ||
         runtime::same_name(type, "data");
}

// What a dictionary is while its values are shown: read once when the values' window opens.
struct DictionaryInfo {
  std::uint32_t id = 0;
  std::string name;
  std::string type;
  std::string picture;  // with its "@"
};

DictionaryInfo read_dictionary(std::uint32_t id) {
  DictionaryInfo info;
  info.id = id;
  keldox::EXECSQL("select NAZWA, TYP_DANYCH, MASKA from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA=" +
                  keldox::sql_id(id));
  if (keldox::next_row()) {
    info.name = runtime::trim(keldox::column(1));
    info.type = runtime::trim(keldox::column(2));
    info.picture = runtime::trim(keldox::column(3));
  }
  keldox::CLOSESQL();
  // A dictionary whose picture was lost still shows its values in the picture of its type.
  if (info.picture.empty()) info.picture = classifier_dictionary_picture(info.type);
  info.picture = "@" + info.picture;
  return info;
}

class DictionaryListHooks : public DictionaryHooks {
 public:
  void browse_opened(DictionaryBrowse& browse) override {
    browse.add_action({.name = std::string(kValues),
                       .text = "Wartości słownika",
                       .key = "Ctrl+W",
                       .button = "&Wartości",
                       .needs_row = true,
                       .separator_before = true});
  }

  bool browse_action(DictionaryBrowse& browse, std::string_view name) override {
    if (!runtime::same_name(name, kValues)) return false;
    const double id = runtime::number_from_text(browse.current_value("ID_SLOWNIKA").value_or("0"));
    if (id <= 0) return false;
    SLOWNIK_KLAS_WAR_BRW(static_cast<std::uint32_t>(id));
    return false;
  }

  // The picture follows the data type while the dictionary is new; afterwards its values are stored in it.
  bool field_accepted(DictionaryForm& form, std::string_view field) override {
    if (runtime::same_name(field, "TYP_DANYCH") && form.request() == dane::Request::Insert)
      form.set_value("MASKA", classifier_dictionary_picture(runtime::trim(form.value("TYP_DANYCH"))));
    return true;
  }
};

class ValueHooks : public DictionaryHooks {
 public:
  ValueHooks(std::shared_ptr<const DictionaryInfo> info, std::string start_at)
      : info_(std::move(info)), start_at_(std::move(start_at)) {}

  // The dictionary is no field of the form: a new value belongs to the one shown.
  void form_opened(DictionaryForm& form) override {
    if (form.request() == dane::Request::Insert) form.store().set("ID_SLOWNIKA", keldox::sql_id(info_->id));
  }

  void first_page_shown(DictionaryBrowse& browse) override {
    if (!start_at_.empty()) browse.locate(start_at_);
  }

  std::optional<std::string> validate(DictionaryForm& form) override {
    const std::string value(runtime::trim(form.value("WARTOSC")));
    const auto found = form.check_statement(
        "select count(*) from KLASYFIKATOR_SLOWNIK_WAR where ID_SLOWNIKA=" + keldox::sql_id(info_->id) +
        " and wartosc='" + keldox::sql_escape(value) + "'");
    if (!found) return "WARTOSC";
    const double count = runtime::number_from_text(runtime::trim(*found));
    // A changed row that keeps its value finds itself once.
    const bool unchanged = form.request() != dane::Request::Insert &&
                           runtime::trim(form.original("WARTOSC")) == runtime::trim(value);
    if (count <= (unchanged ? 1 : 0)) return std::nullopt;
    form.warn("Wartości słownika " + info_->name + " muszą być unikalne!|Proszę wprowadzić nową wartość.");
    return "WARTOSC";
  }

 private:
  std::shared_ptr<const DictionaryInfo> info_;
  std::string start_at_;
};

// The values of one dictionary, as the values' browse and the picker show them.
Description value_description(const DictionaryInfo& source, std::string start_at) {
  auto info = std::make_shared<const DictionaryInfo>(source);
  Description d;
  d.form = "Slownik_klas_war_upd";
  d.table = std::string(kValueTable);
  d.insert_title = "Dodawanie wartości słownika";
  d.change_title = "Edycja wartości słownika";
  d.delete_question = "Czy usunąć tę wartość słownika?";
  d.validation_failure = "Wystąpił problem podczas zatwierdzania wartości słownika! Powód: ";
  const bool numeric = numeric_type(info->type);
  d.columns = {
      {.name = "ID_WARTOSCI",
       .header = "Id",
       .picture = "@n9",
       .numeric = true,
       .in_list = false,
       .in_form = false},
      {.name = "ID_SLOWNIKA",
       .header = "Słownik",
       .picture = "@n9",
       .numeric = true,
       .in_list = false,
       .in_form = false},
      {.name = "WARTOSC",
       .header = "Wartości",
       .picture = info->picture,
       .kind = runtime::same_name(info->type, "data") ? dane::FieldKind::Date
               : numeric                              ? dane::FieldKind::Number
                                                      : dane::FieldKind::Text,
       .required = true,
       .required_message = "Proszę wprowadzić wartość słownika!",
       // Values are texts in the database, so they sort as texts; only their look follows the type.
       .align_right = numeric},
  };
  d.sorts = {{"wartość", {"WARTOSC", "ID_WARTOSCI"}}};
  d.ranges = {{"ID_SLOWNIKA", keldox::sql_id(info->id)}};
  d.permissions = {
      .base = "PolaDodatkowe", .genitive = "pól dodatkowych", .edit = false, .single_code = true};
  d.help_topic = "slowniki_dodatkowe.htm";
  d.hooks = [info, start_at = std::move(start_at)] { return std::make_unique<ValueHooks>(info, start_at); };
  return d;
}

}  // namespace

std::string classifier_dictionary_picture(std::string_view type) {
  if (runtime::same_name(type, "liczba całkowita")) return "n_8";
  if (runtime::same_name(type, "liczba")) return "n14_`2";
  if (runtime::same_name(type, "data")) return "d17";
  return "s100";
}

const Description& classifier_dictionaries() {
  static const Description d = [] {
    Description d;
    d.browse = "Slownik_klas_brw";
    d.form = "Slownik_klas_upd";
    d.menu = "Słowniki pól dodatkowych";
    d.table = "KLSL";
    d.registry = "SlownikiKlasyfikatorow";
    d.title = "Słowniki pól dodatkowych";
    d.insert_title = "Dodawanie słownika";
    d.change_title = "Edycja słownika";
    d.delete_question = "Czy usunąć ten słownik?";
    d.validation_failure = "Wystąpił problem podczas zatwierdzania słownika! Powód: ";
    d.columns = {
        {.name = "ID_SLOWNIKA",
         .header = "Id",
         .picture = "@n9",
         .numeric = true,
         .in_list = false,
         .in_form = false},
        {.name = "NAZWA",
         .header = "Nazwa słownika",
         .picture = "@s50",
         .required = true,
         .required_message = "Proszę wprowadzić nazwę słownika!"},
        {.name = "TYP_DANYCH",
         .header = "Typ danych",
         .picture = "@s20",
         .kind = dane::FieldKind::Choice,
         .default_value = "tekst",
         .choices = {"tekst", "liczba całkowita", "liczba", "data"}},
        {.name = "MASKA", .header = "Format", .picture = "@s20", .default_value = "s100"},
    };
    d.sorts = {{"nazwa", {"NAZWA", "ID_SLOWNIKA"}}};
    d.permissions = {
        .base = "PolaDodatkowe", .genitive = "pól dodatkowych", .edit = false, .single_code = true};
    d.help_topic = "slowniki_dodatkowe.htm";
    d.duplicates = {{"NAZWA",
                     "select count(*) from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA<>{#ID_SLOWNIKA} and "
                     "nazwa='{NAZWA}'",
                     "Nazwę słownika musi być unikalna!|Proszę wprowadzić nową nazwę.", true}};
    d.hooks = [] { return std::make_unique<DictionaryListHooks>(); };
    d.open = [] { SLOWNIK_KLAS_BRW(); };
    return d;
  }();
  return d;
}

void SLOWNIK_KLAS_BRW() {
  run_requested_browse(classifier_dictionaries());
}

void SLOWNIK_KLAS_WAR_BRW(std::uint32_t dictionary) {
  const DictionaryInfo info = read_dictionary(dictionary);
  Description d = value_description(info, {});
  d.browse = "Slownik_klas_war_brw";
  d.registry = "SlownikKlasyfikatoraWartosci";
  d.title = "Wartości słownika " + info.name;
  run_requested_browse(d);
}

void SLOWNIK_KLASWAR_BRW() {
  dane::Table& values = *dane::find_table(kValueTable);
  const auto id = static_cast<std::uint32_t>(values.number("ID_SLOWNIKA"));
  const std::string current(runtime::trim(values.text("WARTOSC")));
  const DictionaryInfo info = read_dictionary(id);
  Description d = value_description(info, current);
  d.browse = "Slownik_klaswar_brw";
  d.registry = "SLOWNIKIDOD";
  d.title = "Słownik " + info.name;
  run_requested_browse(d);
}

std::optional<std::string> pick_classifier_value(std::uint32_t dictionary, std::string_view current) {
  dane::Table& values = *dane::find_table(kValueTable);
  values.clear();
  values.set_number("ID_SLOWNIKA", dictionary);
  values.set_text("WARTOSC", current);
  dane::GLOBALREQUEST = static_cast<std::uint8_t>(dane::Request::Select);
  SLOWNIK_KLASWAR_BRW();
  if (dane::GLOBALRESPONSE != static_cast<std::uint8_t>(dane::Response::Completed)) return std::nullopt;
  return std::string(runtime::trim(values.text("WARTOSC")));
}

}  // namespace slownik

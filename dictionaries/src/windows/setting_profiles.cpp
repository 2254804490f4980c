// Setting profiles: named variants of a context's configuration positions per firm, which contractors
// can be assigned. A profile keeps one value per position in MAG_PROFIL_USTAWIEN_POZYCJA.
#include <map>
#include <memory>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "pattern/dictionary_form.h"
#include "pattern/run.h"
#include "runtime/number_text.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"
#include "windows/windows.h"

namespace slownik {
namespace {

constexpr int kNeverInProfile = 145;

struct Position {
  std::int64_t id = 0;
  std::string code;
  std::string default_value;
};

// The positions of a context: those whose code begins with it, in code order.
std::vector<Position> context_positions(const std::string& context) {
  std::vector<Position> out;
  keldox::EXECSQL("select id_pozycji, kod, wartosc_domyslna from POZYCJAKONFIG where kod like '" +
                  keldox::sql_escape(context) + "%' and id_pozycji<>" + std::to_string(kNeverInProfile) +
                  " order by kod");
  while (keldox::next_row()) {
    out.push_back({static_cast<std::int64_t>(runtime::number_from_text(keldox::column(1))),
                   std::string(runtime::trim(keldox::column(2))),
                   std::string(runtime::trim(keldox::column(3)))});
  }
  keldox::CLOSESQL();
  return out;
}

class ProfileHooks : public DictionaryHooks {
 public:
  ProfileHooks(std::string context, std::shared_ptr<const std::vector<Position>> positions)
      : context_(std::move(context)), positions_(std::move(positions)) {}

  void form_opened(DictionaryForm& form) override {
    for (const Position& p : *positions_) values_[p.id] = p.default_value;
    if (form.request() == dane::Request::Insert) {
      form.store().set("ID_FIRMY", keldox::sql_id(dane::GLO.ID_FIRMY));
      form.store().set("KONTEKST", context_);
    } else {
      const std::string id = profile_id(form);
      keldox::EXECSQL("select ID_POZYCJI, WARTOSC from MAG_PROFIL_USTAWIEN_POZYCJA where ID_PROFILU=" + id);
      while (keldox::next_row()) {
        const auto position = static_cast<std::int64_t>(runtime::number_from_text(keldox::column(1)));
        if (values_.contains(position)) values_[position] = runtime::trim(keldox::column(2));
      }
      keldox::CLOSESQL();
    }
    if (!positions_->empty()) show_position(form, positions_->front());
  }

  bool field_accepted(DictionaryForm& form, std::string_view field) override {
    if (runtime::same_name(field, "WARTOSC")) {
      if (const Position* p = shown_position()) values_[p->id] = runtime::trim(form.value("WARTOSC"));
    } else if (runtime::same_name(field, "POZYCJA")) {
      for (const Position& p : *positions_) {
        if (runtime::same_name(p.code, runtime::trim(form.value("POZYCJA")))) show_position(form, p);
      }
    }
    return true;
  }

  std::optional<std::string> delete_question(DictionaryForm& form) override {
    const std::string count = keldox::FUNCSQL(
        "select count(1) from MAG_PROFIL_USTAWIEN_KONTRAHENTA where id_profilu=" + profile_id(form));
    if (runtime::number_from_text(count) <= 0) return std::nullopt;
    return "Wariant " + std::string(runtime::trim(form.value("NAZWA"))) +
           " jest przypisany do kontrahentów.|Czy usunąć go wraz z przypisaniami?";
  }

  // The profile's values go with it in one transaction, so that a failure leaves the ones it had.
  void form_saved(DictionaryForm& form) override {
    const std::string id = profile_id(form);
    std::string batch = "begin transaction delete from MAG_PROFIL_USTAWIEN_POZYCJA where ID_PROFILU=" + id;
    if (form.request() == dane::Request::Delete) {
      batch += " delete from MAG_PROFIL_USTAWIEN_KONTRAHENTA where ID_PROFILU=" + id;
    } else {
      for (const auto& [position, value] : values_) {
        batch += " insert into MAG_PROFIL_USTAWIEN_POZYCJA (ID_PROFILU, ID_POZYCJI, WARTOSC) values (" + id +
                 "," + std::to_string(position) + ",'" + keldox::sql_escape(value) + "')";
      }
    }
    batch += " commit transaction";
    if (keldox::ESQL(batch, 1) != 0) {
      const std::string why = dane::database().last_error().text;
      // A statement that failed inside the batch leaves its transaction open; nothing of it may stay.
      keldox::ESQL("rollback transaction", 1);
      keldox::MSG_OSTRZEZENIE("Nie udało się zapisać wartości wariantu ustawień!|" + why);
    }
    keldox::CLOSESQL();
  }

 private:
  static std::string profile_id(DictionaryForm& form) {
    return keldox::sql_id(runtime::number_from_text(form.store().get("ID_PROFILU")));
  }

  const Position* shown_position() const {
    for (const Position& p : *positions_) {
      if (p.id == shown_) return &p;
    }
    return nullptr;
  }

  void show_position(DictionaryForm& form, const Position& p) {
    shown_ = p.id;
    form.put("POZYCJA", p.code);
    form.put("WARTOSC", values_[p.id]);
    const std::string description(runtime::trim(
        keldox::FUNCSQL("select opis from POZYCJAKONFIG where id_pozycji=" + std::to_string(p.id))));
    form.put("OPIS", description + "\n" + "Wartość domyślna: " + p.default_value);
  }

  std::string context_;
  std::shared_ptr<const std::vector<Position>> positions_;
  std::map<std::int64_t, std::string> values_;
  std::int64_t shown_ = 0;
};

Description profile_description(const std::string& context) {
  auto positions = std::make_shared<const std::vector<Position>>(context_positions(context));
  std::vector<std::string> codes;
  for (const Position& p : *positions) codes.push_back(p.code);
  const std::string title = runtime::same_name(context, "XML") ? "Wariant ustawień wymiany danych XML"
                                                               : "Warianty ustawień " + context;
  Description d;
  d.browse = "profile_ustawien_brw";
  d.form = "profile_ustawien_upd";
  d.table = "PROFU";
  d.registry = "ProfileUstawien";
  d.title = title;
  d.insert_title = "Dodawanie ";
  d.change_title = "Edycja";
  d.delete_question = "Czy usunąć ten wariant ustawień?";
  d.validation_failure = "Wystąpił problem podczas zatwierdzania wariantu ustawień! Powód: ";
  // The position, its value and description belong to the form alone: the list reads nothing for them.
  d.columns = {
      {.name = "ID_PROFILU",
       .header = "Id",
       .picture = "@n9",
       .numeric = true,
       .in_list = false,
       .in_form = false},
      {.name = "ID_FIRMY",
       .header = "Firma",
       .picture = "@n9",
       .numeric = true,
       .in_list = false,
       .in_form = false},
      {.name = "KONTEKST", .header = "Kontekst", .picture = "@s30", .in_list = false, .in_form = false},
      {.name = "NAZWA",
       .header = "Nazwa wariantu",
       .picture = "@s50",
       .required = true,
       .required_message = "Nazwa wariantu ustawień nie może być pusta!"},
      {.name = "POZYCJA",
       .header = "Pozycja",
       .picture = "@s20",
       .kind = dane::FieldKind::Choice,
       .in_list = false,
       .choices = codes,
       .expression = "''"},
      {.name = "WARTOSC", .header = "Wartość", .picture = "@s255", .in_list = false, .expression = "''"},
      {.name = "OPIS",
       .header = "Opis",
       .picture = "@s1100",
       .kind = dane::FieldKind::Memo,
       .in_list = false,
       .editable = false,
       .expression = "''"},
  };
  d.sorts = {{"nazwa", {"NAZWA", "ID_PROFILU"}}};
  d.ranges = {{"ID_FIRMY", "{@FIRMA}"}, {"KONTEKST", context}};
  d.duplicates = {
      {"NAZWA",
       "select id_profilu from MAG_PROFILE_USTAWIEN where id_firmy={@FIRMA} and nazwa='{NAZWA}' and "
       "kontekst='" +
           keldox::sql_escape(context) + "' and id_profilu<>{#ID_PROFILU}",
       "Istnieje już wariant ustawień o podanej nazwie!|Proszę zmienić nazwę.", true}};
  d.help_topic = "profile_ustawien.htm";
  d.hooks = [context, positions] { return std::make_unique<ProfileHooks>(context, positions); };
  return d;
}

}  // namespace

void PROFILE_USTAWIEN_BRW(std::string_view context) {
  run_requested_browse(profile_description(std::string(runtime::trim(context))));
}

}  // namespace slownik

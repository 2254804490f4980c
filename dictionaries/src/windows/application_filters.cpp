// Application filters: named values of a filter window, kept per context and shared with the users
// assigned to them. The filter's values are those its author stored (MAG_FILTR_UZYTKOWNIKA), its users
// the rows of MAG_UZYTKOWNIK_FILTROW; the administrator and the author always stay among them.
#include <memory>
#include <string>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/record_group.h"
#include "dane/table.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "keldox/user_filters.h"
#include "pattern/dictionary_browse.h"
#include "pattern/dictionary_form.h"
#include "pattern/run.h"
#include "runtime/number_text.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"
#include "windows/assigned_users.h"

namespace slownik {
namespace {

constexpr std::string_view kSubsystem = "FiltrF8";
constexpr std::string_view kType = "Filtr";

double number(std::string_view text) {
  return runtime::number_from_text(runtime::trim(text));
}

Description filter_users_description(double filter, double author, std::string_view name) {
  const std::string id = keldox::sql_id(filter);
  UserAssignment a;
  a.browse = "UzytkownicyFiltra_Brw";
  a.title = "Użytkownicy filtra " + std::string(runtime::trim(name));
  a.owner_filter =
      "ID_UZYTKOWNIKA in (select ID_UZYTKOWNIKA from MAG_UZYTKOWNIK_FILTROW where ID_FILTRA=" + id + ")";
  a.author = author;
  a.count_user = [id](const std::string& user) {
    return "select count(*) from MAG_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA=" + user +
           " and ID_FILTRA=" + id;
  };
  a.add_user = [id](const std::string& user) {
    return "insert into MAG_UZYTKOWNIK_FILTROW(ID_UZYTKOWNIKA, ID_FILTRA) values(" + user + "," + id + ")";
  };
  a.add_all = "insert into MAG_UZYTKOWNIK_FILTROW(ID_UZYTKOWNIKA, id_FILTRA) select ID_UZYTKOWNIKA," + id +
              " from uzytkownik where id_uzytkownika not in " +
              "(select id_uzytkownika from MAG_UZYTKOWNIK_FILTROW where id_FILTRA=" + id + ")";
  a.remove_user = [id](const std::string& user) {
    return "delete MAG_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA=" + user + " and id_filtra=" + id;
  };
  a.remove_all =
      "delete MAG_UZYTKOWNIK_FILTROW from MAG_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA<>3000001 and "
      "ID_UZYTKOWNIKA<>" +
      keldox::sql_id(author) + " and ID_FILTRA=" + id;
  a.already_assigned = "Wybrany użytkownik jest już przypisany do filtra!";
  a.add_all_question = "Czy przydzielić wszystkich użytkowników do filtra ?";
  a.administrator_stays = "Użytkownika Administrator nie można usunąć z listy przypisanych do filtra.";
  a.remove_author_question =
      "Czy na pewno usunąć użytkownika, któy utworzył filtr z listy przypisanych użytkowników do filtra?";
  a.remove_question = "Czy usunąć użytkownika z listy przypisanych do filtra?";
  a.remove_all_question =
      "Czy usunąć przypisanie wszystkich użytkowników do filtra (Administrator oraz twórca filtra nie "
      "zostaną "
      "usunięci z listy) ?";
  Description d = assigned_users_description(std::move(a));
  d.help_topic = "filtry_aplikacji.htm";
  return d;
}

class FilterHooks : public DictionaryHooks {
 public:
  FilterHooks(std::string context, dane::RecordGroup* group) : context_(std::move(context)), group_(group) {}

  void browse_opened(DictionaryBrowse& browse) override { add_users_action(browse, "Użytkownicy filtra"); }

  bool browse_action(DictionaryBrowse& browse, std::string_view name) override {
    if (!runtime::same_name(name, kUsersAction)) return false;
    const double filter = number(browse.current_value("ID_FILTRA").value_or("0"));
    if (filter <= 0) return false;
    run_dictionary_browse(
        filter_users_description(filter, number(browse.current_value("ID_UZYTKOWNIKA").value_or("0")),
                                 browse.current_value("NAZWA").value_or("")),
        dane::Request::None);
    return false;
  }

  // The chosen filter's values fill the caller's filter window.
  bool browse_select(DictionaryBrowse& browse) override {
    if (!group_) return true;
    dane::Table& stored = *dane::find_table("FILU");
    if (!stored.open().ok()) return true;
    stored.clear();
    stored.set_text("ID_FILTRA", browse.current_value("ID_FILTRA").value_or("0"));
    stored.set_number("ID_FIRMY", dane::GLO.ID_FIRMY);
    stored.set_text("ID_UZYTKOWNIKA", browse.current_value("ID_UZYTKOWNIKA").value_or("0"));
    if (stored.fetch("PK_MAG_FILTR_UZYTKOWNIKA").ok()) {
      std::string xml = stored.text("XML_FILTRA");
      keldox::XMLDOGRUPY(xml, *group_);
    }
    stored.close();
    return true;
  }

  void form_opened(DictionaryForm& form) override {
    if (form.request() != dane::Request::Insert) return;
    form.store().set("PODSYSTEM", std::string(kSubsystem));
    form.store().set("TYP", std::string(kType));
    form.store().set("KONTEKST", context_);
    form.store().set("ID_UZYTKOWNIKA", keldox::sql_id(dane::GLO.ID_UZYTKOWNIKA));
  }

  // A new filter is registered by the server, which assigns it to the administrator and its author; the
  // filter window's values are then kept as the author's.
  std::optional<bool> save_record(DictionaryForm& form) override {
    if (form.request() != dane::Request::Insert) return std::nullopt;
    const std::string name(runtime::trim(form.value("NAZWA")));
    const std::string call = "call RM_DodajFiltrUzytkownika('" + keldox::sql_escape(name) + "','" +
                             keldox::sql_escape(context_) + "','" + std::string(kType) + "','" +
                             std::string(kSubsystem) + "'," + keldox::sql_id(dane::GLO.ID_UZYTKOWNIKA) + "," +
                             keldox::sql_id(dane::GLO.ID_FIRMY) + ")";
    const std::string id = keldox::FUNCSQL(call, 1);
    const db::Status status = dane::database().last_error();
    keldox::CLOSESQL();
    if (number(id) <= 0) {
      form.warn(form.description().validation_failure + status.text);
      return false;
    }
    form.store().set("ID_FILTRA", std::string(runtime::trim(id)));
    if (group_) keldox::ZAPISZXMLFILTRUZYTKOWNIKA(static_cast<std::int32_t>(number(id)), *group_);
    return true;
  }

  // The filter's users and stored values go with it.
  void form_saved(DictionaryForm& form) override {
    if (form.request() != dane::Request::Delete) return;
    const std::string id = keldox::sql_id(number(form.store().get("ID_FILTRA")));
    keldox::ESQL("delete from MAG_UZYTKOWNIK_FILTROW where ID_FILTRA=" + id);
    keldox::ESQL("delete from MAG_FILTR_UZYTKOWNIKA where ID_FILTRA=" + id);
    keldox::CLOSESQL();
  }

 private:
  std::string context_;
  dane::RecordGroup* group_;
};

Description filter_description(const std::string& context, dane::RecordGroup* group) {
  Description d;
  d.browse = "ListaFiltrowAplikacji_Brw";
  d.form = "FiltrAplikacji_upd";
  d.table = "DEFF";
  d.registry = "ListaFiltrowAplikacji";
  d.title = "Filtry aplikacji";
  d.insert_title = "Dodawanie filtra";
  d.change_title = "Edycja filtra";
  d.delete_question = "Czy usunąć bieżący filtr?";
  d.validation_failure = "Wystąpił problem podczas zatwierdzania filtra! Powód: ";
  d.columns = {
      {.name = "ID_FILTRA",
       .header = "Id",
       .picture = "@n9",
       .numeric = true,
       .in_list = false,
       .in_form = false},
      {.name = "NAZWA",
       .header = "Nazwa filtra",
       .picture = "@s50",
       .required = true,
       .required_message = "Nazwa filtra nie może być pusta!"},
      {.name = "PODSYSTEM", .header = "Podsystem", .picture = "@s30", .in_list = false, .in_form = false},
      {.name = "TYP", .header = "Typ", .picture = "@s30", .in_list = false, .in_form = false},
      {.name = "KONTEKST", .header = "Kontekst", .picture = "@s30", .in_list = false, .in_form = false},
      {.name = "ID_UZYTKOWNIKA",
       .header = "Autor",
       .picture = "@n9",
       .numeric = true,
       .in_list = false,
       .in_form = false},
  };
  d.sorts = {{"nazwa", {"NAZWA", "ID_FILTRA"}}};
  d.ranges = {{"PODSYSTEM", std::string(kSubsystem)}, {"TYP", std::string(kType)}, {"KONTEKST", context}};
  d.filter = "ID_FILTRA in (select ID_FILTRA from MAG_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA=" +
             keldox::sql_id(dane::GLO.ID_UZYTKOWNIKA) + ")";
  d.duplicates = {{"NAZWA",
                   "select id_filtra from MAG_DEFINICJA_FILTRA where podsystem='FiltrF8' and Typ='Filtr' and "
                   "nazwa='{NAZWA}' and id_filtra<>{#ID_FILTRA}",
                   "Istnieje już filtr o podanej nazwie!|Proszę zmienić nazwę."}};
  d.help_topic = "filtry_aplikacji.htm";
  d.hooks = [context, group] { return std::make_unique<FilterHooks>(context, group); };
  return d;
}

}  // namespace

void LISTAFILTROWAPLIKACJI_BRW(std::string_view context, dane::RecordGroup& group) {
  run_requested_browse(filter_description(std::string(runtime::trim(context)), &group));
}

void FILTRAPLIKACJI_UPD(std::string_view context, dane::RecordGroup& group) {
  const Description d = filter_description(std::string(runtime::trim(context)), &group);
  dane::TableRecordStore store(*dane::find_table(d.table));
  run_dictionary_form(d, store);
}

}  // namespace slownik

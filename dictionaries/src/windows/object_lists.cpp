// Object lists: named sets of contractors (use code 120) or articles (102) of a firm, made from the
// records the user has marked, and shared with the users assigned to them.
#include <memory>
#include <string>

#include "dane/globals.h"
#include "dane/sql_row_source.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "pattern/dictionary_browse.h"
#include "pattern/dictionary_form.h"
#include "pattern/run.h"
#include "runtime/number_text.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"
#include "windows/assigned_users.h"

namespace slownik {
namespace {

constexpr std::int32_t kArticles = 102;
constexpr std::string_view kFromMarks = "Z_ZAZNACZONYCH";
constexpr std::string_view kMarksText = "ZAZNACZONE";

double number(std::string_view text) {
  return runtime::number_from_text(runtime::trim(text));
}

struct ListKind {
  std::int32_t use = 120;
  std::int32_t warehouse = 0;  // articles of one warehouse; 0: all
  bool articles() const { return use == kArticles; }
};

// The user's marks of the use code (of the warehouse's articles when the list is limited to one).
std::int64_t marked_count(const ListKind& kind) {
  const std::string user = keldox::sql_id(dane::GLO.ID_UZYTKOWNIKA);
  const std::string use = std::to_string(kind.use);
  const std::string statement =
      kind.articles() && kind.warehouse > 0
          ? "select count(*) from zaznaczone z inner join artykul a on (z.id=a.id_artykulu and "
            "a.id_magazynu=" +
                std::to_string(kind.warehouse) + ") where z.id>0 and z.uzycie=" + use +
                " and z.id_sesji=" + user
          : "select count(*) from zaznaczone where id>0 and uzycie=" + use + " and id_sesji=" + user;
  const std::string count = keldox::FUNCSQL(statement);
  keldox::CLOSESQL();
  return static_cast<std::int64_t>(number(count));
}

std::string marks_text(const ListKind& kind, std::int64_t count) {
  if (count <= 0)
    return kind.articles() ? "brak aktualnie zaznaczonych artykułów"
                           : "brak aktualnie zaznaczonych kontrahentów";
  if (count == 1)
    return std::string("utwórz listę z ") +
           (kind.articles() ? "zaznaczonego aktualnie artykułu" : "zaznaczonego aktualnie kontrahenta");
  return "utwórz listę z zaznaczonych aktualnie " + std::to_string(count) +
         (kind.articles() ? " artykułów " : " kontrahentów ");
}

// The entry of the user's current marks, first in the list: what a new list made from the marks would hold.
// It is no list (its identifier is 0): it cannot be changed or deleted, and has no users.
class CurrentMarksSource : public dane::RowSource {
 public:
  CurrentMarksSource(std::unique_ptr<dane::SqlRowSource> inner, ListKind kind)
      : inner_(std::move(inner)), kind_(kind) {
    for (std::size_t i = 0; i < inner_->columns().size(); ++i) {
      if (runtime::same_name(inner_->columns()[i].name, "ID_LISTY")) id_ = i;
    }
  }
  const std::vector<dane::Column>& columns() const override { return inner_->columns(); }
  std::optional<dane::SourceFailure> failure() const override { return inner_->failure(); }

  std::vector<dane::Row> page(const dane::PageQuery& query, std::size_t count) override {
    // The entry stands before every list in the list's own order; a search or a reversed order goes
    // without it.
    if (query.locate || query.order.descending || id_ >= columns().size() || count == 0)
      return inner_->page(query, count);
    const bool after_entry = query.after_key && is_entry_key(query.order, *query.after_key);
    if (!query.backwards) {
      dane::PageQuery rest = query;
      if (after_entry) rest.after_key.reset();
      if (query.after_key && !after_entry) return inner_->page(query, count);
      std::vector<dane::Row> rows;
      if (!after_entry) rows.push_back({});
      std::vector<dane::Row> lists = inner_->page(rest, after_entry ? count : count - 1);
      for (dane::Row& r : lists) rows.push_back(std::move(r));
      if (!after_entry) rows.front() = entry();
      return rows;
    }
    if (after_entry) return {};
    std::vector<dane::Row> rows = inner_->page(query, count);
    if (rows.size() < count) rows.push_back(entry());  // back at the start of the lists
    return rows;
  }

 private:
  bool is_entry_key(const dane::SortOrder& order, const dane::Row& key) const {
    for (std::size_t i = 0; i < order.key_columns.size() && i < key.size(); ++i) {
      if (order.key_columns[i] == id_) return runtime::trim(key[i]) == "0";
    }
    return false;
  }

  dane::Row entry() const {
    dane::Row row(columns().size());
    for (std::size_t i = 0; i < columns().size(); ++i) {
      const std::string& name = columns()[i].name;
      if (runtime::same_name(name, "NAZWA_LISTY"))
        row[i] = kind_.articles() ? "<zaznaczone artykuły>" : "<zaznaczeni kontrahenci>";
      else if (runtime::same_name(name, "ELEMENTY"))
        row[i] = std::to_string(marked_count(kind_));
      else if (runtime::same_name(name, "UZYCIE"))
        row[i] = std::to_string(kind_.use);
      else if (runtime::same_name(name, "ID_FIRMY"))
        row[i] = keldox::sql_id(dane::GLO.ID_FIRMY);
      else
        row[i] = columns()[i].numeric ? "0" : "";
    }
    return row;
  }

  std::unique_ptr<dane::SqlRowSource> inner_;
  ListKind kind_;
  std::size_t id_ = static_cast<std::size_t>(-1);
};

Description list_users_description(double list, std::string_view name) {
  const std::string id = keldox::sql_id(list);
  UserAssignment a;
  a.browse = "UzytkownicyListy_Brw";
  a.title = "Użytkownicy listy " + std::string(runtime::trim(name));
  a.owner_filter =
      "ID_UZYTKOWNIKA in (select ID_UZYTKOWNIKA from MAG_UZYTKOWNIK_LISTY_OBIEKTOW where id_listy=" + id +
      ")";
  a.count_user = [id](const std::string& user) {
    return "select count(*) from MAG_UZYTKOWNIK_LISTY_OBIEKTOW where ID_UZYTKOWNIKA=" + user +
           " and id_listy=" + id;
  };
  a.add_user = [id](const std::string& user) {
    return "insert into MAG_UZYTKOWNIK_LISTY_OBIEKTOW(ID_UZYTKOWNIKA, id_listy) values(" + user + "," + id +
           ")";
  };
  a.add_all = "insert into MAG_UZYTKOWNIK_LISTY_OBIEKTOW(ID_UZYTKOWNIKA, id_listy) select ID_UZYTKOWNIKA," +
              id + " from uzytkownik where id_uzytkownika not in " +
              "(select id_uzytkownika from MAG_UZYTKOWNIK_LISTY_OBIEKTOW where id_listy=" + id + ")";
  a.remove_user = [id](const std::string& user) {
    return "delete MAG_UZYTKOWNIK_LISTY_OBIEKTOW where ID_UZYTKOWNIKA=" + user + " and id_listy=" + id;
  };
  a.remove_all = "delete MAG_UZYTKOWNIK_LISTY_OBIEKTOW where ID_UZYTKOWNIKA<>3000001 and id_listy=" + id;
  a.already_assigned = "Wybrany użytkownik jest już przypisany do listy!";
  a.add_all_question = "Czy przydzielić wszystkich użytkowników do listy zaznaczonych rekordów?";
  a.administrator_stays = "Użytkownika Administrator nie można usunąć z listy zaznaczonych rekordów.";
  a.remove_question = "Czy usunąć użytkownika z danej listy?";
  a.remove_all_question = "Czy usunąć wszystkich użytkownika z danej listy zaznaczonych rekordów?";
  return assigned_users_description(std::move(a));
}

class ObjectListHooks : public DictionaryHooks {
 public:
  explicit ObjectListHooks(ListKind kind) : kind_(kind) {}

  void browse_opened(DictionaryBrowse& browse) override { add_users_action(browse, "Użytkownicy listy"); }

  bool browse_action(DictionaryBrowse& browse, std::string_view name) override {
    if (!runtime::same_name(name, kUsersAction)) return false;
    const double list = number(browse.current_value("ID_LISTY").value_or("0"));
    if (list > 0)
      run_dictionary_browse(list_users_description(list, browse.current_value("NAZWA_LISTY").value_or("")),
                            dane::Request::None);
    return false;
  }

  void form_opened(DictionaryForm& form) override {
    if (form.request() == dane::Request::Insert) {
      form.store().set("ID_FIRMY", keldox::sql_id(dane::GLO.ID_FIRMY));
      form.store().set("UZYCIE", std::to_string(kind_.use));
      form.put("NAZWA_LISTY", kind_.articles() ? "Lista artykułów" : "Lista kontrahentów");
    }
    const std::int64_t count = marked_count(kind_);
    form.put(kMarksText, marks_text(kind_, count));
    form.put(kFromMarks, "0");
    form.set_enabled(kFromMarks, count > 0);
  }

  void form_saved(DictionaryForm& form) override {
    const std::string list = keldox::sql_id(number(form.store().get("ID_LISTY")));
    const std::string user = keldox::sql_id(dane::GLO.ID_UZYTKOWNIKA);
    if (form.request() == dane::Request::Delete) {
      keldox::ESQL("delete from MAG_ELEMENTY_LISTY_OBIEKTOW where id_listy=" + list);
      keldox::ESQL("delete from MAG_UZYTKOWNIK_LISTY_OBIEKTOW where id_listy=" + list);
      keldox::CLOSESQL();
      return;
    }
    if (form.request() == dane::Request::Insert) {
      keldox::ESQL(
          "insert into MAG_UZYTKOWNIK_LISTY_OBIEKTOW(ID_UZYTKOWNIKA, id_listy) select ID_UZYTKOWNIKA," +
          list + " from uzytkownik where id_uzytkownika in " + "(3000001," + user + ")");
    }
    if (runtime::trim(form.value(kFromMarks)) == "1") {
      const std::string warehouse =
          kind_.articles() && kind_.warehouse > 0 ? std::to_string(kind_.warehouse) : std::string("0");
      keldox::ESQL("call RM_ZapiszZaznaczoneObiekty(" + list + "," + user + "," + std::to_string(kind_.use) +
                   "," + warehouse + ")");
    }
    keldox::CLOSESQL();
  }

 private:
  ListKind kind_;
};

Description list_description(ListKind kind) {
  Description d;
  d.browse = "Listy_Obiektow";
  d.form = "listy_obiektow_upd";
  d.table = "LOB";
  d.registry = "ListyObiektow";
  d.title = kind.articles() ? "Listy artykułów" : "Listy kontrahentów";
  d.insert_title = "Dodawanie listy";
  d.change_title = "Edycja listy";
  d.delete_question = "Czy usunąć bieżącą listę?";
  d.validation_failure = "Wystąpił problem podczas zatwierdzania listy! Powód: ";
  d.columns = {
      {.name = "ID_LISTY",
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
      {.name = "UZYCIE",
       .header = "Użycie",
       .picture = "@n4",
       .numeric = true,
       .in_list = false,
       .in_form = false},
      {.name = "NAZWA_LISTY",
       .header = "Nazwa listy",
       .picture = "@s100",
       .required = true,
       .required_message = "Nazwa listy nie może być pusta!"},
      {.name = "ELEMENTY",
       .header = "Rekordów",
       .picture = "@n9",
       .numeric = true,
       .in_form = false,
       .editable = false,
       .expression = "(select count(*) from MAG_ELEMENTY_LISTY_OBIEKTOW e where "
                     "e.ID_LISTY=MAG_LISTA_OBIEKTOW.ID_LISTY)"},
      {.name = std::string(kMarksText),
       .header = "Zaznaczone",
       .picture = "@s80",
       .in_list = false,
       .editable = false,
       .expression = "''"},
      {.name = std::string(kFromMarks),
       .header = "Wypełnij listę zaznaczonymi rekordami",
       .picture = "@n1",
       .numeric = true,
       .kind = dane::FieldKind::Check,
       .in_list = false,
       .expression = "0"},
  };
  d.sorts = {{"nazwa", {"NAZWA_LISTY", "ID_LISTY"}}};
  d.ranges = {{"ID_FIRMY", "{@FIRMA}"}, {"UZYCIE", std::to_string(kind.use)}};
  d.filter = "ID_LISTY in (select id_listy from MAG_UZYTKOWNIK_LISTY_OBIEKTOW where ID_UZYTKOWNIKA=" +
             keldox::sql_id(dane::GLO.ID_UZYTKOWNIKA) + ")";
  d.duplicates = {{"NAZWA_LISTY",
                   "select id_listy from MAG_LISTA_OBIEKTOW where uzycie=" + std::to_string(kind.use) +
                       " and id_firmy={@FIRMA} and nazwa_listy='{NAZWA_LISTY}' and id_listy<>{#ID_LISTY}",
                   "Istnieje już lista o podanej nazwie!|Proszę zmienić nazwę."}};
  d.help_topic = "listy_obiektow.htm";
  d.source = [kind](std::unique_ptr<dane::SqlRowSource> inner) -> std::unique_ptr<dane::RowSource> {
    return std::make_unique<CurrentMarksSource>(std::move(inner), kind);
  };
  d.protected_rows =
      ProtectedRows{"ID_LISTY", "0",
                    std::string("Bieżące zaznaczenie nie jest listą.|Dodaj listę, by zapisać ") +
                        (kind.articles() ? "zaznaczone artykuły." : "zaznaczonych kontrahentów.")};
  d.hooks = [kind] { return std::make_unique<ObjectListHooks>(kind); };
  return d;
}

ListKind kind_of(std::string_view use, std::string_view warehouse) {
  ListKind kind;
  kind.use = static_cast<std::int32_t>(number(use)) == kArticles ? kArticles : 120;
  kind.warehouse = static_cast<std::int32_t>(number(warehouse));
  return kind;
}

}  // namespace

void LISTY_OBIEKTOW(std::string_view use, std::string_view warehouse, std::string_view, std::int32_t) {
  run_requested_browse(list_description(kind_of(use, warehouse)));
}

void LISTY_OBIEKTOW_UPD(std::int32_t use, std::int32_t warehouse, std::int32_t, std::int32_t) {
  const Description d = list_description(kind_of(std::to_string(use), std::to_string(warehouse)));
  dane::TableRecordStore store(*dane::find_table(d.table));
  run_dictionary_form(d, store);
}

}  // namespace slownik

#include "windows/assigned_users.h"

#include <memory>

#include "dane/table.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "pattern/dictionary_browse.h"
#include "pattern/run.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace slownik {
namespace {

constexpr double kAdministrator = 3000001;
constexpr std::string_view kAddUser = "DodajUzytkownika";
constexpr std::string_view kAddAll = "DodajWszystkich";
constexpr std::string_view kRemoveUser = "UsunUzytkownika";
constexpr std::string_view kRemoveAll = "UsunWszystkich";

double number(std::string_view text) {
  return runtime::number_from_text(runtime::trim(text));
}

// The users of every firm, to choose the one to assign.
const Description& all_users() {
  static const Description d = [] {
    Description d;
    d.browse = "Uzytkownicy_Brw";
    d.table = "UZY";
    d.registry = "Uzytkownicy";
    d.title = "Wybierz użytkownika";
    d.columns = {
        {.name = "ID_UZYTKOWNIKA", .header = "Id", .picture = "@n9", .numeric = true, .in_list = false},
        {.name = "NAZWA", .header = "Nazwa", .picture = "@s50"},
        {.name = "IDENTYFIKATOR", .header = "Identyfikator", .picture = "@s20"},
    };
    d.sorts = {{"nazwa", {"NAZWA", "IDENTYFIKATOR", "ID_UZYTKOWNIKA"}}};
    return d;
  }();
  return d;
}

// A statement that failed shows the error window; the list is read again either way.
bool run(const std::string& statement) {
  keldox::ESQL(statement);
  keldox::CLOSESQL();
  return true;
}

class AssignedUsersHooks : public DictionaryHooks {
 public:
  explicit AssignedUsersHooks(std::shared_ptr<const UserAssignment> a) : a_(std::move(a)) {}

  void browse_opened(DictionaryBrowse& browse) override {
    browse.add_action({.name = std::string(kAddUser),
                       .text = "[31848(~dodaj2.ico)]Dodaj użytkownika",
                       .key = "Insert",
                       .button = "&Dodaj"});
    browse.add_action({.name = std::string(kAddAll), .text = "Dodaj wszystkich", .key = "Ctrl+Insert"});
    browse.add_action({.name = std::string(kRemoveUser),
                       .text = "[31848(~usun2.ico)]Usuń użytkownika",
                       .key = "Delete",
                       .button = "&Usuń",
                       .needs_row = true,
                       .separator_before = true});
    browse.add_action({.name = std::string(kRemoveAll), .text = "Usuń wszystkich", .key = "Ctrl+Delete"});
  }

  bool browse_action(DictionaryBrowse& browse, std::string_view name) override {
    if (runtime::same_name(name, kAddUser)) return add_one();
    if (runtime::same_name(name, kAddAll))
      return keldox::MSG_PYTANIE(a_->add_all_question) == 2 && run(a_->add_all);
    if (runtime::same_name(name, kRemoveUser)) {
      const double user = number(browse.current_value("ID_UZYTKOWNIKA").value_or("0"));
      if (user <= 0) return false;
      if (user == kAdministrator) {
        keldox::MSG_OSTRZEZENIE(a_->administrator_stays);
        return false;
      }
      const bool author = a_->author > 0 && user == a_->author && !a_->remove_author_question.empty();
      if (keldox::MSG_PYTANIE(author ? a_->remove_author_question : a_->remove_question) != 2) return false;
      return run(a_->remove_user(keldox::sql_id(user)));
    }
    if (runtime::same_name(name, kRemoveAll))
      return keldox::MSG_PYTANIE(a_->remove_all_question) == 2 && run(a_->remove_all);
    return false;
  }

 private:
  bool add_one() {
    if (run_dictionary_browse(all_users(), dane::Request::Select).response != dane::Response::Completed)
      return false;
    const std::string user = keldox::sql_id(dane::find_table("UZY")->number("ID_UZYTKOWNIKA"));
    const std::string count = keldox::FUNCSQL(a_->count_user(user));
    if (number(count) > 0) {
      keldox::MSG_OSTRZEZENIE(a_->already_assigned);
      return false;
    }
    return run(a_->add_user(user));
  }

  std::shared_ptr<const UserAssignment> a_;
};

}  // namespace

void add_users_action(DictionaryBrowse& browse, std::string text) {
  browse.add_action({.name = std::string(kUsersAction),
                     .text = std::move(text),
                     .key = "Ctrl+U",
                     .button = "&Użytkownicy",
                     .needs_row = true,
                     .separator_before = true});
}

Description assigned_users_description(UserAssignment assignment) {
  auto a = std::make_shared<const UserAssignment>(std::move(assignment));
  Description d;
  d.browse = a->browse;
  d.table = "UZY1";
  d.registry = a->browse;
  d.title = a->title;
  d.columns = {
      {.name = "ID_UZYTKOWNIKA", .header = "Id", .picture = "@n9", .numeric = true, .in_list = false},
      {.name = "NAZWA", .header = "Nazwa", .picture = "@s50"},
      {.name = "IDENTYFIKATOR", .header = "Identyfikator", .picture = "@s20"},
  };
  // +UZY1:NAZWA,+UZY1:IDENTYFIKATOR
  d.sorts = {{"nazwa", {"NAZWA", "IDENTYFIKATOR", "ID_UZYTKOWNIKA"}}};
  d.filter = a->owner_filter;
  d.hooks = [a] { return std::make_unique<AssignedUsersHooks>(a); };
  return d;
}

}  // namespace slownik

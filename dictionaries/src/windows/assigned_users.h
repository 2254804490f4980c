// The users assigned to a shared record (an application filter, an object list): a list of them with
// adding one (chosen from all users), adding all, removing one and removing all. The administrator always
// stays; an author, when the record has one, is removed only after a question of its own.
#pragma once

#include <functional>
#include <string>

#include "pattern/description.h"
#include "pattern/dictionary_browse.h"

namespace slownik {

struct UserAssignment {
  std::string browse;  // procedure name of the list: "UzytkownicyFiltra_Brw"
  std::string title;
  std::string owner_filter;  // the condition over UZY1: that limits the list to the assigned users
  double author = 0;         // 0: the record has none
  // The statements, each given the user's identifier where it takes one (as the text of a number).
  std::function<std::string(const std::string& user)> count_user;
  std::function<std::string(const std::string& user)> add_user;
  std::string add_all;
  std::function<std::string(const std::string& user)> remove_user;
  std::string remove_all;
  // The texts.
  std::string already_assigned;
  std::string add_all_question;
  std::string administrator_stays;
  std::string remove_author_question;  // empty: the author is asked as anyone else
  std::string remove_question;
  std::string remove_all_question;
};

Description assigned_users_description(UserAssignment assignment);

// The action of a shared record's list that opens its users ("Użytkownicy filtra", Ctrl+U).
inline constexpr std::string_view kUsersAction = "Uzytkownicy";
void add_users_action(DictionaryBrowse& browse, std::string text);

}  // namespace slownik

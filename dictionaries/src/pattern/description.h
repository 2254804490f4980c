// The description of a dictionary window: everything the generic browse and form need to run one
// dictionary, as data. A dictionary that truly behaves differently adds hooks (hooks.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dane/row_source.h"
#include "dane/sql_row_source.h"

namespace slownik {

class DictionaryHooks;

// The permission family of a dictionary: the base code X and the words of its refusals. Members that a
// dictionary does not have are never asked.
struct Permissions {
  std::string base;      // "Waluty"; empty: the dictionary asks nothing
  std::string genitive;  // the plural in the genitive: "walut"
  bool access = true;    // X when the browse opens
  bool add = true;       // "D" + X
  bool view = true;      // "O" + X
  bool remove = true;    // "U" + X
  bool edit = true;      // "E" + X: without it the form is read-only
  // A refusal at opening in a box of its own instead of the warning (VAT rates).
  std::string access_box_text{};
  // The base code alone governs adding, changing and deleting, and none of the members is asked: without
  // it the list still opens, with those actions disabled (the classifier dictionaries).
  bool single_code = false;
};

struct SortSpec {
  std::string name;
  std::vector<std::string> fields;  // leading column first, ending on a unique key
};

// A duplicate check on OK: runs when `field` differs from its value when the form opened (always on
// insert). In `statement` and `message`, {FIELD} stands for the field's trimmed value (quoted by the one
// quoting helper in the statement: single quotes doubled), {#FIELD} for it as a number and {@FIRMA} for
// the current company. The first column of the first row is a conflict when it is not empty (and, with
// `count`, when it is above 0).
struct DuplicateCheck {
  std::string field;
  std::string statement;
  std::string message;
  bool count = false;
};

// Rows the system owns: a row whose `field` holds `value` is neither changed nor deleted.
struct ProtectedRows {
  std::string field;
  std::string value;
  std::string message;
};

// Row locks of shared master data, kept on the server while a row is edited.
struct RowLock {
  std::string table;  // as the lock procedures take it: "banki"
  std::string id_field;
  std::string message;          // "Bank jest aktualizowany przez innego użytkownika!"
  std::string delete_question;  // "Czy usunąć ten bank?"
};

// Sort order, direction and filter flags kept per user between openings.
struct StoredChoices {
  std::string sort_setting = "sortowanie";
  std::string direction_setting{};  // "porządek"; empty: the browse has no direction button
};

// Record marking in the browse: the list's use code, the column holding the record identifier (as the
// list's statement names it) and the noun of the marking button's tooltip ("banków").
struct Marking {
  std::int32_t use = 0;
  std::string id_field;
  std::string noun;
};

struct Description {
  std::string browse;           // procedure name of the browse: "Waluty_Brw"
  std::string form;             // procedure name of its update form: "Waluty_Upd"; empty: no form
  std::string menu;             // its entry in the main program's "Słowniki" menu; empty: not in the menu
  std::string table;            // the record prefix of its table: "WAL"
  std::string from;             // what the list reads, when not the table's database object
  std::string registry;         // the open-window registry name: "Waluty"
  std::string columns_window;   // its column layout's window name, when not `browse`
  std::string parameter_owner;  // owner of its window parameters (stored choices): "Bank_Brw"

  std::string title;            // "Waluty"
  std::string insert_title;     // "Dodawanie waluty"
  std::string change_title;     // "Edycja waluty"
  std::string view_title;       // empty: "View Record"
  std::string insert_action;    // "Waluta zostanie dodana", shown before the title replaces it
  std::string change_action;    // "Waluta zostanie zmieniona"
  std::string delete_question;  // dictionaries whose form deletes: "Czy usunąć tę walutę?"
  // The prefix of the warning for a statement that fails while the form is validated.
  std::string validation_failure;  // "Wystąpił problem podczas zatwierdzania danych waluty! Powód: "

  std::vector<dane::Column> columns;
  std::vector<SortSpec> sorts;
  std::string locator;  // the field the locator searches; empty: each order's leading column
  // Range limits: the field and the value it is limited to; "{@FIRMA}" is the current company.
  std::vector<std::pair<std::string, std::string>> ranges;
  std::string filter;  // a T-SQL condition over the listed columns

  Permissions permissions;
  std::string help_topic;       // of the browse
  std::string form_help_topic;  // of the form; empty: the browse's
  std::vector<DuplicateCheck> duplicates;
  std::optional<ProtectedRows> protected_rows;
  std::optional<RowLock> lock;
  std::optional<StoredChoices> stored;
  std::optional<Marking> marking;

  std::function<std::unique_ptr<DictionaryHooks>()> hooks;
  // A list that adds columns of its own to each page it reads (the currencies' rates of the day): the
  // source over the table's columns comes in, the list's source goes out. Not with marking.
  std::function<std::unique_ptr<dane::RowSource>(std::unique_ptr<dane::SqlRowSource>)> source;
  // The exported procedure that opens the browse by the call protocol (the menu's and other modules' way in).
  void (*open)() = nullptr;

  const std::string& layout_window() const { return columns_window.empty() ? browse : columns_window; }
  const std::string& form_help() const { return form_help_topic.empty() ? help_topic : form_help_topic; }
};

// The table of dictionary windows, in menu order.
const std::vector<const Description*>& descriptions();
// The description whose browse or form has this procedure name (any case), or null.
const Description* find_description(std::string_view procedure);

}  // namespace slownik

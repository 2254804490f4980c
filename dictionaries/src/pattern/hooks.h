// What a dictionary adds where it truly behaves differently from the generic browse and form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dane/row_source.h"

namespace slownik {

class DictionaryBrowse;
class DictionaryForm;

class DictionaryHooks {
 public:
  virtual ~DictionaryHooks() = default;

  // The browse is set up (actions, sorts and columns in place) and about to show its first page.
  virtual void browse_opened(DictionaryBrowse&) {}
  // The first page is on screen: the place to move to a row the caller asked for.
  virtual void first_page_shown(DictionaryBrowse&) {}
  // An action of the dictionary's own; true when the data changed and the list must be refreshed.
  virtual bool browse_action(DictionaryBrowse&, std::string_view /*name*/) { return false; }
  // A select in select mode; false keeps the browse open.
  virtual bool browse_select(DictionaryBrowse&) { return true; }
  // The browse is closing (after its stored choices are saved).
  virtual void browse_closing(DictionaryBrowse&) {}

  // The form's defaults are set (insert) or its record is loaded (change, view).
  virtual void form_opened(DictionaryForm&) {}
  // A field was accepted; false keeps the focus on it.
  virtual bool field_accepted(DictionaryForm&, std::string_view /*field*/) { return true; }
  // The dictionary's own checks on OK after the generic ones: the field to send the focus to.
  virtual std::optional<std::string> validate(DictionaryForm&) { return std::nullopt; }
  // The question before the record is deleted, when this record needs another than the description's.
  virtual std::optional<std::string> delete_question(DictionaryForm&) { return std::nullopt; }
  // The dictionary writes the record itself (a server procedure that adds more than the row): true when
  // written, false when it failed and the form stays open; nothing leaves the writing to the store.
  virtual std::optional<bool> save_record(DictionaryForm&) { return std::nullopt; }
  // The record was written as the request said (added, changed or deleted): the place for the rows that
  // belong to it.
  virtual void form_saved(DictionaryForm&) {}
};

}  // namespace slownik

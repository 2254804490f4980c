// The generic dictionary browse: runs the whole life of a described browse (permission, registration,
// stored choices, column layout, popup, tooltips, help, header sorter, record actions with permissions,
// protected rows and row locks, closing) once for every dictionary.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dane/browse.h"
#include "dane/record_store.h"
#include "dane/table.h"
#include "pattern/description.h"
#include "pattern/hooks.h"

namespace slownik {

class DictionaryBrowse : public dane::BrowseWindow {
 public:
  explicit DictionaryBrowse(const Description& description);
  ~DictionaryBrowse() override;

  const Description& description() const { return description_; }
  dane::Table& table() { return table_; }
  dane::TableRecordStore& store() { return store_; }

  // A cell of the current row by its column name; nothing without a current row.
  std::optional<std::string> current_value(std::string_view field) const { return current_cell(field); }
  // Puts the current row into the table's record buffer; false (and a warning) when it is gone.
  bool load_current();
  // Asks a member of the permission family ("D", "O", "U", "E" or "" for the base code); a refusal shows
  // the dictionary's message when `refusal` is given. True when granted or not asked.
  bool allowed(std::string_view prefix, std::string_view refusal_verb = {}) const;

  // What WALUTY_BRW and the like answer besides the response (1 unless a hook says otherwise).
  std::int32_t result() const { return result_; }
  void set_result(std::int32_t result) { result_ = result; }

  // Runs the dictionary's update form with a request; its response.
  dane::Response run_form(dane::Request request);
  // Applies the user's column layout of the window (widths, order, pictures; width 0 hides).
  void apply_column_layout();

 protected:
  bool initialise() override;
  void kill() override;
  bool on_insert() override;
  bool on_change(const dane::Row& row) override;
  bool on_delete(const dane::Row& row) override;
  bool on_select(const dane::Row& row) override;
  void on_popup_item(std::string_view name) override;
  bool on_cell_click(std::size_t column) override;
  void on_source_failure(const dane::SourceFailure& failure) override;

 private:
  DictionaryBrowse(const Description& description, dane::Table& table);
  std::optional<std::string> protection(const dane::Row& row) const;
  bool lock_current();
  void release_lock();
  bool delete_locked();
  void read_stored_choices();
  void save_stored_choices();
  void set_direction(bool descending);
  void add_marking_actions();
  bool run_marking_action(std::string_view name);
  void show_marks(std::int32_t count);

  const Description& description_;
  dane::Table& table_;
  dane::TableRecordStore store_;
  std::unique_ptr<DictionaryHooks> hooks_;
  std::int32_t result_ = 1;
  bool opened_ = false;
  bool registered_ = false;
  std::string direction_;  // the stored "porządek": "rosnąco" or "malejąco"
};

}  // namespace slownik

// The generic update form over a record store: its fields are the form columns of a described window, it
// primes a new record with their defaults, loads a stored one, checks pictures and required values, and
// writes the record as its request says (insert adds, change changes, delete deletes).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/form.h"
#include "dane/record_store.h"
#include "dane/row_source.h"

namespace dane {

// The warning for a record operation that failed: "Nie udało się <what>!|" and why (a key that exists, a
// record that is gone, or the code and the engine's text).
std::string record_failure_text(const db::Status& status, std::string_view what);

// The field a form column becomes.
Field field_of(const Column& column);

class RecordForm : public FormWindow {
 public:
  RecordForm(std::string procedure_name, RecordStore& store, const std::vector<Column>& columns);

  RecordStore& store() { return store_; }
  const std::vector<Column>& form_columns() const { return columns_; }
  const Column* form_column(std::string_view name) const;
  bool is_key(std::string_view name) const;

 protected:
  void prime() override;
  void load() override;
  bool validate_field(std::string_view name) override;
  std::optional<std::string> validate_record() override;
  bool save() override;

  // Shows a warning; the dictionaries show theirs in the system's warning box.
  virtual void warn(const std::string& text);

 private:
  RecordStore& store_;
  std::vector<Column> columns_;
};

}  // namespace dane

// The update form of a dictionary row over its table's record buffer: loads the row by its primary key,
// checks typed numbers against their pictures, and writes the record back through record access.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/form.h"
#include "dane/table.h"

namespace app {

// Puts the row whose fields `key_fields` hold `key` into the table's buffer by its primary key; false, with
// the record error left as the thread's, when it is gone.
bool fetch_row(dane::Table& table, const std::vector<std::string>& key_fields,
               const std::vector<std::string>& key);

class RecordForm : public dane::FormWindow {
 public:
  // `key_fields` name the primary key's columns; they cannot change once the row exists.
  RecordForm(std::string procedure_name, dane::Table& table, std::vector<std::string> key_fields);

  // Puts the row whose primary key fields hold `key` into the buffer (change, view); see fetch_row.
  bool fetch(const std::vector<std::string>& key) { return fetch_row(table_, key_fields_, key); }

 protected:
  void load() override;
  bool validate_field(std::string_view name) override;
  bool save() override;

  dane::Table& table() { return table_; }
  bool is_key(std::string_view name) const;

 private:
  dane::Table& table_;
  std::vector<std::string> key_fields_;
};

// The outcome of a record operation the user asked for, shown as a warning when it failed; true on success.
bool report_record_failure(const db::Status& status, std::string_view what);

}  // namespace app

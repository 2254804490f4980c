// Loading, number checks and saving of a dictionary row's update form.
#include "record_form.h"

#include "keldox/messages.h"
#include "runtime/picture.h"
#include "runtime/text.h"

namespace app {

RecordForm::RecordForm(std::string procedure_name, dane::Table& table, std::vector<std::string> key_fields)
    : FormWindow(std::move(procedure_name)), table_(table), key_fields_(std::move(key_fields)) {}

bool fetch_row(dane::Table& table, const std::vector<std::string>& key_fields,
               const std::vector<std::string>& key) {
  table.clear();
  for (std::size_t i = 0; i < key_fields.size() && i < key.size(); ++i) table.set_text(key_fields[i], key[i]);
  return table.fetch("PK_" + table.name()).ok();
}

void RecordForm::load() {
  for (const dane::Field& f : fields()) {
    mutable_field(f.name)->value = table_.text(f.name);
  }
  for (const std::string& key : key_fields_) {
    if (dane::Field* f = mutable_field(key)) f->enabled = false;
  }
}

bool RecordForm::validate_field(std::string_view name) {
  const dane::Field* f = field(name);
  if (!f || runtime::picture_kind(f->picture) != runtime::PictureKind::number) return true;
  const runtime::PictureRead read = runtime::read_picture(f->picture, f->value);
  if (read.ok()) return true;
  keldox::MSG_OSTRZEZENIE("Nieprawidłowa wartość w polu \"" + f->label + "\"!");
  return false;
}

bool RecordForm::is_key(std::string_view name) const {
  for (const std::string& key : key_fields_) {
    if (runtime::to_upper(key) == runtime::to_upper(name)) return true;
  }
  return false;
}

bool RecordForm::save() {
  const bool inserting = request() == dane::Request::Insert;
  // A new row starts from a blank buffer, so that nothing of the row read last slips into it; a changed
  // row keeps its key and the columns the form does not show.
  if (inserting) table_.clear();
  for (const dane::Field& f : fields()) {
    if (inserting || !is_key(f.name)) table_.set_text(f.name, runtime::trim(f.value));
  }
  const db::Status s = inserting ? table_.add() : table_.change();
  return report_record_failure(s, inserting ? "dodać rekordu" : "zapisać zmian");
}

bool report_record_failure(const db::Status& status, std::string_view what) {
  if (status.ok()) return true;
  std::string text = "Nie udało się " + std::string(what) + "!|";
  if (status.code == dane::kDuplicateKey) {
    text += "Rekord o takim kluczu już istnieje.";
  } else if (status.code == dane::kRecordNotFound) {
    text += "Rekordu nie ma już w bazie danych.";
  } else {
    text += std::to_string(status.code) + " " + status.text;
  }
  keldox::MSG_OSTRZEZENIE(text);
  return false;
}

}  // namespace app

// Priming, loading, checks and writing of the generic update form.
#include "dane/record_form.h"

#include "dane/host.h"
#include "runtime/picture.h"
#include "runtime/text.h"

namespace dane {
std::string record_failure_text(const db::Status& status, std::string_view what) {
  std::string text = "Nie udało się " + std::string(what) + "!|";
  if (status.code == kDuplicateKey) {
    text += "Rekord o takim kluczu już istnieje.";
  } else if (status.code == kRecordNotFound) {
    text += "Rekordu nie ma już w bazie danych.";
  } else {
    text += std::to_string(status.code) + " " + status.text;
  }
  return text;
}

Field field_of(const Column& column) {
  Field f;
  f.name = column.name;
  f.label = column.header.empty() ? column.name : column.header;
  f.picture = column.picture;
  f.enabled = column.editable;
  f.kind = column.kind;
  f.choices = column.choices;
  return f;
}

RecordForm::RecordForm(std::string procedure_name, RecordStore& store, const std::vector<Column>& columns)
    : FormWindow(std::move(procedure_name)), store_(store) {
  for (const Column& c : columns) {
    if (!c.in_form) continue;
    columns_.push_back(c);
    add_field(field_of(c));
  }
}

const Column* RecordForm::form_column(std::string_view name) const {
  for (const Column& c : columns_) {
    if (runtime::same_name(c.name, name)) return &c;
  }
  return nullptr;
}

bool RecordForm::is_key(std::string_view name) const {
  for (const std::string& k : store_.key_fields()) {
    if (runtime::same_name(k, name)) return true;
  }
  return false;
}

void RecordForm::prime() {
  // A new record starts blank, so that nothing of the row read last slips into it.
  store_.clear();
  for (const Column& c : columns_) {
    if (!c.default_value.empty()) store_.set(c.name, c.default_value);
    mutable_field(c.name)->value = store_.get(c.name);
  }
}

void RecordForm::load() {
  const bool deleting = request() == Request::Delete;
  for (const Column& c : columns_) {
    Field* f = mutable_field(c.name);
    f->value = store_.get(c.name);
    // A record about to be deleted is only shown; a key the description lets the user edit renames the row.
    if (deleting) f->enabled = false;
  }
}

bool RecordForm::validate_field(std::string_view name) {
  const Field* f = field(name);
  if (!f || runtime::picture_kind(f->picture) != runtime::PictureKind::number) return true;
  if (runtime::trim(f->value).empty()) return true;
  if (runtime::read_picture(f->picture, f->value).ok()) return true;
  warn("Nieprawidłowa wartość w polu \"" + f->label + "\"!");
  return false;
}

std::optional<std::string> RecordForm::validate_record() {
  if (request() == Request::Delete) return std::nullopt;
  for (const Column& c : columns_) {
    if (!validate_field(c.name)) return c.name;
    if (c.required && runtime::trim(value(c.name)).empty()) {
      warn(c.required_message.empty() ? "Pole \"" + field(c.name)->label + "\" musi być wypełnione!"
                                      : c.required_message);
      return c.name;
    }
  }
  return std::nullopt;
}

bool RecordForm::save() {
  db::Status s;
  const char* what = "zapisać zmian";
  switch (request()) {
    case Request::Insert:
      for (const Column& c : columns_) store_.set(c.name, runtime::trim(value(c.name)));
      s = store_.add();
      what = "dodać rekordu";
      break;
    case Request::Delete:
      s = store_.remove();
      what = "usunąć rekordu";
      break;
    default:
      // A changed record keeps the fields the form does not show; it is written over the row it was read
      // from, so that an edited key renames that row.
      for (const Column& c : columns_) store_.set(c.name, runtime::trim(value(c.name)));
      s = store_.change();
  }
  if (s.ok()) return true;
  warn(record_failure_text(s, what));
  return false;
}

void RecordForm::warn(const std::string& text) {
  MessageBox box;
  box.title = title();
  box.text = text;
  box.icon = Icon::Exclamation;
  host().message(box);
}

}  // namespace dane

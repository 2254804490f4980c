// The life of a described dictionary form and its checks.
#include "pattern/dictionary_form.h"

#include "dane/globals.h"
#include "dane/record_fields.h"
#include "keldox/messages.h"
#include "keldox/permissions.h"
#include "pattern/dictionary_browse.h"
#include "pattern/run.h"
#include "pattern/statement_template.h"
#include "pattern/statements.h"
#include "runtime/text.h"

namespace slownik {
namespace {

bool same_value(std::string_view a, std::string_view b) {
  return runtime::trim(a) == runtime::trim(b);
}

}  // namespace

DictionaryForm::DictionaryForm(const Description& description, dane::RecordStore& store)
    : RecordForm(description.form, store, description.columns), description_(description) {
  if (description_.hooks) hooks_ = description_.hooks();
  set_mode_titles(description_.insert_title, description_.change_title);
  set_help_topic(description_.form_help());
}

DictionaryForm::~DictionaryForm() = default;

void DictionaryForm::warn(const std::string& text) {
  keldox::MSG_OSTRZEZENIE(text);
}

bool DictionaryForm::initialise() {
  if (dane::Table* t = dane::find_table(description_.table)) t->open();
  for (const dane::Column& c : form_columns()) {
    if (const Description* looked_up = c.lookup.empty() ? nullptr : find_description(c.lookup)) {
      if (dane::Table* t = dane::find_table(looked_up->table)) t->open();
    }
  }
  action_text_ = request() == dane::Request::Insert   ? description_.insert_action
                 : request() == dane::Request::Change ? description_.change_action
                                                      : std::string();
  if (!RecordForm::initialise()) return false;
  // The mode's action text stands until the form is shown with its title.
  if (!action_text_.empty()) set_title(action_text_);
  const Permissions& p = description_.permissions;
  if (request() == dane::Request::Change && !p.base.empty() && p.edit &&
      keldox::POBIERZUPRAWNIENIE("E" + p.base) == 0) {
    set_read_only(true);
  }
  if (dane::GLO.TOOLTIPTYPE == 2) {
    for (const dane::Field& f : fields()) tooltips().add(f.name, f.label);
  }
  if (hooks_) hooks_->form_opened(*this);
  return true;
}

void DictionaryForm::opened() {
  switch (request()) {
    case dane::Request::Insert:
      set_title(description_.insert_title);
      break;
    case dane::Request::View:
      set_title(description_.view_title.empty() ? std::string(kViewTitle) : description_.view_title);
      break;
    case dane::Request::Delete: {
      // A dictionary whose form deletes asks once and deletes; there is nothing to edit.
      std::optional<std::string> question = hooks_ ? hooks_->delete_question(*this) : std::nullopt;
      if (!question)
        question =
            description_.delete_question.empty() ? "Czy usunąć ten zapis?" : description_.delete_question;
      if (keldox::MSG_PYTANIE(*question) == 2 && save()) {
        close(dane::Response::Completed);
      } else {
        close(dane::Response::Cancelled);
      }
      break;
    }
    default:
      set_title(description_.change_title);
  }
}

void DictionaryForm::put(std::string_view field, std::string_view value) {
  if (dane::Field* f = mutable_field(field)) f->value = value;
}

bool DictionaryForm::save() {
  if (hooks_) {
    if (const std::optional<bool> written = hooks_->save_record(*this)) {
      if (!*written) return false;
      hooks_->form_saved(*this);
      return true;
    }
  }
  if (!RecordForm::save()) return false;
  if (hooks_) hooks_->form_saved(*this);
  return true;
}

void DictionaryForm::kill() {
  // The relations opened at the start, each closed once (opens nest on the thread).
  if (dane::Table* t = dane::find_table(description_.table)) t->close();
  tooltips() = dane::Tooltips{};
  for (const dane::Column& c : form_columns()) {
    if (const Description* looked_up = c.lookup.empty() ? nullptr : find_description(c.lookup)) {
      if (dane::Table* t = dane::find_table(looked_up->table)) t->close();
    }
  }
}

std::optional<std::string> DictionaryForm::check_statement(std::string_view statement) {
  const StatementOutcome o = run_statement(statement);
  if (!o.status.ok()) {
    warn(description_.validation_failure + o.status.text);
    return std::nullopt;
  }
  return o.has_row ? o.first : std::string();
}

bool DictionaryForm::validate_field(std::string_view name) {
  if (!RecordForm::validate_field(name)) return false;
  const dane::Column* c = form_column(name);
  if (c && c->kind == dane::FieldKind::Lookup && !check_lookup(*c)) return false;
  return !hooks_ || hooks_->field_accepted(*this, name);
}

std::optional<std::string> DictionaryForm::validate_record() {
  for (const dane::Column& c : form_columns()) {
    if (!field(c.name)->enabled) continue;
    if (!validate_field(c.name)) return c.name;
  }
  if (auto bad = check_duplicates()) return bad;
  for (const dane::Column& c : form_columns()) {
    if (c.required && runtime::trim(value(c.name)).empty()) {
      warn(c.required_message.empty() ? "Pole \"" + field(c.name)->label + "\" musi być wypełnione!"
                                      : c.required_message);
      return c.name;
    }
  }
  if (hooks_) return hooks_->validate(*this);
  return std::nullopt;
}

std::optional<std::string> DictionaryForm::check_duplicates() {
  // A field the form does not show (the record's own identifier) is read from the record.
  const auto value_of = [this](std::string_view f) { return field(f) ? value(f) : store().get(f); };
  for (const DuplicateCheck& d : description_.duplicates) {
    // The key as it was is no conflict with itself: only a new or changed key is looked for.
    if (request() != dane::Request::Insert && same_value(value(d.field), original(d.field))) continue;
    const auto found = check_statement(fill_statement(d.statement, value_of));
    if (!found) return d.field;
    const std::string_view first = runtime::trim(*found);
    const bool conflict = d.count ? dane::number_from_text(first) > 0 : !first.empty();
    if (conflict) {
      warn(fill_message(d.message, value_of));
      return d.field;
    }
  }
  return std::nullopt;
}

bool DictionaryForm::check_lookup(const dane::Column& column) {
  const std::string v(runtime::trim(value(column.name)));
  if (v.empty()) return true;  // an empty lookup is checked as a required field, not here
  const Description* looked_up = find_description(column.lookup);
  dane::Table* table = looked_up ? dane::find_table(looked_up->table) : nullptr;
  if (!table) return true;
  dane::TableRecordStore store(*table);
  if (store.fetch({v}).ok()) return true;
  return call_lookup(column);
}

bool DictionaryForm::call_lookup(const dane::Column& column) {
  const Description* looked_up = find_description(column.lookup);
  dane::Table* table = looked_up ? dane::find_table(looked_up->table) : nullptr;
  if (!table) return false;
  if (run_dictionary_browse(*looked_up, dane::Request::Select).response != dane::Response::Completed)
    return false;
  const std::vector<std::string> key = table->primary_key_fields();
  if (key.empty()) return false;
  mutable_field(column.name)->value = std::string(runtime::trim(table->text(key.front())));
  return true;
}

void DictionaryForm::on_lookup(std::string_view field) {
  if (const dane::Column* c = form_column(field)) {
    if (!c->lookup.empty()) call_lookup(*c);
  }
}

dane::Response run_dictionary_form(const Description& description, dane::RecordStore& store) {
  DictionaryForm form(description, store);
  form.set_request(static_cast<dane::Request>(dane::GLOBALREQUEST.load()));
  dane::GLOBALREQUEST = 0;
  dane::GLOBALRESPONSE = 0;
  const dane::Response response = dane::run_window(form);
  dane::GLOBALRESPONSE = static_cast<std::uint8_t>(response);
  return response;
}

}  // namespace slownik

// Request modes, field history and validation order of the generic update form.
#include "dane/form.h"

#include "dane/field_text.h"
#include "dane/host.h"
#include "runtime/text.h"

namespace dane {
std::string lookup_control(std::string_view field) {
  return "?CALLLOOKUP:" + std::string(field);
}

std::string_view lookup_field(std::string_view control) {
  constexpr std::string_view prefix = "?CALLLOOKUP:";
  return control.substr(0, prefix.size()) == prefix ? control.substr(prefix.size()) : std::string_view{};
}

FormWindow::FormWindow(std::string procedure_name) : Window(std::move(procedure_name)) {}

void FormWindow::add_field(Field field) {
  fields_.push_back(std::move(field));
}

Field* FormWindow::mutable_field(std::string_view name) {
  for (auto& f : fields_) {
    if (runtime::same_name(f.name, name)) return &f;
  }
  return nullptr;
}

const Field* FormWindow::field(std::string_view name) const {
  return const_cast<FormWindow*>(this)->mutable_field(name);
}

std::string FormWindow::value(std::string_view name) const {
  const Field* f = field(name);
  return f ? f->value : std::string{};
}

bool FormWindow::set_visible(std::string_view name, bool visible) {
  Field* f = mutable_field(name);
  if (f) f->visible = visible;
  return f != nullptr;
}

bool FormWindow::set_enabled(std::string_view name, bool enabled) {
  Field* f = mutable_field(name);
  if (f) f->enabled = enabled;
  return f != nullptr;
}

void FormWindow::set_selection(std::string_view name, Selection selection) {
  for (auto& [field, held] : selections_) {
    if (runtime::same_name(field, name)) {
      held = selection;
      return;
    }
  }
  selections_.emplace_back(std::string(name), selection);
}

FormWindow::Selection FormWindow::selection(std::string_view name) const {
  for (const auto& [field, held] : selections_) {
    if (runtime::same_name(field, name)) return held;
  }
  return {};
}

bool FormWindow::set_value(std::string_view name, std::string_view value) {
  Field* f = mutable_field(name);
  if (!f || !f->enabled || !f->visible || read_only_) return false;
  f->value.assign(value);
  return true;
}

FieldEntry FormWindow::enter_text(std::string_view name, std::string_view typed) {
  Field* f = mutable_field(name);
  if (!f || !f->enabled || !f->visible || read_only_) return FieldEntry::refused;
  if (f->kind == FieldKind::Choice) {
    // A drop list takes only one of its values.
    for (const std::string& c : f->choices) {
      if (runtime::trim_right(c) == runtime::trim_right(typed)) {
        f->value = c;
        return FieldEntry::taken;
      }
    }
    return FieldEntry::refused;
  }
  if (f->kind == FieldKind::Check) {
    const std::string_view t = runtime::trim(typed);
    if (t != "0" && t != "1") return FieldEntry::refused;
    f->value.assign(t);
    return FieldEntry::taken;
  }
  if (typed == field_shown_text(f->picture, f->value)) return FieldEntry::taken;
  const std::optional<std::string> value = field_value_from_typed(f->picture, typed);
  if (!value) {
    set_focus(f->name);
    MessageBox box;
    box.title = title();
    box.text = "Niepoprawna wartość pola " + (f->label.empty() ? f->name : f->label);
    box.icon = Icon::Exclamation;
    host().message(box);
    return FieldEntry::invalid;
  }
  f->value = *value;
  return FieldEntry::taken;
}

std::string FormWindow::shown_text(std::string_view name) const {
  const Field* f = field(name);
  return f ? field_shown_text(f->picture, f->value) : std::string{};
}

std::string FormWindow::original(std::string_view name) const {
  for (std::size_t i = 0; i < fields_.size() && i < originals_.size(); ++i) {
    if (runtime::same_name(fields_[i].name, name)) return originals_[i];
  }
  return {};
}

void FormWindow::set_read_only(bool read_only) {
  read_only_ = read_only;
}

void FormWindow::set_mode_titles(std::string insert_title, std::string change_title) {
  insert_title_ = std::move(insert_title);
  change_title_ = std::move(change_title);
}

bool FormWindow::initialise() {
  if (request() == Request::Insert) {
    prime();
  } else {
    load();
  }
  if (request() == Request::View) read_only_ = true;
  originals_.clear();
  for (const auto& f : fields_) originals_.push_back(f.value);
  switch (request()) {
    case Request::Insert:
      set_title(insert_title_);
      break;
    case Request::View:
      set_title(kViewTitle);
      break;
    default:
      set_title(change_title_);
  }
  if (!fields_.empty()) set_focus(fields_.front().name);
  return true;
}

const Field* FormWindow::field_of_button(std::string_view control) const {
  for (const Field& f : fields_) {
    for (const FieldButton& b : f.buttons) {
      if (b.control == control) return &f;
    }
  }
  return nullptr;
}

void FormWindow::set_closing_buttons(std::string ok_text, std::string cancel_text, bool ok_shown) {
  ok_text_ = std::move(ok_text);
  cancel_text_ = std::move(cancel_text);
  ok_shown_ = ok_shown;
}

bool FormWindow::take_accepted(std::string_view control) {
  if (control == kCancel) {
    close(Response::Cancelled);
    return true;
  }
  if (control == kOk) {
    if (!ok_enabled()) return false;
    if (const auto bad = validate_record()) {
      set_focus(*bad);
      return false;
    }
    if (!save()) return false;
    close(Response::Completed);
    return true;
  }
  if (const Field* owner = field_of_button(control)) {
    if (read_only_ || !owner->visible) return false;
    for (const FieldButton& b : owner->buttons) {
      if (b.control == control && !b.enabled) return false;
    }
    on_button(owner->name, control);
    return true;
  }
  if (const std::string_view looked_up = lookup_field(control); !looked_up.empty()) {
    if (read_only_) return false;
    on_lookup(looked_up);
    return true;
  }
  if (!validate_field(control)) {
    set_focus(control);
    return false;
  }
  return true;
}

}  // namespace dane

// Scripted actions in browses and forms, and the record of what they show.
#include <utility>

#include "dane/browse.h"
#include "dane/field_text.h"
#include "dane/form.h"
#include "dane/popup.h"
#include "labels.h"
#include "runtime/number_text.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "ui_script/script_host.h"

namespace ui_script {
namespace {

Step window_step(Step::Kind kind, std::string_view action, std::string_view column, std::string_view value) {
  Step s;
  s.kind = kind;
  s.action = std::string(action);
  s.column = std::string(column);
  s.value = std::string(value);
  return s;
}

// The form's visible fields as a person sees them; a password shows no characters.
std::vector<std::string> shown_fields(const dane::FormWindow& form) {
  std::vector<std::string> fields;
  for (const dane::Field& f : form.fields()) {
    if (!f.visible) continue;
    const std::string text = form.shown_text(f.name);
    fields.push_back(f.name + "=" + (f.password ? dane::masked_value(text) : text));
  }
  return fields;
}

// The buttons beside the form's visible fields as "CONTROL=label", a disabled one marked " (-)".
std::vector<std::string> shown_field_buttons(const dane::FormWindow& form) {
  std::vector<std::string> buttons;
  for (const dane::Field& f : form.fields()) {
    if (!f.visible) continue;
    for (const dane::FieldButton& b : f.buttons) {
      const bool enabled = b.enabled && !form.read_only();
      buttons.push_back(b.control + "=" + b.label + (enabled ? "" : " (-)"));
    }
  }
  return buttons;
}

// A cell as the list shows it: an icon as its name, else the text in the picture without the padding.
std::string shown_cell(const dane::Column& column, std::string_view picture, std::string_view cell) {
  const std::string icon = dane::cell_icon_name(column, cell);
  if (!icon.empty() || !column.icon.empty()) return icon;
  return dane::cell_text(column, picture, cell);
}

// What a window shows that the script's steps change: a form's fields, a browse's headers and rows.
Shown window_state(const dane::Window& w) {
  Shown state;
  if (w.kind() == dane::Window::Kind::Form) {
    state.fields = shown_fields(static_cast<const dane::FormWindow&>(w));
    state.field_buttons = shown_field_buttons(static_cast<const dane::FormWindow&>(w));
  } else if (w.kind() == dane::Window::Kind::Browse) {
    const auto& browse = static_cast<const dane::BrowseWindow&>(w);
    const std::vector<dane::ColumnView> columns = browse.shown_columns();
    for (const dane::ColumnView& c : columns) state.headers.push_back(browse.header_text(c.column));
    for (const dane::Row& row : browse.rows()) {
      std::string line;
      for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::size_t c = columns[i].column;
        if (i > 0) line += " | ";
        if (c < row.size()) line += shown_cell(browse.columns()[c], columns[i].picture, row[c]);
      }
      state.rows.push_back(std::move(line));
    }
  }
  return state;
}

// Whether a person could click the column's header: the list shows the column.
bool column_shown(const dane::BrowseWindow& browse, std::size_t column) {
  for (const dane::ColumnView& c : browse.shown_columns()) {
    if (c.column == column) return true;
  }
  return false;
}

dane::ClickModifier modifier_named(std::string_view name) {
  if (name == "ctrl") return dane::ClickModifier::Ctrl;
  if (name == "shift") return dane::ClickModifier::Shift;
  return dane::ClickModifier::None;
}

std::string describe(const dane::Window& w) {
  return "window " + w.procedure_name() + " \"" + w.title() + "\"";
}

}  // namespace

ScriptHost& ScriptHost::browse(std::string_view action, std::string_view column, std::string_view value) {
  add_steps({window_step(Step::Kind::Browse, action, column, value)});
  return *this;
}

ScriptHost& ScriptHost::browse_sort(std::string_view column, dane::ClickModifier modifier) {
  const char* held = modifier == dane::ClickModifier::Ctrl    ? "ctrl"
                     : modifier == dane::ClickModifier::Shift ? "shift"
                                                              : "";
  add_steps({window_step(Step::Kind::Browse, "sort", column, held)});
  return *this;
}

ScriptHost& ScriptHost::browse_key(std::string_view key) {
  add_steps({window_step(Step::Kind::Browse, "key", {}, key)});
  return *this;
}

ScriptHost& ScriptHost::browse_action(std::string_view name) {
  add_steps({window_step(Step::Kind::Browse, "action", {}, name)});
  return *this;
}

ScriptHost& ScriptHost::browse_click(std::string_view column) {
  add_steps({window_step(Step::Kind::Browse, "click", column, {})});
  return *this;
}

ScriptHost& ScriptHost::browse_order(std::string_view name) {
  add_steps({window_step(Step::Kind::Browse, "order", {}, name)});
  return *this;
}

ScriptHost& ScriptHost::browse_locate(std::string_view text) {
  add_steps({window_step(Step::Kind::Browse, "locate", {}, text)});
  return *this;
}

ScriptHost& ScriptHost::form_lookup(std::string_view field) {
  add_steps({window_step(Step::Kind::Form, "lookup", field, {})});
  return *this;
}

ScriptHost& ScriptHost::form_press(std::string_view control) {
  add_steps({window_step(Step::Kind::Form, "press", control, {})});
  return *this;
}

ScriptHost& ScriptHost::form_select(std::string_view field, std::size_t start, std::size_t end) {
  add_steps(
      {window_step(Step::Kind::Form, "select", field, std::to_string(start) + " " + std::to_string(end))});
  return *this;
}

ScriptHost& ScriptHost::form_set(std::string_view field, std::string_view value) {
  add_steps({window_step(Step::Kind::Form, "set", field, value)});
  return *this;
}

ScriptHost& ScriptHost::form_ok() {
  add_steps({window_step(Step::Kind::Form, "ok", {}, {})});
  return *this;
}

ScriptHost& ScriptHost::form_cancel() {
  add_steps({window_step(Step::Kind::Form, "cancel", {}, {})});
  return *this;
}

ScriptHost& ScriptHost::close_window() {
  add_steps({window_step(Step::Kind::Close, {}, {}, {})});
  return *this;
}

ScriptHost& ScriptHost::tool(std::string_view button) {
  add_steps({window_step(Step::Kind::Tool, button, {}, {})});
  return *this;
}

ScriptHost& ScriptHost::hover(std::string_view control) {
  add_steps({window_step(Step::Kind::Hover, {}, control, {})});
  return *this;
}

ScriptHost& ScriptHost::press_help() {
  add_steps({window_step(Step::Kind::Help, {}, {}, {})});
  return *this;
}

ScriptHost& ScriptHost::popup(std::string_view label) {
  add_steps({window_step(Step::Kind::Popup, label, {}, {})});
  return *this;
}

ScriptHost& ScriptHost::dismiss_popup() {
  add_steps({window_step(Step::Kind::Popup, {}, {}, {})});
  return *this;
}

std::optional<std::size_t> ScriptHost::popup_menu(const std::vector<dane::MenuItem>& items) {
  Shown shown{"popup", {}, {}, {}, 0};
  std::string labels;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const dane::MenuItem& item = items[i];
    shown.buttons.push_back(item.separator ? std::string{} : item.label);
    shown.text += (i == 0 ? "" : "|") + (item.separator ? std::string{} : item.icon);
    labels += (i == 0 ? "" : "|") + shown.buttons.back();
  }
  std::optional<std::size_t> chosen;
  if (auto step = next_step("popup menu", {}, labels)) {
    if (step->kind != Step::Kind::Popup) {
      fail("a step that is not for a popup met the popup menu " + labels);
    } else if (!step->action.empty()) {
      const std::string wanted = plain_label(step->action);
      for (std::size_t i = 0; i < items.size() && !chosen; ++i) {
        if (!items[i].separator && plain_label(items[i].label) == wanted) chosen = i;
      }
      if (!chosen) {
        fail("the popup menu " + labels + " has no item \"" + step->action + "\"");
      } else if (!items[*chosen].enabled) {
        fail("the item \"" + step->action + "\" of the popup menu " + labels + " is disabled");
        chosen.reset();
      }
    }
  }
  if (chosen) shown.answer = static_cast<int>(*chosen + 1);
  record(std::move(shown));
  return chosen;
}

void ScriptHost::run_window(dane::Window& window) {
  const char* kind = window.kind() == dane::Window::Kind::Browse ? "browse"
                     : window.kind() == dane::Window::Kind::Form ? "form"
                                                                 : "window";
  Shown opened = window_state(window);
  opened.kind = kind;
  opened.title = window.title();
  opened.text = window.procedure_name();
  for (const dane::ToolButton& b : window.toolbar().buttons()) {
    opened.buttons.push_back(dane::parse_item_text(b.text).label);
  }
  if (window.kind() == dane::Window::Kind::Form) {
    const auto& form = static_cast<const dane::FormWindow&>(window);
    if (form.ok_shown()) opened.buttons.push_back(form.ok_text());
    opened.buttons.push_back(form.cancel_text());
  }
  const std::size_t opened_record = record(std::move(opened));
  while (!window.closed()) {
    std::optional<Step> step;
    std::size_t number = 0;
    {
      std::lock_guard lock(mutex_);
      if (next_ < steps_.size()) {
        number = ++next_;
        step = steps_[number - 1];
      }
    }
    if (!step) {
      fail("script ran out while " + describe(window) + " waits for the user");
    } else if (!apply(*step, number, window)) {
      update_window(opened_record, window_state(window));
      continue;
    }
    // Give up on the window rather than wait for an action that will never come.
    window.request_close();
    if (!window.closed()) window.close(dane::Response::Cancelled);
  }
}

// Carries out one step; false when it was carried out (or failed harmlessly) and the window goes on.
bool ScriptHost::apply(const Step& step, std::size_t number, dane::Window& window) {
  const std::string where = "step " + std::to_string(number) + ": ";
  if (step.kind == Step::Kind::Close) {
    window.request_close();
    return false;
  }
  if (step.kind == Step::Kind::Help) {
    window.open_help();
    return false;
  }
  if (step.kind == Step::Kind::Tool) {
    if (!window.press_tool(step.action))
      fail(where + describe(window) + " has no enabled toolbar button " + step.action);
    return false;
  }
  if (step.kind == Step::Kind::Hover) {
    const std::string tip = window.tooltips().text(step.column);
    if (tip.empty()) {
      fail(where + "control " + step.column + " of " + describe(window) + " has no tooltip");
    } else {
      record(Shown{"tooltip", window.title(), tip, {}, 0});
    }
    return false;
  }
  if (step.kind == Step::Kind::Browse && window.kind() == dane::Window::Kind::Browse) {
    auto& browse = static_cast<dane::BrowseWindow&>(window);
    const std::string& a = step.action;
    if (a == "sort") {
      const auto column = browse.column_index(step.column);
      if (!column || !column_shown(browse, *column)) {
        fail(where + "no column " + step.column + " in the list of " + describe(window));
      } else if (!browse.header_sorter().installed()) {
        fail(where + describe(window) + " has no header sorter");
      } else {
        browse.click_header(*column, modifier_named(step.value));
      }
      return false;
    }
    if (a == "click") {
      const auto column = browse.column_index(step.column);
      if (!column || !column_shown(browse, *column)) {
        fail(where + "no column " + step.column + " in the list of " + describe(window));
      } else if (!browse.click_cell(*column)) {
        fail(where + "a click in column " + step.column + " of " + describe(window) + " did nothing");
      }
      return false;
    }
    if (a == "key") {
      if (!browse.press_key(step.value))
        fail(where + "no available action has the key " + step.value + " in " + describe(window));
      return false;
    }
    if (a == "action") {
      if (!browse.run_action(step.value))
        fail(where + "action " + step.value + " is not available in " + describe(window));
      return false;
    }
    if (a == "order") {
      if (!browse.select_sort_order(step.value))
        fail(where + "no sort order " + step.value + " in " + describe(window));
      return false;
    }
    if (a == "locate") {
      // As the Qt locator: an emptied one goes back to the start, a text to the first row at or past it.
      if (step.value.empty()) {
        browse.reset();
      } else {
        browse.locate(step.value);
      }
      return false;
    }
    if (!step.column.empty() && !browse.seek(step.column, step.value)) {
      fail(where + "no row with " + step.column + "=" + step.value + " in " + describe(window));
      return false;
    }
    if (a == "select") {
      browse.ask(dane::RecordAction::Select);
    } else if (a == "insert") {
      browse.ask(dane::RecordAction::Insert);
    } else if (a == "change") {
      browse.ask(dane::RecordAction::Change);
    } else if (a == "delete") {
      browse.ask(dane::RecordAction::Delete);
    } else if (a == "view") {
      browse.ask(dane::RecordAction::View);
    } else if (a == "popup") {
      browse.open_popup();
    } else if (a == "close") {
      browse.request_close();
    } else if (a != "pick") {
      fail(where + "unknown browse action " + a);
    }
    return false;
  }
  if (step.kind == Step::Kind::Form && window.kind() == dane::Window::Kind::Form) {
    auto& form = static_cast<dane::FormWindow&>(window);
    if (step.action == "set") {
      const dane::FieldEntry entry = form.enter_text(step.column, step.value);
      if (entry == dane::FieldEntry::refused) {
        fail(where + "field " + step.column + " of " + describe(window) + " cannot be set");
      } else if (entry == dane::FieldEntry::taken) {
        form.accept(step.column);
      }
    } else if (step.action == "lookup") {
      const dane::Field* f = form.field(step.column);
      if (!f || !f->visible || f->kind != dane::FieldKind::Lookup) {
        fail(where + "field " + step.column + " of " + describe(window) + " has no lookup button");
      } else if (!f->enabled || form.read_only() || !form.accept(dane::lookup_control(f->name))) {
        fail(where + "the lookup button of field " + step.column + " of " + describe(window) +
             " is disabled");
      }
    } else if (step.action == "select") {
      std::size_t start = 0, end = 0;
      const auto space = step.value.find(' ');
      const auto first = runtime::leading_integer(step.value.substr(0, space));
      const auto second =
          runtime::leading_integer(space == std::string::npos ? "" : step.value.substr(space + 1));
      if (first && second && *first >= 0 && *second >= 0) {
        start = static_cast<std::size_t>(*first);
        end = static_cast<std::size_t>(*second);
      }
      if (!form.field(step.column)) {
        fail(where + describe(window) + " has no field " + step.column);
      } else {
        form.set_selection(step.column, {start, end});
      }
    } else if (step.action == "press") {
      const dane::Field* f = form.field_of_button(step.column);
      if (!f || !f->visible) {
        fail(where + describe(window) + " shows no button " + step.column);
      } else if (!form.accept(step.column)) {
        fail(where + "the button " + step.column + " of " + describe(window) + " is disabled");
      }
    } else if (step.action == "ok") {
      if (!form.ok_shown())
        fail(where + describe(window) + " shows no OK button");
      else
        form.accept(dane::FormWindow::kOk);
    } else if (step.action == "cancel") {
      form.accept(dane::FormWindow::kCancel);
    } else {
      fail(where + "unknown form action " + step.action);
    }
    return false;
  }
  fail(where + "expects " +
       (step.kind == Step::Kind::Browse           ? std::string("a browse")
        : step.kind == Step::Kind::Form           ? std::string("a form")
        : step.kind == Step::Kind::Popup          ? std::string("a popup")
        : step.kind == Step::Kind::CancelProgress ? std::string("a progress window")
        : step.kind == Step::Kind::ChooseDate     ? std::string("a calendar")
                                                  : std::string("a box or dialog")) +
       " but " + describe(window) + " waits for the user");
  return true;
}

}  // namespace ui_script

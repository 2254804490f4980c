// Scripted actions in browses and forms.
#include <utility>

#include "dane/browse.h"
#include "dane/field_text.h"
#include "dane/form.h"
#include "dane/popup.h"
#include "labels.h"
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

// The form's fields as a person sees them; a password shows no characters.
std::vector<std::string> shown_fields(const dane::Window& w) {
  std::vector<std::string> fields;
  if (w.kind() != dane::Window::Kind::Form) return fields;
  const auto& form = static_cast<const dane::FormWindow&>(w);
  for (const dane::Field& f : form.fields()) {
    const std::string text = form.shown_text(f.name);
    fields.push_back(f.name + "=" + (f.password ? dane::masked_value(text) : text));
  }
  return fields;
}

std::string describe(const dane::Window& w) {
  return "window " + w.procedure_name() + " \"" + w.title() + "\"";
}

}  // namespace

ScriptHost& ScriptHost::browse(std::string_view action, std::string_view column, std::string_view value) {
  add_steps({window_step(Step::Kind::Browse, action, column, value)});
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
  Shown opened{kind, window.title(), window.procedure_name(), {}, 0, shown_fields(window)};
  for (const dane::ToolButton& b : window.toolbar().buttons()) {
    opened.buttons.push_back(dane::parse_item_text(b.text).label);
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
      update_fields(opened_record, shown_fields(window));
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
    if (step.action == "sort") {
      const auto column = browse.column_index(step.column);
      if (!column || !browse.click_header(*column))
        fail(where + "no sortable column " + step.column + " in " + describe(window));
      return false;
    }
    if (!step.column.empty() && !browse.seek(step.column, step.value)) {
      fail(where + "no row with " + step.column + "=" + step.value + " in " + describe(window));
      return false;
    }
    const std::string& a = step.action;
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
    } else if (step.action == "ok") {
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

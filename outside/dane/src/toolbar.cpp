// Toolbar buttons and control tooltips of a window.
#include "dane/toolbar.h"

#include <algorithm>

#include "runtime/text.h"

namespace dane {

void Toolbar::add_button(std::string_view name, std::string_view text, std::string_view tooltip) {
  ToolButton button{std::string(name), std::string(text), std::string(tooltip), true};
  for (auto& existing : buttons_) {
    if (runtime::same_name(existing.name, name)) {
      existing = std::move(button);
      return;
    }
  }
  buttons_.push_back(std::move(button));
}

bool Toolbar::set_enabled(std::string_view name, bool enabled) {
  for (auto& b : buttons_) {
    if (runtime::same_name(b.name, name)) {
      b.enabled = enabled;
      return true;
    }
  }
  return false;
}

const ToolButton* Toolbar::find(std::string_view name) const {
  for (const auto& b : buttons_) {
    if (runtime::same_name(b.name, name)) return &b;
  }
  return nullptr;
}

void Tooltips::add(std::string_view control, std::string_view text) {
  if (text.empty()) {
    remove(control);
    return;
  }
  for (auto& e : entries_) {
    if (runtime::same_name(e.control, control)) {
      e.text.assign(text);
      return;
    }
  }
  entries_.push_back(Entry{std::string(control), std::string(text)});
}

void Tooltips::remove(std::string_view control) {
  std::erase_if(entries_, [&](const Entry& e) { return runtime::same_name(e.control, control); });
}

std::string Tooltips::text(std::string_view control) const {
  for (const auto& e : entries_) {
    if (runtime::same_name(e.control, control)) return e.text;
  }
  return {};
}

}  // namespace dane

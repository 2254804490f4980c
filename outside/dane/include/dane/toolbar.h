// A window's toolbar: named buttons whose texts may carry an icon in the popup's attribute syntax, each
// pressed as the window's accepted control of the same name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dane {

struct ToolButton {
  std::string name;  // the control the window accepts when it is pressed
  std::string text;  // "[31848(~dodaj2.ico)]Dodaj", or a plain label
  std::string tooltip;
  bool enabled = true;
};

// Button names compare without regard to case; adding a name that exists replaces that button.
class Toolbar {
 public:
  void add_button(std::string_view name, std::string_view text, std::string_view tooltip = {});
  bool set_enabled(std::string_view name, bool enabled);
  const ToolButton* find(std::string_view name) const;
  const std::vector<ToolButton>& buttons() const { return buttons_; }
  bool empty() const { return buttons_.empty(); }

 private:
  std::vector<ToolButton> buttons_;
};

// The tooltips of a window's controls, by control name (case does not count).
class Tooltips {
 public:
  // Adds or replaces the control's tooltip; an empty text removes it.
  void add(std::string_view control, std::string_view text);
  void remove(std::string_view control);
  // The control's tooltip; empty when it has none.
  std::string text(std::string_view control) const;
  struct Entry {
    std::string control;
    std::string text;
  };
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

}  // namespace dane

// The popup menu of a window: named items whose texts may carry an icon in the attribute syntax
// "[31848(~dodaj2.ico)]Dodaj", shown through the window host at the user's request.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dane {

// The number of the icon property in an item's attribute text.
inline constexpr int kIconProperty = 31848;

// An item text split into its icon and its label.
struct ItemText {
  std::string icon;   // "~dodaj2.ico"; empty when the text carries no icon attribute
  std::string label;  // "Dodaj"; "&" marks the accelerator as in every menu text
};

// Reads the icon attribute at the start of `text`:
//   "[" [number] "(" icon ")" "]" label      the full form, "[31848(~dodaj2.ico)]Dodaj"
//   [number] "(~" name ")" "]" label         the same without the leading "[", as some callers build it
//                                           ("31848(~dodaj2.ico)]Dodaj", "(~32redchk.ico)]Ustaw ...")
// The short form is taken as an attribute only when the icon names a resource (begins with "~"), so that
// an ordinary label that happens to start with digits or a parenthesis is never eaten. A text that does
// not match either form is all label. The number, when given, must be the icon property; any other
// property leaves the text as it is.
ItemText parse_item_text(std::string_view text);

// The full attribute form of an icon and a label: "[31848(" + icon + ")]" + label.
std::string item_text_with_icon(std::string_view icon, std::string_view label);

struct PopupItem {
  std::string name;  // how the program names the item ("Insert", "Change" ...)
  std::string text;  // what it shows, possibly with an icon attribute
  bool enabled = true;
  bool separator = false;
};

// Item names compare without regard to case. Adding an item under a name that exists replaces its text.
class PopupMenu {
 public:
  void add_item(std::string_view name, std::string_view text);
  void add_separator();
  // False when there is no item of that name (nothing changes).
  bool set_text(std::string_view name, std::string_view text);
  bool set_enabled(std::string_view name, bool enabled);
  std::optional<std::string> text(std::string_view name) const;
  const std::vector<PopupItem>& items() const { return items_; }
  bool empty() const { return items_.empty(); }

  // Shows the menu through the installed host and waits: the name of the chosen item, or an empty text
  // when the user dismissed it (or a host answered with a separator or a disabled item).
  std::string ask() const;

 private:
  PopupItem* find(std::string_view name);
  std::vector<PopupItem> items_;
};

}  // namespace dane

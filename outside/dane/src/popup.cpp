// Item texts with icon attributes and the popup menu's round trip through the host.
#include "dane/popup.h"

#include "dane/host.h"
#include "runtime/text.h"

namespace dane {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

ItemText parse_item_text(std::string_view text) {
  ItemText plain{{}, std::string(text)};
  std::size_t at = 0;
  const bool bracket = !text.empty() && text[0] == '[';
  if (bracket) ++at;
  const std::size_t digits = at;
  while (at < text.size() && is_digit(text[at])) ++at;
  if (at > digits && text.substr(digits, at - digits) != std::to_string(kIconProperty)) return plain;
  if (at >= text.size() || text[at] != '(') return plain;
  const std::size_t close = text.find(")]", at);
  if (close == std::string_view::npos) return plain;
  const std::string_view icon = text.substr(at + 1, close - at - 1);
  if (icon.empty() || icon.find_first_of("()[]") != std::string_view::npos) return plain;
  if (!bracket && icon[0] != '~') return plain;
  return ItemText{std::string(icon), std::string(text.substr(close + 2))};
}

std::string item_text_with_icon(std::string_view icon, std::string_view label) {
  return "[" + std::to_string(kIconProperty) + "(" + std::string(icon) + ")]" + std::string(label);
}

PopupItem* PopupMenu::find(std::string_view name) {
  for (auto& item : items_) {
    if (!item.separator && runtime::same_name(item.name, name)) return &item;
  }
  return nullptr;
}

void PopupMenu::add_item(std::string_view name, std::string_view text) {
  if (PopupItem* item = find(name)) {
    item->text.assign(text);
    return;
  }
  items_.push_back(PopupItem{std::string(name), std::string(text), true, false});
}

void PopupMenu::add_separator() {
  items_.push_back(PopupItem{{}, {}, false, true});
}

bool PopupMenu::set_text(std::string_view name, std::string_view text) {
  PopupItem* item = find(name);
  if (!item) return false;
  item->text.assign(text);
  return true;
}

bool PopupMenu::set_enabled(std::string_view name, bool enabled) {
  PopupItem* item = find(name);
  if (!item) return false;
  item->enabled = enabled;
  return true;
}

std::optional<std::string> PopupMenu::text(std::string_view name) const {
  for (const auto& item : items_) {
    if (!item.separator && runtime::same_name(item.name, name)) return item.text;
  }
  return std::nullopt;
}

std::string PopupMenu::ask() const {
  if (items_.empty()) return {};
  std::vector<MenuItem> shown;
  shown.reserve(items_.size());
  for (const auto& item : items_) {
    ItemText t = parse_item_text(item.text);
    shown.push_back(MenuItem{std::move(t.label), std::move(t.icon), item.enabled, item.separator});
  }
  const auto chosen = host().popup_menu(shown);
  if (!chosen || *chosen >= items_.size()) return {};
  const PopupItem& item = items_[*chosen];
  return item.separator || !item.enabled ? std::string{} : item.name;
}

}  // namespace dane

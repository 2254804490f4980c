// The main window's menu as a table: every working function of the program is one row, which people reach
// through the menu and headless runs through its path.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// What the session does after an entry has run.
enum class AfterEntry { Continue, EndSession };

using MenuAction = std::function<AfterEntry()>;

struct MenuEntry {
  std::string name;  // stable identifier, for logs
  std::string path;  // "Menu > Entry", as people see it; menus appear in the order of the table
  MenuAction action;
};

// The entries that exist so far, in menu order; "Słowniki" comes from the dictionary library's table.
std::span<const MenuEntry> menu_entries();

// "Słowniki > Waluty" as {"Słowniki", "Waluty"}: parts split at ">" with their outer blanks removed.
std::vector<std::string> split_menu_path(std::string_view path);

// The entry whose path names the same parts (ignoring case, Polish letters too, and blanks around ">"),
// or null.
const MenuEntry* find_menu_entry(std::string_view path, std::span<const MenuEntry> entries = menu_entries());

// Runs `entries` in order until one ends the session; tells whether one did.
AfterEntry run_menu_entries(std::span<const MenuEntry* const> entries);

// The program's version, as "O programie" shows it.
std::string_view program_version();

}  // namespace app

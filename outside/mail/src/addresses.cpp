// Address lists as people type them: separated by ";" or ",", with or without display names.
#include <string>

#include "mail/mail.h"

namespace mail {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool valid_address(std::string_view a) {
  const std::size_t at = a.find('@');
  if (at == std::string_view::npos || at == 0 || at + 1 == a.size() ||
      a.find('@', at + 1) != std::string_view::npos)
    return false;
  // A leading "-" would read as an option of the desktop client's command line.
  if (a.front() == '-' || a.front() == '.' || a.back() == '.') return false;
  for (unsigned char c : a) {
    if (c <= 0x20 || c >= 0x7f) return false;
    if (std::string_view("<>()[]\\,;:\"").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  return a.substr(at + 1).find('.') != 0;
}

bool parse_item(std::string_view item, Address& out) {
  const std::size_t open = item.rfind('<');
  if (open == std::string_view::npos) {
    out.display_name.clear();
    out.address = std::string(item);
    return valid_address(out.address);
  }
  if (item.back() != '>') return false;
  out.address = std::string(trim(item.substr(open + 1, item.size() - open - 2)));
  std::string_view name = trim(item.substr(0, open));
  std::string display;
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
    name = name.substr(1, name.size() - 2);
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (name[i] == '\\' && i + 1 < name.size()) ++i;
      display += name[i];
    }
  } else {
    if (name.find('"') != std::string_view::npos) return false;
    display = std::string(name);
  }
  out.display_name = std::move(display);
  return valid_address(out.address);
}

}  // namespace

bool parse_addresses(std::string_view list, std::vector<Address>& out, std::string& error) {
  out.clear();
  for (unsigned char c : list) {
    if (c < 0x20 || c == 0x7f) {
      error = (c == '\r' || c == '\n') ? "lista adresów zawiera znak końca linii"
                                       : "lista adresów zawiera znak sterujący";
      return false;
    }
  }
  std::size_t start = 0;
  bool quoted = false;
  bool angle = false;
  for (std::size_t i = 0; i <= list.size(); ++i) {
    const char c = i < list.size() ? list[i] : ';';
    if (c == '"' && !angle) quoted = !quoted;
    if (c == '\\' && quoted) {
      ++i;
      continue;
    }
    if (!quoted && c == '<') angle = true;
    if (!quoted && c == '>') angle = false;
    if (quoted || angle || (c != ';' && c != ',')) continue;
    const std::string_view item = trim(list.substr(start, i - start));
    start = i + 1;
    if (item.empty()) continue;
    Address a;
    if (!parse_item(item, a)) {
      error = "niepoprawny adres e-mail: " + std::string(item);
      return false;
    }
    out.push_back(std::move(a));
  }
  if (quoted || angle) {
    error = "niepoprawny adres e-mail: " + std::string(trim(list.substr(start)));
    return false;
  }
  return true;
}

}  // namespace mail

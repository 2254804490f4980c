// Reading and editing INI text line by line, so that a write changes one line and keeps all the others.
#include "ini_text.h"

#include <algorithm>

#include "runtime/text.h"

namespace dane::ini {
namespace {

constexpr std::string_view blanks = " \t\r\v\f";
constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";

bool has_forbidden_char(std::string_view s) {
  return s.find_first_of(std::string_view("\n\r\0", 3)) != s.npos;
}

std::string fold(std::string_view name) {
  return runtime::to_upper(name);
}

}  // namespace

std::string_view trim_blanks(std::string_view s) {
  const auto first = s.find_first_not_of(blanks);
  if (first == s.npos) return {};
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

bool valid_section(std::string_view section) {
  return !section.empty() && trim_blanks(section) == section && !has_forbidden_char(section);
}

bool valid_key(std::string_view key) {
  return valid_section(key) && key.find('=') == key.npos && key.front() != '[' && key.front() != ';' &&
         key.front() != '#';
}

bool valid_value(std::string_view value) {
  return !has_forbidden_char(value);
}

IniText IniText::parse(std::string_view bytes) {
  IniText ini;
  bool first_line = true;
  std::string section;
  std::string folded_section;
  while (!bytes.empty()) {
    const auto end = bytes.find('\n');
    std::string_view raw = bytes.substr(0, end);
    bytes.remove_prefix(end == bytes.npos ? bytes.size() : end + 1);
    // All CRs at the end go, so that rendering and parsing again gives the same lines.
    while (raw.ends_with('\r')) raw.remove_suffix(1);

    Line line;
    line.text = raw;
    // A byte order mark stays in the text, so that the file keeps it, but does not hide the first line.
    std::string_view t = raw;
    if (first_line && t.starts_with(utf8_bom)) t.remove_prefix(utf8_bom.size());
    first_line = false;
    t = trim_blanks(t);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.find('\0') != t.npos) {
      ini.lines_.push_back(std::move(line));
      continue;
    }
    if (t.front() == '[') {
      // A header without a name still ends the section before it; its entries are never read.
      const auto close = t.rfind(']');
      if (close != t.npos) {
        const std::string_view name = trim_blanks(t.substr(1, close - 1));
        line.kind = Kind::section;
        line.name = name;
        line.folded = fold(name);
        section = line.name;
        folded_section = line.folded;
      }
      ini.lines_.push_back(std::move(line));
      continue;
    }
    const auto eq = t.find('=');
    const std::string_view key = eq == t.npos ? std::string_view() : trim_blanks(t.substr(0, eq));
    if (!key.empty() && !section.empty()) {
      line.kind = Kind::entry;
      line.name = key;
      line.value = trim_blanks(t.substr(eq + 1));
      line.folded = fold(key);
      line.section = section;
      line.folded_section = folded_section;
    }
    ini.lines_.push_back(std::move(line));
  }
  return ini;
}

std::string IniText::render() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += '\n';
  }
  return out;
}

std::optional<std::size_t> IniText::find_entry(std::string_view folded_section,
                                               std::string_view folded_key) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::entry && line.folded == folded_key && line.folded_section == folded_section)
      return i;
  }
  return std::nullopt;
}

std::optional<std::string_view> IniText::find(std::string_view section, std::string_view key) const {
  const auto i = find_entry(fold(trim_blanks(section)), fold(trim_blanks(key)));
  if (!i) return std::nullopt;
  return std::string_view(lines_[*i].value);
}

bool IniText::set(std::string_view section, std::string_view key, std::string_view value) {
  section = trim_blanks(section);
  key = trim_blanks(key);
  value = trim_blanks(value);
  if (!valid_section(section) || !valid_key(key) || !valid_value(value)) return false;
  const std::string folded_section = fold(section);
  const std::string folded_key = fold(key);

  if (const auto i = find_entry(folded_section, folded_key)) {
    Line& line = lines_[*i];
    line.value = value;
    line.text = line.name + "=" + line.value;
    return true;
  }

  Line entry;
  entry.kind = Kind::entry;
  entry.name = key;
  entry.value = value;
  entry.text = entry.name + "=" + entry.value;
  entry.folded = folded_key;

  const auto header = std::find_if(lines_.begin(), lines_.end(), [&](const Line& line) {
    return line.kind == Kind::section && line.folded == folded_section;
  });
  if (header != lines_.end()) {
    // After the last entry of this block, so that comments and blank lines before the next section stay
    // where they were.
    auto at = header + 1;
    for (auto it = at; it != lines_.end() && it->kind != Kind::section; ++it) {
      if (it->kind == Kind::entry) at = it + 1;
    }
    entry.section = header->name;
    entry.folded_section = folded_section;
    lines_.insert(at, std::move(entry));
    return true;
  }

  if (!lines_.empty() && !trim_blanks(lines_.back().text).empty()) lines_.push_back(Line{});
  Line head;
  head.kind = Kind::section;
  head.name = section;
  head.folded = folded_section;
  head.text = "[" + head.name + "]";
  entry.section = head.name;
  entry.folded_section = folded_section;
  lines_.push_back(std::move(head));
  lines_.push_back(std::move(entry));
  return true;
}

std::vector<IniText::Entry> IniText::entries() const {
  std::vector<Entry> out;
  for (const Line& line : lines_) {
    if (line.kind == Kind::entry) out.push_back({line.section, line.name, line.value});
  }
  return out;
}

}  // namespace dane::ini

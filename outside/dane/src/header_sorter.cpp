// Sort list, header marks, sort expression and persistence of the header sorter.
#include "dane/header_sorter.h"

#include <algorithm>

#include "dane/globals.h"
#include "dane/settings_file.h"
#include "runtime/text.h"

namespace dane {
namespace {

constexpr std::size_t kHeaderWidth = 511;
constexpr std::size_t kNameWidth = 255;

bool is_registry_root(std::string_view file) {
  static constexpr std::string_view roots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                               "HKEY_USERS", "HKEY_CURRENT_CONFIG"};
  const std::string upper = runtime::to_upper(runtime::trim(file));
  return std::find(std::begin(roots), std::end(roots), upper) != std::end(roots);
}

}  // namespace

void HeaderSorter::install(std::vector<HeaderColumn> columns, std::string file, std::string section,
                           int control, bool keep_current, bool case_blind) {
  columns_ = std::move(columns);
  for (HeaderColumn& c : columns_) c.header = std::string(runtime::cut_to_width(c.header, kHeaderWidth));
  file_ = std::string(runtime::cut_to_width(runtime::trim(file), kNameWidth));
  section_ = std::string(runtime::cut_to_width(runtime::trim(section), kNameWidth));
  control_ = control;
  keep_current_ = keep_current;
  case_blind_ = case_blind;
  sort_.clear();
  installed_ = true;
  if (!file_.empty() && !section_.empty()) {
    restore(SettingsFile(settings_path()).get_value(section_, persistence_key()));
  }
}

std::string HeaderSorter::persistence_key() const {
  return "SortHeader_" + std::to_string(control_);
}

std::string HeaderSorter::settings_path() const {
  return is_registry_root(file_) ? std::string(runtime::trim(GLO.PATH_INI.view())) : file_;
}

void HeaderSorter::restore(std::string_view stored) {
  while (!stored.empty()) {
    const std::size_t comma = stored.find(',');
    std::string_view item = runtime::trim(stored.substr(0, comma));
    stored = comma == std::string_view::npos ? std::string_view{} : stored.substr(comma + 1);
    bool descending = false;
    if (!item.empty() && (item.front() == '+' || item.front() == '-')) {
      descending = item.front() == '-';
      item.remove_prefix(1);
    }
    // A name stored wrapped for a case-blind list is still the column's field.
    if (item.size() > 7 && runtime::same_name(item.substr(0, 6), "UPPER(") && item.back() == ')') {
      item = item.substr(6, item.size() - 7);
    }
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      const bool listed =
          std::any_of(sort_.begin(), sort_.end(), [c](const Entry& e) { return e.column == c; });
      if (!listed && runtime::same_name(columns_[c].field, runtime::trim(item))) {
        const auto number = static_cast<long long>(c + 1);
        sort_.push_back(Entry{c, descending ? -number : number});
        break;
      }
    }
  }
}

bool HeaderSorter::click(std::size_t column, ClickModifier modifier) {
  if (!installed_ || column >= columns_.size()) return false;
  const auto number = static_cast<long long>(column + 1);
  if (modifier == ClickModifier::Shift) {
    sort_.clear();
    return true;
  }
  const auto found =
      std::find_if(sort_.begin(), sort_.end(), [&](const Entry& e) { return e.column == column; });
  if (modifier == ClickModifier::Ctrl) {
    if (found == sort_.end()) {
      sort_.push_back(Entry{column, number});
    } else {
      found->signed_column = -found->signed_column;
    }
    return true;
  }
  if (!sort_.empty() && sort_.front().column == column) {
    sort_.front().signed_column = -sort_.front().signed_column;
    sort_.resize(1);
  } else {
    sort_.assign(1, Entry{column, number});
  }
  return true;
}

std::string HeaderSorter::header_text(std::size_t column) const {
  if (column >= columns_.size()) return {};
  std::string text(runtime::trim(columns_[column].header));
  for (std::size_t i = 0; i < sort_.size(); ++i) {
    if (sort_[i].column != column) continue;
    text += "[";
    text += sort_[i].descending() ? "-" : "+";
    if (sort_.size() > 1) text += std::to_string(i + 1);
    text += "]";
  }
  return text;
}

std::string HeaderSorter::expression() const {
  std::string out;
  for (std::size_t i = 0; i < sort_.size(); ++i) {
    const HeaderColumn& c = columns_[sort_[i].column];
    if (i > 0) out += ",";
    out += sort_[i].descending() ? "-" : "+";
    out += case_blind_ && c.text ? "UPPER(" + c.field + ")" : c.field;
  }
  return out;
}

void HeaderSorter::remove() {
  if (installed_ && !file_.empty() && !section_.empty()) {
    SettingsFile(settings_path()).set_value(section_, persistence_key(), expression());
  }
  installed_ = false;
  sort_.clear();
  columns_.clear();
}

}  // namespace dane

// The header sorter of a browse list: clicks on column headers build a sort list (plain click one column,
// Ctrl+click several, Shift+click back to the browse's own order), mark the sorted headers and give the sort
// expression the browse applies; optionally kept in a settings file under "SortHeader_" + control number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dane {

enum class ClickModifier : std::uint8_t { None, Ctrl, Shift };

// A column of the list as the header sorter maps it.
struct HeaderColumn {
  std::string header;  // the designed header text (at most 511 characters are kept)
  std::string field;   // the name of the list field the column shows
  // A number, time, date or exponent picture is never wrapped in UPPER( ).
  bool text = true;
};

class HeaderSorter {
 public:
  // One sorted column: its number and the signed number whose sign is the direction (positive ascending).
  struct Entry {
    std::size_t column = 0;
    long long signed_column = 0;
    bool descending() const { return signed_column < 0; }
  };

  // Reads the column map. With both `file` and `section` the stored sort is read back (names matched to
  // the columns' fields ignoring case; unknown names skipped). `case_blind` wraps text columns as
  // "UPPER(" + field + ")" in the expression. The registry's root key names ("HKEY_CURRENT_USER" ...) as
  // the file keep the value in the user's settings file GLO.PATH_INI under the section instead.
  void install(std::vector<HeaderColumn> columns, std::string file = {}, std::string section = {},
               int control = 1, bool keep_current = false, bool case_blind = true);
  bool installed() const { return installed_; }

  // A click released on the column's header. True when the sort changed and expression() must be applied
  // (an empty expression means: back to the browse's own order).
  bool click(std::size_t column, ClickModifier modifier);
  // The designed text, trimmed, with its mark when the column is sorted: "[+]", "[-]", "[+1]", "[-2]".
  std::string header_text(std::size_t column) const;
  // "+UPPER(NAZWA),-NUMER": the entries in order, each its direction and its field.
  std::string expression() const;
  const std::vector<Entry>& sort_list() const { return sort_; }
  bool keep_current() const { return keep_current_; }
  // The browse's own sort tab changed: the sort list is forgotten and the headers get their texts back.
  void reset() { sort_.clear(); }
  // Stores the sort (when persistence is set up) and frees the sorter.
  void remove();

  // The stored value's key: "SortHeader_" + the list control's number.
  std::string persistence_key() const;

 private:
  std::string settings_path() const;
  void restore(std::string_view stored);
  std::vector<HeaderColumn> columns_;
  std::vector<Entry> sort_;
  std::string file_;
  std::string section_;
  int control_ = 1;
  bool keep_current_ = false;
  bool case_blind_ = true;
  bool installed_ = false;
};

}  // namespace dane

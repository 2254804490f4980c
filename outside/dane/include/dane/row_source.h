// Where a browse takes its rows from: a page at a time, in a sort order, after or before a key, so that a
// browse never loads a whole table.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/field_kind.h"

namespace dane {

// A column of a described window, declared once for the list and the form: `name` is the record field it
// shows (the database column, or a name the source gives an expression), `picture` its display picture.
struct Column {
  std::string name;
  std::string header;
  std::string picture;
  bool numeric = false;  // compares and sorts as a number
  // What the described windows need beside the list:
  FieldKind kind = FieldKind::Text;    // how the form edits it
  bool in_list = true;                 // shown as a list column
  bool in_form = true;                 // shown as a form field
  bool editable = true;                // the form lets it be changed (a key is never changed once stored)
  bool required = false;               // the form refuses an empty value, with `required_message`
  std::string default_value{};         // what a new record starts with
  std::vector<std::string> choices{};  // a drop list's values
  std::string lookup{};                // a lookup field: the procedure of the browse it calls in select mode
  std::string icon{};                  // an icon column: the icon a true flag ("1") shows ("~32redchk.ico")
  std::string expression{};            // what the database reads for it, when not `name`
  std::string required_message{};      // the warning for an empty required value
  bool align_right = false;            // shown to the right whatever its picture (a date among numbers)
};

// Numbers (a numeric column, or a number or exponent picture) stand to the right of their cell.
bool right_aligned(const Column& column, std::string_view picture);
// A cell as a list shows it in `picture`, without the blanks that pad it to the picture's width.
std::string cell_text(const Column& column, std::string_view picture, std::string_view cell);

// The icon a cell of the column stands for: the column's icon for a true flag, the cell itself when it names
// an icon resource ("~boxon.ico"), empty otherwise.
std::string cell_icon_name(const Column& column, std::string_view cell);

using Row = std::vector<std::string>;  // one cell per column of the source, as text

struct SortOrder {
  std::string name;
  // Leading column first; the locator searches on it. End with a unique column so that paging by key
  // never skips rows that share a leading value.
  std::vector<std::size_t> key_columns;
  bool descending = false;
  // Per key column (empty, or as long as key_columns): the column runs against the order's direction, as a
  // header sort of "+A,-B" needs.
  std::vector<bool> reversed{};
  // Per key column (empty, or as long as key_columns): texts compared as UPPER(...) in the database.
  std::vector<bool> upper{};

  bool column_descending(std::size_t i) const { return descending != (i < reversed.size() && reversed[i]); }
  bool column_upper(std::size_t i) const { return i < upper.size() && upper[i]; }
};

// Rows outside a range limit are never shown (e.g. ID_FIRMY = the current company).
struct RangeLimit {
  std::size_t column = 0;
  std::string value;
};

struct PageQuery {
  SortOrder order;
  std::vector<RangeLimit> limits;
  std::function<bool(const Row&)> filter;  // sources that understand it apply it
  std::string sql_filter;                  // a T-SQL condition, for sources over the database
  // Continue strictly after (or, reading backwards, strictly before) the row with these key cells.
  std::optional<Row> after_key;
  bool backwards = false;
  // Start at the first row whose leading key is at or past this text (the locator).
  std::optional<std::string> locate;
  // With `locate`: only rows whose cell of this column begins with the text (case-blind), in the order's
  // sequence; the locator of an order on another column than its leading one.
  std::optional<std::size_t> locate_column;
};

// Why the last page could not be read: the statement that failed and the engine's message.
struct SourceFailure {
  std::string statement;
  std::string message;
};

class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual const std::vector<Column>& columns() const = 0;
  // At most `count` rows in the query's order (reading backwards: nearest first).
  virtual std::vector<Row> page(const PageQuery& query, std::size_t count) = 0;
  // The failure of the last page(), if it failed (an empty page is no failure).
  virtual std::optional<SourceFailure> failure() const { return std::nullopt; }
};

// Orders two cells of a column: numbers by value, texts case-blind (Polish letters too) and blind to
// trailing blanks. Negative, zero or positive.
int compare_cells(const Column& column, const std::string& a, const std::string& b);

// Rows held in memory: the source of in-memory lists and of tests.
class MemoryRowSource : public RowSource {
 public:
  explicit MemoryRowSource(std::vector<Column> columns) : columns_(std::move(columns)) {}
  const std::vector<Column>& columns() const override { return columns_; }
  std::vector<Row> page(const PageQuery& query, std::size_t count) override;

  std::vector<Row>& rows() { return rows_; }
  void add(Row row) { rows_.push_back(std::move(row)); }

 private:
  std::vector<Column> columns_;
  std::vector<Row> rows_;
};

}  // namespace dane

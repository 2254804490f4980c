// Where a browse takes its rows from: a page at a time, in a sort order, after or before a key, so that a
// browse never loads a whole table.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dane {

// A list column: `name` is the record field it shows, `picture` its display picture.
struct Column {
  std::string name;
  std::string header;
  std::string picture;
  bool numeric = false;  // compares and sorts as a number
};

using Row = std::vector<std::string>;  // one cell per column of the source, as text

struct SortOrder {
  std::string name;
  // Leading column first; the locator searches on it. End with a unique column so that paging by key
  // never skips rows that share a leading value.
  std::vector<std::size_t> key_columns;
  bool descending = false;
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
};

class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual const std::vector<Column>& columns() const = 0;
  // At most `count` rows in the query's order (reading backwards: nearest first).
  virtual std::vector<Row> page(const PageQuery& query, std::size_t count) = 0;
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

// Record access to declared tables: a table's shape from the database's catalogue, reads in key order and
// writes of whole rows, every value bound, on the calling thread's own connection.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "db/status.h"
#include "db/value.h"

namespace db {

inline constexpr int kRecordNotFound = 35;  // no row with the key asked for
inline constexpr int kDuplicateKey = 40;    // the write would repeat the value of a unique key

struct ColumnShape {
  std::string name;
  bool textual = false;      // an empty value is an empty text; for other columns it is NULL
  bool numeric = false;      // holds numbers (integer, decimal or real types)
  bool binary = false;       // holds bytes (blob, binary, image types): bound and read as bytes, never cut
  bool has_default = false;  // the database fills the column when an insert leaves it out
  std::size_t width = 0;     // characters a text column holds; 0 when the type gives no width
};

struct KeyShape {
  std::string name;  // the index name; empty for the primary key, which the caller names
  bool unique = false;
  std::vector<std::size_t> columns;  // positions in TableShape::columns, in key order
};

struct TableShape {
  std::string table;
  std::vector<ColumnShape> columns;
  std::vector<std::size_t> primary;  // positions of the primary-key columns; empty when there is none
  std::vector<KeyShape> keys;        // indexes on the table; the primary key is not among them
};

// A table without a primary key whose unique index is named "PK_" + its name has that index for its
// primary key (the server's key constraint, kept as an index by databases that cannot add one later); the
// index then leaves the other keys.
void adopt_named_primary(TableShape& shape);

struct RecordRow;
// The row an insert wrote, before the database's own values are read back: each column's value as
// given, NULL where it was NULL.
void row_as_written(const TableShape& shape, const std::vector<Value>& values, RecordRow& row);
// The primary key of the row written with `values`, for reading it back.
std::vector<Value> primary_key_of(const TableShape& shape, const std::vector<Value>& values);

// A row as record access moves it: one text per column of the shape, and which of them are NULL (their
// text is empty), so that a row written back keeps its NULLs and key positions order them first.
struct RecordRow {
  std::vector<std::string> values;
  std::vector<bool> null;
};

// Contract: every operation runs one statement on the connection of the thread that obtained this object,
// with every value bound (never written into the statement text), and commits on its own. Failures of
// the engine come back as 90 with its message ("HSTM" for transient ones), like the channels.
class RecordConnection {
 public:
  virtual ~RecordConnection() = default;

  // Columns, primary key and indexes of a table or view as the database describes them; 90 when the
  // database has no such object.
  virtual Status describe(std::string_view table, TableShape& out) = 0;

  // The first row in the order of the `order` columns that comes after `from` (or equals it when
  // `inclusive`); an empty `from` starts at the beginning. NULL sorts before every value. 33 when no
  // row is left.
  virtual Status read_next(const TableShape& shape, const std::vector<std::size_t>& order,
                           const std::vector<Value>& from, bool inclusive, RecordRow& out) = 0;

  // The first row (in the order of `order`) whose `columns` hold exactly `values`, NULL matching NULL; 35
  // when there is none.
  virtual Status find(const TableShape& shape, const std::vector<std::size_t>& columns,
                      const std::vector<Value>& values, const std::vector<std::size_t>& order,
                      RecordRow& out) = 0;

  // Inserts a row; columns whose value is null and that have a default are left to the database. On
  // success `row` is replaced by the row as stored (an identity key assigned, defaults filled). 40 when a
  // unique key would repeat.
  virtual Status insert(const TableShape& shape, const std::vector<Value>& values, RecordRow& row) = 0;

  // Writes every column of the row whose primary key holds `key`; 35 when there is no such row, 40 when
  // a unique key would repeat.
  virtual Status update(const TableShape& shape, const std::vector<Value>& key,
                        const std::vector<Value>& values) = 0;

  // Deletes the row whose primary key holds `key`; 35 when there is no such row.
  virtual Status remove(const TableShape& shape, const std::vector<Value>& key) = 0;
};

}  // namespace db

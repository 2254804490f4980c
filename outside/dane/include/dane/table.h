// Declared tables: one record buffer per table for the whole session, and record access by key.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/records.h"
#include "db/status.h"

namespace dane {

// Error codes of record access beside those of db/status.h (0, 33 no more records, 37 not open,
// 90 the engine's failure).
inline constexpr int kRecordNotFound = db::kRecordNotFound;  // 35
inline constexpr int kDuplicateKey = db::kDuplicateKey;      // 40

// Contract:
// - A table is declared once with its record prefix ("WAL"), its name ("WALUTY") and the database object
//   that holds it (the name unless given). Columns and keys come from the database's own catalogue at the
//   first use; the primary key is named "PK_" + the declared name, the other keys by their index names.
// - The record buffer is one for the session and shared by every thread; fields are addressed by column
//   name, with or without the prefix ("WAL:SYM_WALUTY"), in any case. Values are texts; numeric fields
//   keep the number a text stands for, text fields are cut to their width. An empty numeric field is
//   NULL; a text field read as NULL stays NULL until it is assigned, so that writing the row back keeps it.
// - Open state and position belong to the calling thread: a table opened on one thread is not open on
//   another (37). Every operation returns its outcome, leaves it as the calling thread's record error
//   (record_error()) and reports a failure other than 33 to the error object with the declared name.
// - A read that fails (33 at the end, 35 on a miss) leaves the buffer as it was.
// - Values always travel to the database as bound parameters.
class Table {
 public:
  Table(std::string_view prefix, std::string_view name, std::string_view object = {});
  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  const std::string& prefix() const { return prefix_; }
  const std::string& name() const { return name_; }

  // Opens nest on a thread: each open needs its close before the table is closed there.
  db::Status open();
  // Closing a table that is not open is not an error.
  db::Status close();
  bool is_open() const;  // on the calling thread
  // Blanks every field of the buffer.
  db::Status clear();
  // Sets the order of next() to the key and its start to the key fields now in the buffer: the first
  // record read is the first whose key is not below them (a cleared buffer starts at the beginning).
  // Until the first set_key, an opened table reads in primary-key order from the beginning.
  db::Status set_key(std::string_view key);
  // Reads the record after the last one read into the buffer; 33 when there is none.
  db::Status next();
  // Reads the first record whose key fields equal those in the buffer; 35 when there is none.
  db::Status fetch(std::string_view key);
  // Inserts the buffer; the buffer then holds the row as stored (identity and defaults filled in).
  db::Status add();
  // Writes the buffer over the row with the buffer's primary key; 35 when there is no such row.
  db::Status change();
  // Writes the buffer over the row whose primary key is `old_key` (in key order), so that a record whose
  // key the user changed is written over the row it was read from; 35 when there is no such row.
  db::Status change_from(const std::vector<std::string>& old_key);
  // Deletes the row with the buffer's primary key; 35 when there is no such row.
  db::Status remove();

  // Field access; a name the table does not have reads empty and refuses assignment (false). The
  // catalogue is read at the first access, so fields answer before the first open too once a database
  // is installed.
  bool has_field(std::string_view field);
  std::string text(std::string_view field);
  double number(std::string_view field);
  std::int64_t integer(std::string_view field);
  bool set_text(std::string_view field, std::string_view value);
  bool set_number(std::string_view field, double value);
  bool set_integer(std::string_view field, std::int64_t value);
  // A binary (BLOB) field's bytes, whole and unchanged; they travel bound as bytes. An empty BLOB is NULL.
  // set_blob refuses (false) a field that is not binary, so that no text column takes raw bytes.
  bool is_blob(std::string_view field);
  std::string blob(std::string_view field);
  bool set_blob(std::string_view field, std::string bytes);

  // Column names in table order and key names (the primary key first); empty until the catalogue is read.
  std::vector<std::string> field_names();
  std::vector<std::string> key_names();
  // The columns of the primary key, in key order; empty when the table has none.
  std::vector<std::string> primary_key_fields();

 private:
  struct Shape;
  struct ThreadState;

  db::Status finish(db::Status s);
  db::Status shape(const Shape*& out);
  // The shape and the record connection of a table the calling thread has open; 37 when it has not.
  db::Status open_records(const Shape*& shape, db::RecordConnection*& records);
  static std::vector<std::size_t> all_columns(const Shape& shape);
  // The row becomes the buffer and the operation succeeds.
  db::Status keep_row(db::RecordRow row);
  // Open state and position of the calling thread, by table serial; they end with the thread.
  static std::unordered_map<std::uint64_t, std::unique_ptr<ThreadState>>& thread_states();
  ThreadState* thread_state(bool create) const;
  static int column_index(const Shape& shape, std::string_view prefix, std::string_view field);
  std::vector<db::Value> buffer_values(const Shape& shape, const std::vector<std::size_t>& columns,
                                       bool empty_text_is_lowest) const;

  const std::string prefix_;
  const std::string name_;
  const std::string object_;
  const std::uint64_t serial_;

  mutable std::mutex mutex_;            // guards the shape and the buffer
  std::shared_ptr<const Shape> shape_;  // read once from the catalogue
  db::RecordRow buffer_;                // NULLs read from the database stay NULL until the field is assigned
};

// The declared tables by prefix (with or without the colon, any case): the application's own declarations
// and those added by declare_table; null for an unknown prefix. Each lives for the whole process.
Table* find_table(std::string_view prefix);
// Declares a table under a new prefix, or gives the table already declared under it.
Table& declare_table(std::string_view prefix, std::string_view name, std::string_view object = {});

// The calling thread's outcome of its last record operation on any table.
db::Status record_error();

}  // namespace dane

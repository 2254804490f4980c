// Where an update form's record lives: one record at a time, its fields addressed by name, read by its key
// and written back as an insert, a change or a delete. Over a declared table's record buffer in the
// program, in memory in tests.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/table.h"
#include "db/status.h"

namespace dane {

class RecordStore {
 public:
  virtual ~RecordStore() = default;
  // The primary key's fields, in key order.
  virtual const std::vector<std::string>& key_fields() const = 0;
  virtual bool has_field(std::string_view field) = 0;
  virtual std::string get(std::string_view field) = 0;
  virtual bool set(std::string_view field, std::string_view value) = 0;
  // A blank record.
  virtual void clear() = 0;
  // Reads the record whose key fields hold `key` (in key order); 35 when there is none.
  virtual db::Status fetch(const std::vector<std::string>& key) = 0;
  // Writes the record: a new one, over the one read last (by the key it was read with, so that a changed
  // key renames the row), or deletes the one read last (35 when it is gone; 40 for an insert whose key
  // exists).
  virtual db::Status add() = 0;
  virtual db::Status change() = 0;
  virtual db::Status remove() = 0;
};

// A declared table's record buffer and record access (every value a bound parameter).
class TableRecordStore : public RecordStore {
 public:
  // Without key fields, the table's primary key's columns as the catalogue gives them.
  explicit TableRecordStore(Table& table, std::vector<std::string> key_fields = {});
  Table& table() { return table_; }

  const std::vector<std::string>& key_fields() const override { return key_fields_; }
  bool has_field(std::string_view field) override { return table_.has_field(field); }
  std::string get(std::string_view field) override { return table_.text(field); }
  bool set(std::string_view field, std::string_view value) override { return table_.set_text(field, value); }
  void clear() override;
  db::Status fetch(const std::vector<std::string>& key) override;
  db::Status add() override { return table_.add(); }
  // Over the row the record was read from, also when its key was changed.
  db::Status change() override;
  db::Status remove() override;

 private:
  Table& table_;
  std::vector<std::string> key_fields_;
  std::optional<std::vector<std::string>> fetched_key_;
};

// Records in memory, with the failures of record access that tests inject: the next write (or read)
// answers `code` with `text` once.
class MemoryRecordStore : public RecordStore {
 public:
  using Record = std::map<std::string, std::string>;  // by upper-case field name

  MemoryRecordStore(std::vector<std::string> fields, std::vector<std::string> key_fields);

  const std::vector<std::string>& key_fields() const override { return key_fields_; }
  bool has_field(std::string_view field) override;
  std::string get(std::string_view field) override;
  bool set(std::string_view field, std::string_view value) override;
  void clear() override;
  db::Status fetch(const std::vector<std::string>& key) override;
  db::Status add() override;
  db::Status change() override;
  db::Status remove() override;

  const std::vector<Record>& records() const { return records_; }
  void insert(Record record);
  void fail_next(int code, std::string text = {}) { failure_ = db::Status::failure(code, std::move(text)); }

 private:
  std::optional<std::size_t> find(const Record& key_source) const;
  std::optional<db::Status> take_failure();

  std::vector<std::string> fields_;
  std::vector<std::string> key_fields_;
  std::vector<Record> records_;
  Record buffer_;
  std::optional<Record> fetched_;  // the record as read, whose key change() and remove() address
  std::optional<db::Status> failure_;
};

}  // namespace dane

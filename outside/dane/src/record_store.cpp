// Record stores over a declared table and in memory.
#include "dane/record_store.h"

#include <algorithm>

#include "runtime/text.h"

namespace dane {
namespace {

std::string field_key(std::string_view field) {
  // "WAL:SYM_WALUTY" and "sym_waluty" name the same field.
  const std::size_t colon = field.find(':');
  if (colon != std::string_view::npos) field.remove_prefix(colon + 1);
  return runtime::to_upper(runtime::trim(field));
}

}  // namespace

void TableRecordStore::clear() {
  fetched_key_.reset();
  table_.clear();
}

TableRecordStore::TableRecordStore(Table& table, std::vector<std::string> key_fields)
    : table_(table), key_fields_(std::move(key_fields)) {
  if (key_fields_.empty()) key_fields_ = table_.primary_key_fields();
}

db::Status TableRecordStore::fetch(const std::vector<std::string>& key) {
  table_.clear();
  for (std::size_t i = 0; i < key_fields_.size() && i < key.size(); ++i)
    table_.set_text(key_fields_[i], key[i]);
  const db::Status s = table_.fetch("PK_" + table_.name());
  fetched_key_.reset();
  if (s.ok()) {
    fetched_key_.emplace();
    for (const std::string& k : key_fields_) fetched_key_->push_back(table_.text(k));
  }
  return s;
}

db::Status TableRecordStore::change() {
  return fetched_key_ ? table_.change_from(*fetched_key_) : table_.change();
}

db::Status TableRecordStore::remove() {
  if (!fetched_key_) return table_.remove();
  // The row read last goes, even when the buffer's key was typed over since.
  std::vector<std::string> typed;
  for (const std::string& k : key_fields_) typed.push_back(table_.text(k));
  for (std::size_t i = 0; i < key_fields_.size(); ++i) table_.set_text(key_fields_[i], (*fetched_key_)[i]);
  const db::Status s = table_.remove();
  for (std::size_t i = 0; i < key_fields_.size(); ++i) table_.set_text(key_fields_[i], typed[i]);
  return s;
}

MemoryRecordStore::MemoryRecordStore(std::vector<std::string> fields, std::vector<std::string> key_fields)
    : key_fields_(std::move(key_fields)) {
  for (const std::string& f : fields) fields_.push_back(field_key(f));
  for (std::string& k : key_fields_) k = field_key(k);
  clear();
}

bool MemoryRecordStore::has_field(std::string_view field) {
  return std::find(fields_.begin(), fields_.end(), field_key(field)) != fields_.end();
}

std::string MemoryRecordStore::get(std::string_view field) {
  const auto it = buffer_.find(field_key(field));
  return it == buffer_.end() ? std::string() : it->second;
}

bool MemoryRecordStore::set(std::string_view field, std::string_view value) {
  if (!has_field(field)) return false;
  buffer_[field_key(field)] = std::string(value);
  return true;
}

void MemoryRecordStore::clear() {
  fetched_.reset();
  buffer_.clear();
  for (const std::string& f : fields_) buffer_[f] = {};
}

void MemoryRecordStore::insert(Record record) {
  Record r;
  for (auto& [k, v] : record) r[field_key(k)] = std::move(v);
  records_.push_back(std::move(r));
}

std::optional<std::size_t> MemoryRecordStore::find(const Record& key_source) const {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    bool same = true;
    for (const std::string& k : key_fields_) {
      const auto a = records_[i].find(k);
      const auto b = key_source.find(k);
      same = same && a != records_[i].end() && b != key_source.end() &&
             runtime::trim_right(a->second) == runtime::trim_right(b->second);
    }
    if (same) return i;
  }
  return std::nullopt;
}

std::optional<db::Status> MemoryRecordStore::take_failure() {
  std::optional<db::Status> f;
  f.swap(failure_);
  return f;
}

db::Status MemoryRecordStore::fetch(const std::vector<std::string>& key) {
  if (auto f = take_failure()) return *f;
  Record probe;
  for (std::size_t i = 0; i < key_fields_.size() && i < key.size(); ++i) probe[key_fields_[i]] = key[i];
  const auto at = find(probe);
  fetched_.reset();
  if (!at) return db::Status::failure(kRecordNotFound, "Brak rekordu o podanym kluczu");
  buffer_ = records_[*at];
  fetched_ = buffer_;
  return db::Status::success();
}

db::Status MemoryRecordStore::add() {
  if (auto f = take_failure()) return *f;
  if (find(buffer_)) return db::Status::failure(kDuplicateKey, "Powtórzona wartość klucza");
  records_.push_back(buffer_);
  return db::Status::success();
}

db::Status MemoryRecordStore::change() {
  if (auto f = take_failure()) return *f;
  const auto at = find(fetched_ ? *fetched_ : buffer_);
  if (!at) return db::Status::failure(kRecordNotFound, "Brak rekordu o podanym kluczu");
  records_[*at] = buffer_;
  return db::Status::success();
}

db::Status MemoryRecordStore::remove() {
  if (auto f = take_failure()) return *f;
  const auto at = find(fetched_ ? *fetched_ : buffer_);
  if (!at) return db::Status::failure(kRecordNotFound, "Brak rekordu o podanym kluczu");
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(*at));
  return db::Status::success();
}

}  // namespace dane

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
  return table_.fetch("PK_" + table_.name());
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

// Record access of a declared table: the shared buffer, per-thread open state and position, error codes.
#include <atomic>
#include <unordered_map>

#include "dane/database.h"
#include "dane/error_object.h"
#include "dane/library.h"
#include "dane/table.h"
#include "runtime/text.h"
#include "table_shape.h"

namespace dane {
namespace {

constexpr std::size_t kDefaultOrder = static_cast<std::size_t>(-1);

std::atomic<std::uint64_t> next_serial{1};

thread_local db::Status last_record_status;

std::string_view without_colon(std::string_view prefix) {
  prefix = runtime::trim(prefix);
  if (!prefix.empty() && prefix.back() == ':') prefix.remove_suffix(1);
  return prefix;
}

// The order of a key made total: a key that is not unique gets the primary key (or, without one, every
// other column) behind it, so that next() never skips or repeats rows that share a key value.
std::vector<std::size_t> total_order(const db::TableShape& t, const std::vector<std::size_t>& key) {
  std::vector<std::size_t> order = key;
  const auto add = [&](std::size_t c) {
    for (std::size_t o : order) {
      if (o == c) return;
    }
    order.push_back(c);
  };
  if (!t.primary.empty()) {
    for (std::size_t c : t.primary) add(c);
  } else {
    for (std::size_t c = 0; c < t.columns.size(); ++c) add(c);
  }
  return order;
}

}  // namespace

std::unordered_map<std::uint64_t, std::unique_ptr<Table::ThreadState>>& Table::thread_states() {
  thread_local std::unordered_map<std::uint64_t, std::unique_ptr<Table::ThreadState>> states;
  return states;
}

Table::Table(std::string_view prefix, std::string_view name, std::string_view object)
    : prefix_(without_colon(prefix)),
      name_(runtime::trim(name)),
      object_(object.empty() ? name_ : std::string(runtime::trim(object))),
      serial_(next_serial++) {}

// Other threads' states end with those threads; serial numbers are never reused, so none of them can be
// taken for another table's.
Table::~Table() {
  thread_states().erase(serial_);
}

db::Status Table::finish(db::Status s) {
  last_record_status = s;
  // The end of a walk is how every walk ends, not a failure.
  if (!s.ok() && s.code != db::kRecordNotAvailable) error_object().report(s.code, s.text, name_);
  return s;
}

Table::ThreadState* Table::thread_state(bool create) const {
  auto& states = thread_states();
  auto it = states.find(serial_);
  if (it != states.end()) return it->second.get();
  if (!create) return nullptr;
  return states.emplace(serial_, std::make_unique<ThreadState>()).first->second.get();
}

db::Status Table::shape(const Shape*& out) {
  std::lock_guard lock(mutex_);
  if (!shape_) {
    db::RecordConnection* records = nullptr;
    if (db::Status s = database().records(records); !s.ok()) return s;
    auto fresh = std::make_shared<Shape>();
    if (db::Status s = records->describe(object_, fresh->table); !s.ok()) return s;
    db::TableShape& t = fresh->table;
    if (!t.primary.empty()) {
      fresh->key_names.push_back("PK_" + name_);
      fresh->key_columns.push_back(t.primary);
    }
    for (const db::KeyShape& k : t.keys) {
      fresh->key_names.push_back(k.name);
      fresh->key_columns.push_back(k.columns);
    }
    for (const auto& columns : fresh->key_columns) fresh->key_orders.push_back(total_order(t, columns));
    fresh->default_order = total_order(t, t.primary);
    buffer_.values.assign(t.columns.size(), std::string());
    buffer_.null.assign(t.columns.size(), false);
    shape_ = std::move(fresh);
  }
  out = shape_.get();
  return db::Status::success();
}

std::vector<db::Value> Table::buffer_values(const Shape& shape, const std::vector<std::size_t>& columns,
                                            bool empty_text_is_lowest) const {
  std::vector<db::Value> out;
  out.reserve(columns.size());
  for (std::size_t c : columns) {
    const std::string& v = buffer_.values[c];
    const bool textual = shape.table.columns[c].textual;
    if (buffer_.null[c] || (v.empty() && (!textual || empty_text_is_lowest))) {
      out.push_back(db::Value::null());
    } else if (shape.table.columns[c].binary) {
      out.push_back(db::Value::bytes(v));
    } else {
      out.push_back(db::Value::text(v));
    }
  }
  return out;
}

db::Status Table::open() {
  const Shape* s = nullptr;
  if (db::Status st = shape(s); !st.ok()) return finish(st);
  ThreadState& t = *thread_state(true);
  // Opens nest: a window that opens a table another window of its thread has open keeps it open for
  // that one when it closes again.
  if (t.open) {
    ++t.opens;
    return finish(db::Status::success());
  }
  t = ThreadState{};
  t.open = true;
  t.opens = 1;
  t.key = kDefaultOrder;
  return finish(db::Status::success());
}

db::Status Table::close() {
  ThreadState* t = thread_state(false);
  if (t && t->opens > 1) {
    --t->opens;
  } else if (t) {
    *t = ThreadState{};
  }
  return finish(db::Status::success());
}

bool Table::is_open() const {
  const ThreadState* t = thread_state(false);
  return t && t->open;
}

db::Status Table::clear() {
  std::lock_guard lock(mutex_);
  for (std::string& f : buffer_.values) f.clear();
  buffer_.null.assign(buffer_.null.size(), false);
  last_record_status = db::Status::success();
  return last_record_status;
}

namespace {

db::Status not_open(const std::string& name) {
  return db::Status::failure(db::kNotOpen, "File not open: " + name);
}

db::Status no_key(std::string_view key, const std::string& name) {
  return db::Status::failure(db::kInvalidDeclaration,
                             "Key " + std::string(key) + " is not declared for " + name);
}

std::size_t key_index(const std::vector<std::string>& names, std::string_view prefix, std::string_view key) {
  const std::string_view bare = detail::without_prefix(prefix, key);
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (runtime::same_name(names[k], bare)) return k;
  }
  return kDefaultOrder;
}

}  // namespace

db::Status Table::set_key(std::string_view key) {
  ThreadState* t = thread_state(false);
  if (!t || !t->open) return finish(not_open(name_));
  const Shape* s = shape_.get();
  const std::size_t k = key_index(s->key_names, prefix_, key);
  if (k == kDefaultOrder) return finish(no_key(key, name_));
  std::lock_guard lock(mutex_);
  t->key = k;
  t->from = buffer_values(*s, s->key_columns[k], true);
  // Tie-breakers of a non-unique key start from their lowest value.
  t->from.resize(s->key_orders[k].size(), db::Value::null());
  t->inclusive = true;
  bool all_null = true;
  for (const db::Value& v : t->from) all_null = all_null && v.is_null();
  if (all_null) t->from.clear();
  last_record_status = db::Status::success();
  return last_record_status;
}

db::Status Table::next() {
  ThreadState* t = thread_state(false);
  if (!t || !t->open) return finish(not_open(name_));
  const Shape* s = shape_.get();
  const auto& order = t->key == kDefaultOrder ? s->default_order : s->key_orders[t->key];
  db::RecordConnection* records = nullptr;
  if (db::Status st = database().records(records); !st.ok()) return finish(st);
  db::RecordRow row;
  if (db::Status st = records->read_next(s->table, order, t->from, t->inclusive, row); !st.ok()) {
    return finish(st);
  }
  std::lock_guard lock(mutex_);
  buffer_ = std::move(row);
  t->from = buffer_values(*s, order, false);
  t->inclusive = false;
  last_record_status = db::Status::success();
  return last_record_status;
}

db::Status Table::fetch(std::string_view key) {
  const Shape* s = nullptr;
  db::RecordConnection* records = nullptr;
  if (db::Status st = open_records(s, records); !st.ok()) return finish(st);
  const std::size_t k = key_index(s->key_names, prefix_, key);
  if (k == kDefaultOrder) return finish(no_key(key, name_));
  std::vector<db::Value> values;
  {
    std::lock_guard lock(mutex_);
    values = buffer_values(*s, s->key_columns[k], false);
  }
  db::RecordRow row;
  if (db::Status st = records->find(s->table, s->key_columns[k], values, s->key_orders[k], row); !st.ok()) {
    return finish(st);
  }
  return keep_row(std::move(row));
}

db::Status Table::add() {
  const Shape* s = nullptr;
  db::RecordConnection* records = nullptr;
  if (db::Status st = open_records(s, records); !st.ok()) return finish(st);
  std::vector<db::Value> values;
  {
    std::lock_guard lock(mutex_);
    values = buffer_values(*s, all_columns(*s), false);
  }
  db::RecordRow stored;
  if (db::Status st = records->insert(s->table, values, stored); !st.ok()) return finish(st);
  return keep_row(std::move(stored));
}

db::Status Table::change() {
  const Shape* s = nullptr;
  db::RecordConnection* records = nullptr;
  if (db::Status st = open_records(s, records); !st.ok()) return finish(st);
  std::vector<db::Value> key, values;
  {
    std::lock_guard lock(mutex_);
    key = buffer_values(*s, s->table.primary, false);
    values = buffer_values(*s, all_columns(*s), false);
  }
  return finish(records->update(s->table, key, values));
}

db::Status Table::change_from(const std::vector<std::string>& old_key) {
  const Shape* s = nullptr;
  db::RecordConnection* records = nullptr;
  if (db::Status st = open_records(s, records); !st.ok()) return finish(st);
  std::vector<db::Value> key, values;
  {
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < s->table.primary.size(); ++i) {
      key.push_back(i < old_key.size() ? db::Value::text(old_key[i]) : db::Value::null());
    }
    values = buffer_values(*s, all_columns(*s), false);
  }
  return finish(records->update(s->table, key, values));
}

db::Status Table::remove() {
  const Shape* s = nullptr;
  db::RecordConnection* records = nullptr;
  if (db::Status st = open_records(s, records); !st.ok()) return finish(st);
  std::vector<db::Value> key;
  {
    std::lock_guard lock(mutex_);
    key = buffer_values(*s, s->table.primary, false);
  }
  return finish(records->remove(s->table, key));
}

db::Status Table::open_records(const Shape*& shape, db::RecordConnection*& records) {
  const ThreadState* t = thread_state(false);
  if (!t || !t->open) return not_open(name_);
  shape = shape_.get();
  return database().records(records);
}

std::vector<std::size_t> Table::all_columns(const Shape& shape) {
  std::vector<std::size_t> all(shape.table.columns.size());
  for (std::size_t c = 0; c < all.size(); ++c) all[c] = c;
  return all;
}

db::Status Table::keep_row(db::RecordRow row) {
  std::lock_guard lock(mutex_);
  buffer_ = std::move(row);
  last_record_status = db::Status::success();
  return last_record_status;
}

db::Status record_error() {
  return last_record_status;
}

}  // namespace dane

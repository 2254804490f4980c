#include "db/statement_cache.h"

#include <sqlite3.h>

namespace db {

void StatementCache::clear() {
  for (auto& [text, stmt] : entries_) sqlite3_finalize(stmt);
  entries_.clear();
}

sqlite3_stmt* StatementCache::take(std::string_view text) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->first == text) {
      sqlite3_stmt* stmt = it->second;
      entries_.erase(it);
      return stmt;
    }
  }
  return nullptr;
}

void StatementCache::give_back(std::string_view text, sqlite3_stmt* stmt) {
  sqlite3_reset(stmt);
  entries_.emplace_front(std::string(text), stmt);
  if (entries_.size() > kCapacity) {
    sqlite3_finalize(entries_.back().second);
    entries_.pop_back();
  }
}

}  // namespace db

// Prepared statements of recently run texts of one SQLite connection: a browse, a probe or a server
// routine sends the same text again and again, and preparing costs more than running a short query.
// The owner clears the cache before its connection closes.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <utility>

struct sqlite3_stmt;

namespace db {

class StatementCache {
 public:
  static constexpr std::size_t kCapacity = 32;

  StatementCache() = default;
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;
  ~StatementCache() { clear(); }

  void clear();
  // The statement of the text, taken out of the cache (so that a nested run of the same text prepares its
  // own); null when none is kept.
  sqlite3_stmt* take(std::string_view text);
  // Resets the statement and keeps it first; the least recently used one beyond the capacity is finalized.
  void give_back(std::string_view text, sqlite3_stmt* stmt);

 private:
  std::list<std::pair<std::string, sqlite3_stmt*>> entries_;
};

}  // namespace db

// A row source over a table, a view or a derived select of the database, read a page at a time through a
// pass-through channel, so that a browse never loads a whole table.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dane/row_source.h"
#include "db/client.h"
#include "db/literals.h"

namespace dane {

// Texts and numbers written into the paging statements (db/literals.h).
using db::number_literal;
using db::quote_text;

// A browse column and what the statement reads for it.
struct SqlColumn {
  Column column;
  // The database column (or expression) read and compared; column.expression, else column.name, when empty.
  std::string field;
};

// Every page is one statement, keyset-paged on the sort order's key columns:
//   select top N <fields> from <from> with (nolock) where <limits> and (<sql_filter>) and <key past the
//   row> order by <key columns> [desc]
// The read hint stands only after a table or view name. The row comparison is spelt out as (a > x) or
// (a = x and b > y) ..., behind a leading a >= x that lets the engine start its index scan at the row.
// Reading backwards turns the comparisons and the order round; the locator asks for the leading key at or
// past its text. Texts are quoted with quote_text and numeric columns written with number_literal. Each key
// column keeps its own direction (a header sort "+A,-B"), and a column compared case-blind is written
// UPPER(a) on both sides, in the order by as in the comparisons, so that the page boundary and the order
// agree.
//
// Constraints: field names and `from` are the program's own text, never a user's. The key columns of
// every sort order hold no NULL and the last one is unique (else paging can skip or repeat rows).
// PageQuery::filter (a predicate in memory) is not applied: give the condition as sql_filter. The channel
// is this source's own, opened on first use and closed with the source; the client must outlive it.
// One thread uses a source at a time (a channel belongs to the thread that opened it).
class SqlRowSource : public RowSource {
 public:
  // `from`: a table or view name, or a derived select with its alias, e.g. "(select ...) k".
  SqlRowSource(db::Client& client, db::Channel channel, std::string from, std::vector<SqlColumn> columns);
  // Columns whose names are the database columns.
  SqlRowSource(db::Client& client, db::Channel channel, std::string from, std::vector<Column> columns);
  ~SqlRowSource() override;
  SqlRowSource(const SqlRowSource&) = delete;
  SqlRowSource& operator=(const SqlRowSource&) = delete;

  const std::vector<Column>& columns() const override { return columns_; }
  // An empty page when the statement fails; last_status() tells the two apart.
  std::vector<Row> page(const PageQuery& query, std::size_t count) override;

  // The statement page() sends for this query.
  std::string statement(const PageQuery& query, std::size_t count) const;
  // The outcome of the last page(): success, or the client's failure (90 with the engine's message ...).
  const db::Status& last_status() const { return status_; }
  // The last statement that read the list from its start (no row to continue from, no locator): what the
  // list shows under its order, limits and filter. Empty before the first such page.
  const std::string& list_statement() const { return list_statement_; }
  std::optional<SourceFailure> failure() const override;
  // The text columns compare case-blind by their own collation (as the application's tables do): a key
  // column marked UPPER is then compared as it is, so that the engine's indexes serve the order.
  void set_case_blind_collation(bool case_blind) { case_blind_collation_ = case_blind; }

 private:
  const std::string& field(std::size_t column) const { return fields_[column]; }
  std::string literal(std::size_t column, std::string_view value) const;
  std::string key_condition(const SortOrder& order, const Row& key, bool forward) const;
  // The i-th key column of the order as the statement compares it, and a row's value in the same form.
  std::string key_term(const SortOrder& order, std::size_t i) const;
  std::string key_literal(const SortOrder& order, std::size_t i, const Row& key) const;
  Row locate_probe(const SortOrder& order, const std::string& text) const;
  db::Status run(const std::string& statement);

  db::Client& client_;
  db::Channel channel_;
  std::string from_;
  std::vector<Column> columns_;
  std::vector<std::string> fields_;
  bool opened_ = false;
  bool case_blind_collation_ = false;
  db::Status declaration_;  // a failure when the channel cannot carry the columns
  db::Status status_;
  std::string last_statement_;
  std::string list_statement_;
};

}  // namespace dane

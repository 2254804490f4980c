// Keyset paging over the database: one composed statement per page, read through a pass-through channel.
#include "dane/sql_row_source.h"

#include <algorithm>
#include <cctype>

#include "db/channel.h"
#include "runtime/text.h"

namespace dane {
namespace {

// A table or view name (possibly with its owner) may carry the read hint; a derived select may not.
bool is_plain_name(std::string_view from) {
  return !from.empty() && std::all_of(from.begin(), from.end(), [](unsigned char c) {
    return std::isalnum(c) != 0 || c == '_' || c == '.';
  });
}

std::vector<SqlColumn> with_own_fields(std::vector<Column> columns) {
  std::vector<SqlColumn> out;
  out.reserve(columns.size());
  for (Column& c : columns) out.push_back(SqlColumn{std::move(c), {}});
  return out;
}

}  // namespace

SqlRowSource::SqlRowSource(db::Client& client, db::Channel channel, std::string from,
                           std::vector<SqlColumn> columns)
    : client_(client), channel_(channel), from_(std::move(from)) {
  for (SqlColumn& c : columns) {
    fields_.push_back(!c.field.empty()               ? std::move(c.field)
                      : !c.column.expression.empty() ? c.column.expression
                                                     : c.column.name);
    columns_.push_back(std::move(c.column));
  }
  if (columns_.empty() || columns_.size() > db::channel_width(channel_)) {
    declaration_ = db::Status::failure(db::kInvalidDeclaration,
                                       "Kanał " + std::string(db::channel_name(channel_)) + " nie zmieści " +
                                           std::to_string(columns_.size()) + " kolumn");
  }
}

SqlRowSource::SqlRowSource(db::Client& client, db::Channel channel, std::string from,
                           std::vector<Column> columns)
    : SqlRowSource(client, channel, std::move(from), with_own_fields(std::move(columns))) {}

SqlRowSource::~SqlRowSource() {
  if (opened_) client_.close(channel_);
}

Row SqlRowSource::locate_probe(const SortOrder& order, const std::string& text) const {
  Row probe(columns_.size());
  probe[order.key_columns.front()] = text;
  return probe;
}

std::string SqlRowSource::literal(std::size_t column, std::string_view value) const {
  return columns_[column].numeric ? number_literal(value) : quote_text(value);
}

std::string SqlRowSource::key_term(const SortOrder& order, std::size_t i) const {
  const std::string& f = field(order.key_columns[i]);
  return order.column_upper(i) && !case_blind_collation_ ? "UPPER(" + f + ")" : f;
}

std::string SqlRowSource::key_literal(const SortOrder& order, std::size_t i, const Row& key) const {
  const std::size_t c = order.key_columns[i];
  const std::string value = literal(c, c < key.size() ? key[c] : std::string());
  return order.column_upper(i) && !case_blind_collation_ ? "UPPER(" + value + ")" : value;
}

std::string SqlRowSource::key_condition(const SortOrder& order, const Row& key, bool forward) const {
  // Rows past the key have greater values in a column read ascending forward or descending backwards.
  const auto past = [&](std::size_t i) { return order.column_descending(i) != forward ? " > " : " < "; };
  const auto& keys = order.key_columns;
  if (keys.size() == 1) return key_term(order, 0) + past(0) + key_literal(order, 0, key);
  std::string any_past;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    std::string term;
    for (std::size_t j = 0; j < i; ++j)
      term += key_term(order, j) + " = " + key_literal(order, j, key) + " and ";
    term += key_term(order, i) + past(i) + key_literal(order, i, key);
    if (i > 0) any_past += " or ";
    any_past += "(" + term + ")";
  }
  const bool lead_greater = order.column_descending(0) != forward;
  return key_term(order, 0) + (lead_greater ? " >= " : " <= ") + key_literal(order, 0, key) + " and (" +
         any_past + ")";
}

std::string SqlRowSource::statement(const PageQuery& query, std::size_t count) const {
  std::string s = "select top " + std::to_string(count) + " ";
  for (std::size_t c = 0; c < fields_.size(); ++c) {
    if (c > 0) s += ", ";
    s += fields_[c];
  }
  s += " from " + from_;
  if (is_plain_name(from_)) s += " with (nolock)";

  std::vector<std::string> conditions;
  for (const RangeLimit& l : query.limits) {
    if (l.column < columns_.size())
      conditions.push_back(field(l.column) + " = " + literal(l.column, l.value));
  }
  if (!runtime::trim(query.sql_filter).empty()) conditions.push_back("(" + query.sql_filter + ")");
  const SortOrder& order = query.order;
  const bool keyed =
      !order.key_columns.empty() && std::all_of(order.key_columns.begin(), order.key_columns.end(),
                                                [&](std::size_t c) { return c < columns_.size(); });
  if (keyed && query.after_key) {
    conditions.push_back(key_condition(order, *query.after_key, !query.backwards));
  } else if (query.locate && query.locate_column && *query.locate_column < columns_.size()) {
    const std::size_t c = *query.locate_column;
    const std::string text = std::string(runtime::trim_right(*query.locate));
    conditions.push_back("UPPER(SUBSTRING(" + field(c) + ",1," + std::to_string(runtime::char_count(text)) +
                         ")) = UPPER(" + quote_text(text) + ")");
  } else if (keyed && query.locate && !query.backwards) {
    const Row probe = locate_probe(order, *query.locate);
    conditions.push_back(key_term(order, 0) + (order.column_descending(0) ? " <= " : " >= ") +
                         key_literal(order, 0, probe));
  }
  for (std::size_t i = 0; i < conditions.size(); ++i) s += (i == 0 ? " where " : " and ") + conditions[i];

  if (keyed) {
    s += " order by ";
    for (std::size_t i = 0; i < order.key_columns.size(); ++i) {
      if (i > 0) s += ", ";
      s += key_term(order, i);
      if (order.column_descending(i) != query.backwards) s += " desc";
    }
  }
  return s;
}

db::Status SqlRowSource::run(const std::string& text) {
  if (!opened_) {
    if (db::Status s = client_.open(channel_); !s.ok()) return s;
    opened_ = true;
  }
  db::Status s = client_.send(channel_, text);
  if (s.code == db::kNotOpen) {
    // Another part of the program closed the channel on this thread: open it again once.
    if (db::Status o = client_.open(channel_); !o.ok()) return o;
    s = client_.send(channel_, text);
  }
  return s;
}

std::optional<SourceFailure> SqlRowSource::failure() const {
  if (status_.ok()) return std::nullopt;
  return SourceFailure{last_statement_, std::to_string(status_.code) + " " + status_.text};
}

std::vector<Row> SqlRowSource::page(const PageQuery& query, std::size_t count) {
  status_ = declaration_;
  if (!status_.ok()) return {};
  if (count == 0) return {};
  last_statement_ = statement(query, count);
  if (!query.after_key && !query.locate) list_statement_ = last_statement_;
  if (status_ = run(last_statement_); !status_.ok()) return {};

  std::vector<Row> rows;
  for (;;) {
    const db::Status s = client_.next(channel_);
    if (s.code == db::kRecordNotAvailable) break;
    if (!s.ok()) {
      status_ = s;
      return {};
    }
    Row row;
    row.reserve(columns_.size());
    for (std::size_t c = 1; c <= columns_.size(); ++c) row.emplace_back(client_.field(channel_, c));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace dane

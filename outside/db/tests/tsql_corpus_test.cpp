// The corpus of statement texts the system composes: each translates, and SQLite parses the result.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "db/tsql/translate.h"
#include "tsql_test_support.h"

namespace db::tsql {
namespace {

std::vector<std::string> corpus() {
  std::ifstream in(MIRLET_TSQL_CORPUS_FILE);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// SQLite's complaints about the text itself; unknown tables and functions are the schema's business.
std::string syntax_error(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* st = nullptr;
  const int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &st, nullptr);
  sqlite3_finalize(st);
  if (rc == SQLITE_OK) return {};
  const std::string message = sqlite3_errmsg(db);
  if (message.find("syntax error") != std::string::npos ||
      message.find("unrecognized token") != std::string::npos ||
      message.find("incomplete input") != std::string::npos) {
    return message;
  }
  return {};
}

void expect_parsable(sqlite3* db, const Steps& steps, const std::string& tsql) {
  for (const Step& step : steps) {
    if (const auto* s = std::get_if<Statement>(&step.node)) {
      EXPECT_EQ(syntax_error(db, s->sql), "") << tsql << "\n" << s->sql;
    } else if (const auto* c = std::get_if<Conditional>(&step.node)) {
      EXPECT_EQ(syntax_error(db, c->condition_sql), "") << tsql << "\n" << c->condition_sql;
      expect_parsable(db, c->then_steps, tsql);
      expect_parsable(db, c->else_steps, tsql);
    } else if (const auto* a = std::get_if<Atomic>(&step.node)) {
      expect_parsable(db, a->steps, tsql);
    }
  }
}

TEST(Corpus, EveryStatementTranslatesToParsableSqlite) {
  const auto lines = corpus();
  ASSERT_GE(lines.size(), 70u) << "corpus file not found or cut";
  testing::MemoryDb db;
  for (const auto& tsql : lines) {
    const Program p = translate(tsql);
    EXPECT_FALSE(p.refused()) << tsql << "\n" << p.refusal;
    expect_parsable(db.handle(), p.steps, tsql);
  }
}

}  // namespace
}  // namespace db::tsql

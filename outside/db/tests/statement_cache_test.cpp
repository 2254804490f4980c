// Statements a routine's link keeps prepared: fresh bindings each run, the schema's changes seen, nested
// runs of one text apart, and nothing left to keep the connection from closing.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "db/procedures.h"
#include "db/statement_cache.h"

namespace db {
namespace {

class CachedLink : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(sqlite3_open(":memory:", &handle_), SQLITE_OK);
    SqlLink plain(handle_);
    ASSERT_TRUE(plain.exec("CREATE TABLE t (k INTEGER, v TEXT)").ok());
    ASSERT_TRUE(plain.exec("INSERT INTO t VALUES (1, 'a'), (2, 'b')").ok());
  }
  void TearDown() override {
    cache_.clear();
    EXPECT_EQ(sqlite3_close(handle_), SQLITE_OK) << "a statement was left unfinalized";
  }
  sqlite3* handle_ = nullptr;
  StatementCache cache_;
};

TEST_F(CachedLink, EachRunBindsItsOwnValuesAndSeesTheTableAsItIsNow) {
  SqlLink link(handle_, &cache_);
  EXPECT_EQ(link.scalar("SELECT v FROM t WHERE k = ?", {Value::integer(1)}), "a");
  EXPECT_EQ(link.scalar("SELECT v FROM t WHERE k = ?", {Value::integer(2)}), "b");
  EXPECT_EQ(link.scalar("SELECT v FROM t WHERE k = ?", {Value::integer(3)}), std::nullopt);
  ASSERT_TRUE(link.exec("DROP TABLE t").ok());
  ASSERT_TRUE(link.exec("CREATE TABLE t (v TEXT, k INTEGER)").ok());
  ASSERT_TRUE(link.exec("INSERT INTO t VALUES ('c', 1)").ok());
  EXPECT_EQ(link.scalar("SELECT v FROM t WHERE k = ?", {Value::integer(1)}), "c") << "prepared again";
}

TEST_F(CachedLink, ANestedRunOfTheSameTextPreparesItsOwnAndAFailedBindIsNotKept) {
  SqlLink link(handle_, &cache_);
  sqlite3_stmt* outer = cache_.take("SELECT v FROM t WHERE k = ?");
  EXPECT_EQ(outer, nullptr);
  EXPECT_EQ(link.scalar("SELECT v FROM t WHERE k = ?", {Value::integer(1)}), "a");
  outer = cache_.take("SELECT v FROM t WHERE k = ?");
  ASSERT_NE(outer, nullptr) << "kept after its run";
  EXPECT_EQ(link.scalar("SELECT v FROM t WHERE k = ?", {Value::integer(2)}), "b") << "while the first is out";
  cache_.give_back("SELECT v FROM t WHERE k = ?", outer);
  Status s;
  EXPECT_EQ(link.scalar("SELECT v FROM t WHERE k = ?", {Value::integer(1), Value::integer(2)}, &s),
            std::nullopt);
  EXPECT_FALSE(s.ok()) << "too many values";
  EXPECT_EQ(link.scalar("SELECT v FROM t WHERE k = ?", {Value::integer(2)}), "b");
}

TEST_F(CachedLink, OnlyTheFirstStatementOfALongerTextRunsAndTheTextIsNotKept) {
  SqlLink link(handle_, &cache_);
  ASSERT_TRUE(link.exec("DELETE FROM t WHERE k = 1; DELETE FROM t").ok());
  EXPECT_EQ(cache_.take("DELETE FROM t WHERE k = 1; DELETE FROM t"), nullptr);
  EXPECT_EQ(link.scalar("SELECT count(*) FROM t"), "1");
}

}  // namespace
}  // namespace db

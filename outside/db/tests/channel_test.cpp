#include <gtest/gtest.h>

#include <thread>

#include "db/channel_client.h"
#include "temp_db.h"

namespace db {
namespace {

class ChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngineExtensions ext;
    ext.translator = pass_through;
    ASSERT_TRUE(open_client(db_.text(), ext, client_).ok());
    ASSERT_TRUE(client_->open(Channel::VAX).ok());
    ASSERT_TRUE(client_->send(Channel::VAX, "create table t(id integer, name text, price real)").ok());
    ASSERT_TRUE(client_
                    ->send(Channel::VAX,
                           "insert into t values (1,'jeden',5.0),(2,'dwa',12.5),(3,NULL,-0.25),(4,'x',1e20)")
                    .ok());
  }

  std::vector<std::string> column(Channel c, std::size_t n) {
    std::vector<std::string> out;
    while (client_->next(c).ok()) out.emplace_back(client_->field(c, n));
    return out;
  }

  testing::TempDb db_;
  std::unique_ptr<Client> client_;
};

TEST_F(ChannelTest, TwoChannelsKeepTheirOwnOpenResults) {
  ASSERT_TRUE(client_->send(Channel::VAX, "select id from t order by id").ok());
  ASSERT_TRUE(client_->next(Channel::VAX).ok());
  EXPECT_EQ(client_->field(Channel::VAX, 1), "1");

  ASSERT_TRUE(client_->open(Channel::VAXFSQL).ok());
  ASSERT_TRUE(client_->send(Channel::VAXFSQL, "select count(*) from t").ok());
  ASSERT_TRUE(client_->next(Channel::VAXFSQL).ok());
  EXPECT_EQ(client_->field(Channel::VAXFSQL, 1), "4");
  // A write on a third channel between two reads does not disturb the first channel's rows.
  ASSERT_TRUE(client_->open(Channel::VAXZAZ).ok());
  ASSERT_TRUE(client_->send(Channel::VAXZAZ, "delete from t where id=2").ok());

  EXPECT_EQ(column(Channel::VAX, 1), (std::vector<std::string>{"2", "3", "4"}));
  EXPECT_EQ(client_->next(Channel::VAX).code, kRecordNotAvailable);
}

TEST_F(ChannelTest, ColumnsArriveAsTexts) {
  ASSERT_TRUE(
      client_->send(Channel::VAX, "select id, name, price, 7*3, 10/4.0, 1.0*3 from t order by id").ok());
  struct Expected {
    const char* id;
    const char* name;
    const char* price;
  };
  const Expected rows[] = {
      {"1", "jeden", "5"}, {"2", "dwa", "12.5"}, {"3", "", "-0.25"}, {"4", "x", "1e+20"}};
  for (const auto& row : rows) {
    ASSERT_TRUE(client_->next(Channel::VAX).ok());
    EXPECT_EQ(client_->field(Channel::VAX, 1), row.id);
    EXPECT_EQ(client_->field(Channel::VAX, 2), row.name);
    EXPECT_EQ(client_->field(Channel::VAX, 3), row.price);
    EXPECT_EQ(client_->field(Channel::VAX, 4), "21");
    EXPECT_EQ(client_->field(Channel::VAX, 5), "2.5");
    EXPECT_EQ(client_->field(Channel::VAX, 6), "3");
    EXPECT_EQ(client_->field(Channel::VAX, 7), "");
  }
}

TEST_F(ChannelTest, LongTextIsCutToAThousandLettersWithoutSplittingOne) {
  // 999 ASCII letters, then two-byte letters: the cut falls after the first Polish letter.
  ASSERT_TRUE(client_->send(Channel::VAX, "select printf('%.*c', 999, 'a') || 'łóż'").ok());
  ASSERT_TRUE(client_->next(Channel::VAX).ok());
  const std::string_view v = client_->field(Channel::VAX, 1);
  EXPECT_EQ(v.size(), 999u + 2u);
  EXPECT_EQ(v.substr(999), "ł");
}

TEST_F(ChannelTest, RecordWidthsOfTheChannels) {
  std::string wide = "select 1";
  for (int i = 2; i <= 60; ++i) wide += "," + std::to_string(i);
  ASSERT_TRUE(client_->open(Channel::VAX2).ok());
  ASSERT_TRUE(client_->send(Channel::VAX2, wide).ok());
  ASSERT_TRUE(client_->next(Channel::VAX2).ok());
  EXPECT_EQ(client_->field(Channel::VAX2, 55), "55");
  EXPECT_EQ(client_->field(Channel::VAX2, 56), "");
  ASSERT_TRUE(client_->send(Channel::VAX, wide).ok());
  ASSERT_TRUE(client_->next(Channel::VAX).ok());
  EXPECT_EQ(client_->field(Channel::VAX, 11), "11");
}

TEST_F(ChannelTest, ErrorCodesAfterEachOperation) {
  ASSERT_TRUE(client_->close(Channel::VAX1).ok());
  EXPECT_EQ(client_->send(Channel::VAX1, "select 1").code, kNotOpen);
  EXPECT_EQ(client_->last_error().code, kNotOpen);
  EXPECT_EQ(client_->next(Channel::VAX1).code, kNotOpen);
  EXPECT_EQ(client_->open(Channel::VAX1, 66).code, kInvalidDeclaration);

  const Status failed = client_->send(Channel::VAX, "select x from nowhere");
  EXPECT_EQ(failed.code, kStatementFailed);
  EXPECT_NE(failed.text.find("no such table"), std::string::npos) << failed.text;
  EXPECT_FALSE(failed.transient());
  EXPECT_EQ(client_->last_error().text, failed.text);
  // After a failed statement the channel stays open but yields no rows.
  EXPECT_EQ(client_->next(Channel::VAX).code, kRecordNotAvailable);
  EXPECT_TRUE(client_->send(Channel::VAX, "select 1").ok());
  EXPECT_EQ(client_->last_error().code, kOk);
}

TEST_F(ChannelTest, TrailingBlanksAreRemovedAndClearBlanksTheRecord) {
  ASSERT_TRUE(client_->send(Channel::VAX, "select 'abc'      ").ok());
  ASSERT_TRUE(client_->next(Channel::VAX).ok());
  EXPECT_EQ(client_->field(Channel::VAX, 1), "abc");
  ASSERT_TRUE(client_->clear(Channel::VAX).ok());
  EXPECT_EQ(client_->field(Channel::VAX, 1), "");
}

TEST_F(ChannelTest, AChannelOpenedByAnotherThreadIsNotOpenHere) {
  ASSERT_TRUE(client_->open(Channel::VAXFSQL).ok());
  Status from_other;
  Status after_own_open;
  std::string value;
  std::thread worker([&] {
    from_other = client_->send(Channel::VAXFSQL, "select 1");
    client_->open(Channel::VAXFSQL);
    after_own_open = client_->send(Channel::VAXFSQL, "select count(*) from t");
    if (client_->next(Channel::VAXFSQL).ok()) value = client_->field(Channel::VAXFSQL, 1);
  });
  worker.join();
  EXPECT_EQ(from_other.code, kNotOpen);
  EXPECT_TRUE(after_own_open.ok()) << after_own_open.text;
  EXPECT_EQ(value, "4");
  // The worker's open did not touch this thread's channel.
  EXPECT_TRUE(client_->send(Channel::VAXFSQL, "select 2").ok());
}

TEST_F(ChannelTest, SeveralStatementsInOneTextDeliverTheLastRows) {
  ASSERT_TRUE(client_->send(Channel::VAX, "update t set id=id+10; select min(id) from t").ok());
  EXPECT_EQ(column(Channel::VAX, 1), std::vector<std::string>{"11"});
}

}  // namespace
}  // namespace db

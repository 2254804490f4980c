#include <gtest/gtest.h>

#include <thread>

#include "db/test_clients.h"

namespace db {
namespace {

TEST(ScriptedClient, AnswersInOrderWithTheRealChannelRules) {
  ScriptedClient client;
  client.queue_rows({{"5", "pięć"}, {"6"}});
  client.queue_failure(Status::statement_failed("no"));
  EXPECT_EQ(client.send(Channel::VAX, "select").code, kNotOpen);
  ASSERT_TRUE(client.open(Channel::VAX).ok());
  ASSERT_TRUE(client.send(Channel::VAX, "select 1").ok());
  ASSERT_TRUE(client.next(Channel::VAX).ok());
  EXPECT_EQ(client.field(Channel::VAX, 2), "pięć");
  ASSERT_TRUE(client.next(Channel::VAX).ok());
  EXPECT_EQ(client.field(Channel::VAX, 1), "6");
  EXPECT_EQ(client.field(Channel::VAX, 2), "");
  EXPECT_EQ(client.next(Channel::VAX).code, kRecordNotAvailable);
  EXPECT_EQ(client.send(Channel::VAX, "x").text, "no");
  EXPECT_TRUE(client.send(Channel::VAX, "y").ok());
  EXPECT_EQ(client.next(Channel::VAX).code, kRecordNotAvailable);
}

TEST(RecordingClient, KeepsEveryOperationAndStatement) {
  ScriptedClient inner;
  RecordingClient client(inner);
  client.open(Channel::VAXFSQL);
  client.send(Channel::VAXFSQL, "select 1   ");
  client.next(Channel::VAXFSQL);
  client.close(Channel::VAXFSQL);
  client.send(Channel::VAXFSQL, "select 2");
  const auto events = client.events();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].op, RecordingClient::Op::Open);
  EXPECT_EQ(events[1].statement, "select 1   ");
  EXPECT_EQ(events[2].code, kRecordNotAvailable);
  EXPECT_EQ(events[3].op, RecordingClient::Op::Close);
  EXPECT_EQ(events[4].code, kNotOpen);
  EXPECT_EQ(client.statements(), (std::vector<std::string>{"select 1   ", "select 2"}));
}

TEST(FaultClient, FailsTheChosenStatements) {
  ScriptedClient inner;
  FaultClient client(inner);
  client.fail_statement(2, Status::failure(kStatementFailed, "Violation of PRIMARY KEY"));
  client.busy_statement(3);
  inner.queue_rows({{"a"}});
  client.open(Channel::VAX);
  EXPECT_TRUE(client.send(Channel::VAX, "s1").ok());
  ASSERT_TRUE(client.next(Channel::VAX).ok());
  const Status second = client.send(Channel::VAX, "s2");
  EXPECT_EQ(second.text, "Violation of PRIMARY KEY");
  EXPECT_EQ(client.last_error().text, second.text);
  EXPECT_EQ(client.next(Channel::VAX).code, kRecordNotAvailable);
  EXPECT_TRUE(client.send(Channel::VAX, "s3").transient());
  EXPECT_TRUE(client.send(Channel::VAX, "s4").ok());
  EXPECT_EQ(client.statements_seen(), 4u);
}

TEST(FaultClient, LostConnectionFailsEverythingUntilReconnect) {
  ScriptedClient inner;
  FaultClient client(inner);
  client.lose_connection_at(2);
  client.open(Channel::VAX);
  EXPECT_TRUE(client.send(Channel::VAX, "s1").ok());
  EXPECT_TRUE(client.send(Channel::VAX, "s2").transient());
  EXPECT_EQ(client.open(Channel::VAX).code, kNotOpen);
  EXPECT_TRUE(client.send(Channel::VAX, "s3").transient());
  client.reconnect();
  ASSERT_TRUE(client.open(Channel::VAX).ok());
  EXPECT_TRUE(client.send(Channel::VAX, "s4").ok());
}

TEST(FaultClient, LastErrorIsPerThread) {
  ScriptedClient inner;
  FaultClient client(inner);
  client.busy_statement(1);
  client.open(Channel::VAX);
  client.send(Channel::VAX, "s1");
  Status seen_by_worker;
  std::thread worker([&] {
    client.open(Channel::VAX1);
    seen_by_worker = client.last_error();
  });
  worker.join();
  EXPECT_TRUE(seen_by_worker.ok());
  EXPECT_TRUE(client.last_error().transient());
}

}  // namespace
}  // namespace db

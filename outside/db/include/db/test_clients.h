// Clients for tests: one that answers from a script, one that records, one that injects faults.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "db/client.h"
#include "db/result_set.h"

namespace db {

// Answers each statement sent with the next queued result instead of a database (an empty result when
// the queue is empty, a failure when a failure is queued). Channel rules (threads, 37, 33) are the real ones.
class ScriptedClient : public Client {
 public:
  ScriptedClient();
  ~ScriptedClient() override;

  void queue_rows(std::vector<std::vector<std::string>> rows);
  void queue_failure(Status failure);

  Status open(Channel c, int mode = kPassThroughMode) override;
  Status close(Channel c) override;
  Status clear(Channel c) override;
  Status send(Channel c, std::string_view statement) override;
  Status next(Channel c) override;
  std::string_view field(Channel c, std::size_t n) const override;
  std::uint8_t ret_code(Channel c) const override;
  std::size_t columns(Channel c) const override;
  std::string_view column_name(Channel c, std::size_t n) const override;
  Status last_error() const override;

 private:
  class Machine;
  std::unique_ptr<Machine> machine_;
};

// Passes every operation to another client and keeps a log of them in order.
class RecordingClient : public Client {
 public:
  enum class Op { Open, Close, Clear, Send, Next };
  struct Event {
    Op op;
    Channel channel;
    std::string statement;  // Send: the text as given by the caller
    int code;               // the outcome's error code
  };

  explicit RecordingClient(Client& inner) : inner_(inner) {}

  std::vector<Event> events() const;
  // Only the statement texts, in the order sent.
  std::vector<std::string> statements() const;
  void forget();

  Status open(Channel c, int mode = kPassThroughMode) override;
  Status close(Channel c) override;
  Status clear(Channel c) override;
  Status send(Channel c, std::string_view statement) override;
  Status next(Channel c) override;
  std::string_view field(Channel c, std::size_t n) const override { return inner_.field(c, n); }
  std::uint8_t ret_code(Channel c) const override { return inner_.ret_code(c); }
  std::size_t columns(Channel c) const override { return inner_.columns(c); }
  std::string_view column_name(Channel c, std::size_t n) const override { return inner_.column_name(c, n); }
  Status last_error() const override { return inner_.last_error(); }
  // Record access is not a statement channel: it passes through unrecorded.
  Status records(RecordConnection*& out) override { return inner_.records(out); }

 private:
  Status note(Op op, Channel c, std::string_view statement, Status s);

  Client& inner_;
  mutable std::mutex mutex_;
  std::vector<Event> events_;
};

// Passes operations to another client but fails chosen statements. Statements are counted from 1 across
// all channels and threads.
class FaultClient : public Client {
 public:
  explicit FaultClient(Client& inner) : inner_(inner) {}

  // The n-th statement fails with this code and text instead of running.
  void fail_statement(std::size_t n, Status failure);
  // Every statement whose text begins with `prefix` fails with this code and text instead of running.
  void fail_statements_starting(std::string prefix, Status failure);
  // The n-th statement fails as a transient condition ("HSTM").
  void busy_statement(std::size_t n);
  // From the n-th statement on the connection is gone: every statement fails transiently, the channel
  // is closed and every open fails with 37, until reconnect().
  void lose_connection_at(std::size_t n);
  void reconnect();
  std::size_t statements_seen() const;

  Status open(Channel c, int mode = kPassThroughMode) override;
  Status close(Channel c) override;
  Status clear(Channel c) override;
  Status send(Channel c, std::string_view statement) override;
  Status next(Channel c) override;
  std::string_view field(Channel c, std::size_t n) const override { return inner_.field(c, n); }
  std::uint8_t ret_code(Channel c) const override { return inner_.ret_code(c); }
  std::size_t columns(Channel c) const override { return inner_.columns(c); }
  std::string_view column_name(Channel c, std::size_t n) const override { return inner_.column_name(c, n); }
  Status last_error() const override;
  Status records(RecordConnection*& out) override { return inner_.records(out); }

 private:
  Status remember(Status s);

  Client& inner_;
  mutable std::mutex mutex_;
  std::vector<std::pair<std::thread::id, Status>> last_;
  std::size_t seen_ = 0;
  std::size_t lost_from_ = 0;  // 0 = connection fine
  std::vector<std::pair<std::size_t, Status>> planned_;
  std::vector<std::pair<std::string, Status>> by_prefix_;
};

}  // namespace db

// The production client: channels whose statements run on the calling thread's engine connection.
#include "channel_machine.h"
#include "db/channel_client.h"

namespace db {
namespace {

class EngineClient final : public detail::ChannelMachine {
  using ThreadState = detail::ThreadState;

 public:
  explicit EngineClient(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

  Status records(RecordConnection*& out) override {
    out = nullptr;
    ThreadState& t = thread_state();
    if (Status s = connection(t); !s.ok()) return s;
    out = t.connection->records();
    if (!out) return Client::records(out);
    return Status::success();
  }

 protected:
  // Connects lazily, and again after a lost connection, so that the retry of a transient failure can
  // succeed once the database is back.
  Status execute(ThreadState& t, std::string_view statement, std::size_t max_columns,
                 ResultSet& out) override {
    if (Status s = connection(t); !s.ok()) return s;
    return t.connection->run(statement, max_columns, out);
  }

 private:
  Status connection(ThreadState& t) {
    if (!t.connection || !t.connection->usable()) {
      t.connection.reset();
      if (Status s = engine_->connect(t.connection); !s.ok()) return s;
    }
    return Status::success();
  }

  std::shared_ptr<Engine> engine_;
};

}  // namespace

std::unique_ptr<Client> make_channel_client(std::shared_ptr<Engine> engine) {
  return std::make_unique<EngineClient>(std::move(engine));
}

}  // namespace db

// A client answering from a queue of scripted results, with the real channel rules.
#include <deque>

#include "channel_machine.h"
#include "db/test_clients.h"

namespace db {

class ScriptedClient::Machine final : public detail::ChannelMachine {
 public:
  struct Answer {
    Status status;
    std::vector<std::vector<std::string>> rows;
  };

  void queue(Answer a) {
    std::lock_guard lock(mutex_);
    answers_.push_back(std::move(a));
  }

 protected:
  Status execute(detail::ThreadState&, std::string_view, std::size_t max_columns, ResultSet& out) override {
    Answer a;
    {
      std::lock_guard lock(mutex_);
      if (answers_.empty()) return Status::success();
      a = std::move(answers_.front());
      answers_.pop_front();
    }
    if (!a.status.ok()) return a.status;
    std::size_t columns = 0;
    for (const auto& row : a.rows) columns = std::max(columns, row.size());
    out.set_columns(std::min(columns, max_columns));
    for (const auto& row : a.rows) out.add_row(row);
    return Status::success();
  }

 private:
  std::mutex mutex_;
  std::deque<Answer> answers_;
};

ScriptedClient::ScriptedClient() : machine_(std::make_unique<Machine>()) {}
ScriptedClient::~ScriptedClient() = default;

void ScriptedClient::queue_rows(std::vector<std::vector<std::string>> rows) {
  machine_->queue({Status::success(), std::move(rows)});
}
void ScriptedClient::queue_failure(Status failure) {
  machine_->queue({std::move(failure), {}});
}

Status ScriptedClient::open(Channel c, int mode) {
  return machine_->open(c, mode);
}
Status ScriptedClient::close(Channel c) {
  return machine_->close(c);
}
Status ScriptedClient::clear(Channel c) {
  return machine_->clear(c);
}
Status ScriptedClient::send(Channel c, std::string_view statement) {
  return machine_->send(c, statement);
}
Status ScriptedClient::next(Channel c) {
  return machine_->next(c);
}
std::string_view ScriptedClient::field(Channel c, std::size_t n) const {
  return machine_->field(c, n);
}
std::uint8_t ScriptedClient::ret_code(Channel c) const {
  return machine_->ret_code(c);
}
std::size_t ScriptedClient::columns(Channel c) const {
  return machine_->columns(c);
}
std::string_view ScriptedClient::column_name(Channel c, std::size_t n) const {
  return machine_->column_name(c, n);
}
Status ScriptedClient::last_error() const {
  return machine_->last_error();
}

}  // namespace db

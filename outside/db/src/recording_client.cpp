// A client that logs every channel operation and statement text before passing it on.
#include "db/test_clients.h"

namespace db {

Status RecordingClient::note(Op op, Channel c, std::string_view statement, Status s) {
  std::lock_guard lock(mutex_);
  events_.push_back({op, c, std::string(statement), s.code});
  return s;
}

std::vector<RecordingClient::Event> RecordingClient::events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

std::vector<std::string> RecordingClient::statements() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  for (const auto& e : events_) {
    if (e.op == Op::Send) out.push_back(e.statement);
  }
  return out;
}

void RecordingClient::forget() {
  std::lock_guard lock(mutex_);
  events_.clear();
}

Status RecordingClient::open(Channel c, int mode) {
  return note(Op::Open, c, {}, inner_.open(c, mode));
}
Status RecordingClient::close(Channel c) {
  return note(Op::Close, c, {}, inner_.close(c));
}
Status RecordingClient::clear(Channel c) {
  return note(Op::Clear, c, {}, inner_.clear(c));
}
Status RecordingClient::send(Channel c, std::string_view statement) {
  return note(Op::Send, c, statement, inner_.send(c, statement));
}
Status RecordingClient::next(Channel c) {
  return note(Op::Next, c, {}, inner_.next(c));
}

}  // namespace db

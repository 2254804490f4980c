// A client that fails chosen statements or loses its connection, for the retry and error paths.
#include <algorithm>

#include "db/test_clients.h"

namespace db {

void FaultClient::fail_statement(std::size_t n, Status failure) {
  std::lock_guard lock(mutex_);
  planned_.emplace_back(n, std::move(failure));
}

void FaultClient::busy_statement(std::size_t n) {
  fail_statement(n, Status::transient_failure("database is locked (injected)"));
}

void FaultClient::lose_connection_at(std::size_t n) {
  std::lock_guard lock(mutex_);
  lost_from_ = n;
}

void FaultClient::reconnect() {
  std::lock_guard lock(mutex_);
  lost_from_ = 0;
}

std::size_t FaultClient::statements_seen() const {
  std::lock_guard lock(mutex_);
  return seen_;
}

Status FaultClient::remember(Status s) {
  std::lock_guard lock(mutex_);
  const auto me = std::this_thread::get_id();
  auto it = std::find_if(last_.begin(), last_.end(), [&](const auto& e) { return e.first == me; });
  if (it == last_.end()) {
    last_.emplace_back(me, s);
  } else {
    it->second = s;
  }
  return s;
}

Status FaultClient::last_error() const {
  std::lock_guard lock(mutex_);
  const auto me = std::this_thread::get_id();
  for (const auto& [thread, status] : last_) {
    if (thread == me) return status;
  }
  return inner_.last_error();
}

Status FaultClient::open(Channel c, int mode) {
  bool lost;
  {
    std::lock_guard lock(mutex_);
    lost = lost_from_ != 0 && seen_ >= lost_from_;
  }
  if (lost) {
    inner_.close(c);
    return remember(Status::failure(kNotOpen, "File not open: " + std::string(channel_name(c))));
  }
  return remember(inner_.open(c, mode));
}

Status FaultClient::close(Channel c) {
  return remember(inner_.close(c));
}
Status FaultClient::clear(Channel c) {
  return remember(inner_.clear(c));
}
Status FaultClient::next(Channel c) {
  return remember(inner_.next(c));
}

void FaultClient::fail_statements_starting(std::string prefix, Status failure) {
  std::lock_guard lock(mutex_);
  by_prefix_.emplace_back(std::move(prefix), std::move(failure));
}

Status FaultClient::send(Channel c, std::string_view statement) {
  std::optional<Status> injected;
  bool lost = false;
  {
    std::lock_guard lock(mutex_);
    const std::size_t n = ++seen_;
    if (lost_from_ != 0 && n >= lost_from_) {
      lost = true;
      injected = Status::transient_failure("connection to the database lost (injected)");
    } else {
      for (const auto& [at, failure] : planned_) {
        if (at == n) injected = failure;
      }
      for (const auto& [prefix, failure] : by_prefix_) {
        if (statement.starts_with(prefix)) injected = failure;
      }
    }
  }
  if (!injected) return remember(inner_.send(c, statement));
  // The failed statement leaves no rows behind, as a real failure would.
  inner_.close(c);
  if (!lost) inner_.open(c);
  return remember(*injected);
}

}  // namespace db

// Per-thread event queues keyed by logical thread number.
#include "dane/events.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

namespace dane {
namespace {

struct Mailboxes {
  std::mutex mutex;
  std::condition_variable arrived;
  std::map<ThreadNumber, std::deque<int>> queues;
};

Mailboxes& mailboxes() {
  static Mailboxes m;
  return m;
}

std::atomic<ThreadNumber> next_number{1};

}  // namespace

ThreadNumber current_thread_number() {
  thread_local const ThreadNumber mine = next_number.fetch_add(1);
  return mine;
}

std::string thread_number_text(ThreadNumber thread) {
  return std::to_string(thread);
}

void post_event(ThreadNumber thread, int event) {
  auto& m = mailboxes();
  {
    std::lock_guard lock(m.mutex);
    m.queues[thread].push_back(event);
  }
  m.arrived.notify_all();
}

std::optional<int> take_event(std::chrono::milliseconds timeout) {
  auto& m = mailboxes();
  const ThreadNumber me = current_thread_number();
  std::unique_lock lock(m.mutex);
  auto& queue = m.queues[me];
  if (!m.arrived.wait_for(lock, timeout, [&] { return !queue.empty(); })) return std::nullopt;
  const int event = queue.front();
  queue.pop_front();
  return event;
}

bool wait_event(int event, std::chrono::milliseconds timeout) {
  auto& m = mailboxes();
  const ThreadNumber me = current_thread_number();
  std::unique_lock lock(m.mutex);
  auto& queue = m.queues[me];
  auto find = [&] {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
      if (*it == event) {
        queue.erase(it);
        return true;
      }
    }
    return false;
  };
  return m.arrived.wait_for(lock, timeout, find);
}

}  // namespace dane

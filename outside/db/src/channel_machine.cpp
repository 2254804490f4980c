// Per-thread channels: open/close/clear/send/next with the data layer's error codes.
#include "channel_machine.h"

#include <unordered_map>

#include "runtime/text.h"

namespace db::detail {
namespace {

std::atomic<std::uint64_t> next_serial{1};

std::unordered_map<std::uint64_t, std::unique_ptr<ThreadState>>& thread_states() {
  thread_local std::unordered_map<std::uint64_t, std::unique_ptr<ThreadState>> states;
  return states;
}

std::size_t index(Channel c) {
  return static_cast<std::size_t>(c);
}

Status not_open(Channel c) {
  return Status::failure(kNotOpen, "File not open: " + std::string(channel_name(c)));
}

}  // namespace

ChannelMachine::ChannelMachine() : serial_(next_serial++) {}

// Other threads' states end with those threads; only this thread's can be reached here.
ChannelMachine::~ChannelMachine() {
  thread_states().erase(serial_);
}

ThreadState& ChannelMachine::state() const {
  auto& slot = thread_states()[serial_];
  if (!slot) slot = std::make_unique<ThreadState>();
  return *slot;
}

Status ChannelMachine::finish(Status s) const {
  state().last = s;
  return s;
}

Status ChannelMachine::open(Channel c, int mode) {
  if (index(c) >= kAllChannels.size()) return finish(Status::failure(kInvalidDeclaration, "Unknown channel"));
  if (mode != kPassThroughMode) {
    return finish(Status::failure(
        kInvalidDeclaration, "Channel " + std::string(channel_name(c)) + " opens only in access mode 34"));
  }
  ChannelState& ch = state().channels[index(c)];
  ch.open = true;
  ch.rows.clear();
  ch.next_row = 0;
  ch.ret_code = 0;
  ch.record.assign(channel_width(c), std::string());
  return finish(Status::success());
}

Status ChannelMachine::close(Channel c) {
  ChannelState& ch = state().channels[index(c)];
  ch.open = false;
  ch.rows.clear();
  ch.next_row = 0;
  return finish(Status::success());
}

Status ChannelMachine::clear(Channel c) {
  ChannelState& ch = state().channels[index(c)];
  for (auto& f : ch.record) f.clear();
  return finish(Status::success());
}

Status ChannelMachine::send(Channel c, std::string_view statement) {
  ThreadState& t = state();
  ChannelState& ch = t.channels[index(c)];
  if (!ch.open) return finish(not_open(c));
  ch.rows.clear();
  ch.next_row = 0;
  ch.ret_code = 0;
  Status s = execute(t, runtime::trim_right(statement), channel_width(c), ch.rows);
  if (!s.ok()) ch.rows.clear();
  if (ch.rows.ret_code) ch.ret_code = *ch.rows.ret_code;
  return finish(s);
}

Status ChannelMachine::next(Channel c) {
  ChannelState& ch = state().channels[index(c)];
  if (!ch.open) return finish(not_open(c));
  if (ch.next_row >= ch.rows.rows())
    return finish(Status::failure(kRecordNotAvailable, "Record Not Available"));
  const std::size_t n = std::min(ch.rows.columns(), ch.record.size());
  for (std::size_t i = 0; i < ch.record.size(); ++i) {
    if (i < n) {
      ch.record[i].assign(ch.rows.cell(ch.next_row, i));
    } else {
      ch.record[i].clear();
    }
  }
  ++ch.next_row;
  return finish(Status::success());
}

std::string_view ChannelMachine::field(Channel c, std::size_t n) const {
  const ChannelState& ch = state().channels[index(c)];
  if (n == 0 || n > ch.record.size()) return {};
  return ch.record[n - 1];
}

std::size_t ChannelMachine::columns(Channel c) const {
  return std::min(state().channels[index(c)].rows.columns(), channel_width(c));
}

std::string_view ChannelMachine::column_name(Channel c, std::size_t n) const {
  const auto& names = state().channels[index(c)].rows.names;
  return n == 0 || n > names.size() ? std::string_view{} : std::string_view(names[n - 1]);
}

std::uint8_t ChannelMachine::ret_code(Channel c) const {
  return state().channels[index(c)].ret_code;
}

Status ChannelMachine::last_error() const {
  return state().last;
}

}  // namespace db::detail

// Channel bookkeeping shared by every client that really holds channels: per-thread state, codes 37/33/47.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/client.h"
#include "db/engine.h"
#include "db/result_set.h"

namespace db::detail {

struct ChannelState {
  bool open = false;
  ResultSet rows;
  std::size_t next_row = 0;
  std::vector<std::string> record;
  std::uint8_t ret_code = 0;
};

struct ThreadState {
  std::array<ChannelState, kAllChannels.size()> channels;
  Status last;
  std::unique_ptr<Connection> connection;  // for clients over an engine
};

// Implements the Client operations; subclasses only say how a statement runs in the calling thread.
// The state lives in thread-local storage keyed by the client's serial number, so it ends with the thread.
class ChannelMachine : public Client {
 public:
  ChannelMachine();
  ~ChannelMachine() override;

  Status open(Channel c, int mode) override;
  Status close(Channel c) override;
  Status clear(Channel c) override;
  Status send(Channel c, std::string_view statement) override;
  Status next(Channel c) override;
  std::string_view field(Channel c, std::size_t n) const override;
  std::uint8_t ret_code(Channel c) const override;
  std::size_t columns(Channel c) const override;
  std::string_view column_name(Channel c, std::size_t n) const override;
  Status last_error() const override;

 protected:
  // The calling thread's channels and connection.
  ThreadState& thread_state() const { return state(); }

  // Runs the statement for the calling thread; `out` is empty on entry.
  virtual Status execute(ThreadState& thread, std::string_view statement, std::size_t max_columns,
                         ResultSet& out) = 0;

 private:
  ThreadState& state() const;
  Status finish(Status s) const;

  const std::uint64_t serial_;
};

}  // namespace db::detail

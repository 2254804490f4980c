// The database client seen by the command layer: named channels, each with its own result rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "db/channel.h"
#include "db/records.h"
#include "db/status.h"

namespace db {

// Every operation returns its outcome and also leaves it as the calling thread's last error.
// A channel belongs to the thread that opened it: each thread sees its own instance of every channel,
// so a channel opened by another thread is "not open" (37) here. Implementations are safe to call from
// any number of threads at once.
class Client {
 public:
  virtual ~Client() = default;

  // Opens the channel for the calling thread; only the pass-through mode 34 is accepted (else 47).
  virtual Status open(Channel c, int mode = kPassThroughMode) = 0;
  // Closes the channel and drops its result rows; closing a closed channel is not an error.
  virtual Status close(Channel c) = 0;
  // Blanks the channel's record.
  virtual Status clear(Channel c) = 0;
  // Sends a statement; its trailing blanks are removed first. The rows it returns wait for next().
  virtual Status send(Channel c, std::string_view statement) = 0;
  // Moves the next result row into the channel's record; 33 when there is none.
  virtual Status next(Channel c) = 0;
  // Column n (1-based) of the channel's record, at most 1000 characters; empty beyond the record.
  virtual std::string_view field(Channel c, std::size_t n) const = 0;
  // Number of columns of the channel's current result and the name of column n (1-based), for tools
  // that show results of statements they do not know.
  virtual std::size_t columns(Channel c) const = 0;
  virtual std::string_view column_name(Channel c, std::size_t n) const = 0;
  // The value of the one-byte `&RetCode` binding after the channel's last statement; 0 when not set.
  virtual std::uint8_t ret_code(Channel c) const = 0;
  // The outcome of the calling thread's most recent operation on this client.
  virtual Status last_error() const = 0;
  // Record access for the calling thread, on the connection its channels use; valid until the thread
  // ends or the client is destroyed. Clients without a database answer 90.
  virtual Status records(RecordConnection*& out) {
    out = nullptr;
    return Status::statement_failed("Record access is not available on this connection");
  }
};

}  // namespace db

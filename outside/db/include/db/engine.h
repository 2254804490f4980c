// The seam between the channels and a database engine: a connection per thread that runs statement texts.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "db/records.h"
#include "db/result_set.h"
#include "db/status.h"

namespace db {

// One connection to the database, used by one thread at a time.
class Connection {
 public:
  virtual ~Connection() = default;
  // Runs a statement text as the application composed it and delivers all its rows at once (at most
  // `max_columns` columns, each cut to 1000 characters). Failures come back as 90 with the engine's
  // message; transient ones carry "HSTM".
  virtual Status run(std::string_view statement, std::size_t max_columns, ResultSet& out) = 0;
  // False once the connection is known to be lost; the client then opens a new one.
  virtual bool usable() const = 0;
  // Record access over this same connection; null when the engine offers none.
  virtual RecordConnection* records() { return nullptr; }
};

// A database reached by a connection text; it opens connections for the threads that ask.
class Engine {
 public:
  virtual ~Engine() = default;
  virtual Status connect(std::unique_ptr<Connection>& out) = 0;
  // Human-readable description of the database (for the shell and for logs).
  virtual std::string describe() const = 0;
};

}  // namespace db

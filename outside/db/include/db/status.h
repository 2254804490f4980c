// Outcome of every database operation: an error code and the text that goes with it.
#pragma once

#include <string>
#include <string_view>

namespace db {

// Error codes as the data layer reports them after each operation.
inline constexpr int kOk = 0;
inline constexpr int kRecordNotAvailable = 33;  // no (more) rows to read
inline constexpr int kNotOpen = 37;             // channel not open in the calling thread
inline constexpr int kInvalidDeclaration = 47;  // unknown channel or an access mode it does not support
inline constexpr int kStatementFailed = 90;  // the engine refused or failed the statement; text = its message

// The access mode in which every pass-through channel is opened.
inline constexpr int kPassThroughMode = 34;

// Transient conditions (busy, locked, lost connection) carry this mark in their text so that the command
// layer retries them instead of reporting.
inline constexpr std::string_view kTransientMark = "HSTM";

struct Status {
  int code = kOk;
  std::string text;

  bool ok() const { return code == kOk; }
  // True when the text marks a transient condition (compared in upper case, as the callers do).
  bool transient() const;

  static Status success() { return {}; }
  static Status failure(int code, std::string text) { return {code, std::move(text)}; }
  static Status statement_failed(std::string text) { return {kStatementFailed, std::move(text)}; }
  // A statement failure that the caller should retry: the engine's message prefixed with the mark.
  static Status transient_failure(std::string_view engine_message);
};

}  // namespace db

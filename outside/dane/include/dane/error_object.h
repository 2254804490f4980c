// The error object: each thread's current procedure name (the error context of the open window) and the
// place where record-access errors are reported.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace dane {

struct ErrorReport {
  int code = 0;           // the record layer's error code (37: table not open ...)
  std::string text;       // the record layer's error text
  std::string table;      // the table the operation worked on, empty when none
  std::string procedure;  // the reporting thread's procedure name at the time of the report

  friend bool operator==(const ErrorReport&, const ErrorReport&) = default;
};

// Contract:
// - Procedure names are kept per thread, as a stack: a window sets its name when it opens and clears it
//   when it closes, and a window opened from another one on the same thread (a form called from a browse)
//   hands the context back to its caller when it closes. Windows on other threads never see or disturb
//   each other's names.
// - Reports are remembered per thread (the last one) and passed to the handler, if one is set; the
//   object itself shows nothing. The handler runs on the reporting thread, outside the object's lock, so
//   it may call back into the object.
// - Every member may be called from any thread; no exception leaves it (a throwing handler is ignored).
class ErrorObject {
 public:
  using Handler = std::function<void(const ErrorReport&)>;

  // Sets the calling thread's current procedure name (trailing blanks removed).
  void set_procedure(std::string_view name);
  // Clears the calling thread's current name and goes back to the one before it. With a name, clears
  // the most recent entry of that name (ignoring case and trailing blanks) and nothing when there is none,
  // so that a window that closes out of turn removes only its own name.
  void clear_procedure(std::string_view name = {});
  // The calling thread's current procedure name, empty when no window of the thread has set one.
  std::string procedure() const;

  void report(int code, std::string_view text, std::string_view table = {});
  // The calling thread's last report.
  std::optional<ErrorReport> last_report() const;
  void clear_last_report();

  void set_handler(Handler handler);

 private:
  mutable std::mutex mutex_;
  std::map<std::thread::id, std::vector<std::string>> procedures_;
  std::map<std::thread::id, ErrorReport> last_reports_;
  Handler handler_;
};

// Sets a procedure name for the lifetime of the scope (a window's open to close).
class ProcedureScope {
 public:
  ProcedureScope(ErrorObject& errors, std::string_view name);
  ~ProcedureScope();
  ProcedureScope(const ProcedureScope&) = delete;
  ProcedureScope& operator=(const ProcedureScope&) = delete;

 private:
  ErrorObject& errors_;
  std::string name_;
};

}  // namespace dane

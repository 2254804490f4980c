// The statement window: a long statement run on a worker thread while the calling thread shows progress,
// once, or once per row of a driving query with "#i#" markers filled from the row.
//
// The window is the engine below driven by the host's progress window (the description, in row mode the
// counter "n / total" and the bar, a stop button that is the close request); an end state that stays
// open is shown as a box titled as the end state, with "OK" and "Do schowka" (copies the comment).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace keldox {

struct StatementWindowArgs {
  std::string statement;
  std::string description;  // empty: "Proszę czekać - trwa wykonanie ..."
  std::string comment;
  std::string driving_query;   // empty: single mode
  std::string operation_name;  // empty: "wykonanie"
  std::uint8_t keep_open = 0;  // 1: a successful run stays open until OK
  std::uint8_t ignored = 0;
  std::int32_t height = 0;
};

// The SQL text window "PokazSQLWin": the text (grave accents shown as apostrophes) with "Kopiuj do schowka
// zaznaczony fragment" (the selection, or the whole text without one) and "Wykonaj SQL", which runs the
// pieces between lines of "go" in order, stops at the first failure with its text as a warning, and after
// the last one logs the run under the title and tells "Skrypt SQL został wykonany poprawnie!".
void POKAZSQLWIN(std::string_view text, std::string_view title);

// The window's response: 1 when every statement ran (or there was nothing to run), 2 when the run ended
// in a warning or was interrupted.
std::uint8_t EXECSQLWIN(std::string_view statement, std::string_view description = {},
                        std::string_view comment = {}, std::string_view driving_query = {},
                        std::string_view operation_name = {}, std::uint8_t keep_open = 0,
                        std::uint8_t ignored = 0, std::int32_t height = 0);
// As EXECSQLWIN in asking mode: after a warning the user decides whether to stop or go on.
std::uint8_t EXECSQLWINASK(std::string_view statement, std::string_view description = {},
                           std::string_view comment = {}, std::string_view driving_query = {},
                           std::string_view operation_name = {}, std::uint8_t keep_open = 0,
                           std::uint8_t ignored = 0, std::int32_t height = 0);

// The window's logic without its widgets: what a host shows, advanced by timer events.
class StatementRun {
 public:
  enum class End { None, Finished, Summary, Interrupted, Warning };

  StatementRun(StatementWindowArgs args, bool asking);
  ~StatementRun();
  StatementRun(const StatementRun&) = delete;
  StatementRun& operator=(const StatementRun&) = delete;

  // One timer event (step 3 of the window).
  void tick();
  // The user asks to close while work goes on: row mode asks whether to stop; single mode ignores it.
  void request_close();
  // OK, Enter or the close request in an end state.
  void accept();

  bool ended() const;  // the window closes
  bool row_mode() const;
  bool worker_running() const;
  End end_state() const;
  std::string title() const;  // "MIRLET: Ostrzeżenie" after a warning, "MIRLET: Informacja" in other ends
  std::string description() const;
  std::string comment() const;
  std::string counter() const;  // "n / total"
  std::string percent() const;  // "p%"
  int percent_value() const;
  // The window height: the caller's when given (but not in a warning end), else the comment's plus 76,
  // the comment growing with its lines up to 437.
  int height() const;
  std::uint8_t response() const;

 private:
  struct State;
  std::unique_ptr<State> s_;
};

namespace statement_window_detail {
// The worker result list, created by KELDOX:INIT and released by KELDOX:KILL (and usable before, as the
// tests' processes do without the library entry).
inline constexpr std::uint8_t kRunning = 2;
inline constexpr std::uint8_t kSucceeded = 1;
inline constexpr std::uint8_t kFailed = 0;
inline constexpr std::uint8_t kNoEntry = 255;
struct WorkerEntry {
  std::int32_t thread = 0;
  std::uint8_t status = kNoEntry;
  std::string message;  // at most 300 characters
};
void create_results();
void dispose_results();
void put_result(const WorkerEntry& entry);
// The entry of `thread`, or of the calling thread when 0; status kNoEntry when there is none.
WorkerEntry get_result(std::int32_t thread);
void delete_result(std::int32_t thread);
}  // namespace statement_window_detail

}  // namespace keldox

// The statement window: its engine (worker threads, the result list, the end states) and the loop that
// shows it through the host's progress window.
#include "keldox/statement_window.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "channel_ops.h"
#include "dane/database.h"
#include "dane/events.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {

namespace statement_window_detail {
namespace {

struct Results {
  std::mutex mutex;
  std::vector<WorkerEntry> entries;
};

std::mutex& creation_mutex() {
  static std::mutex m;
  return m;
}
std::shared_ptr<Results>& results_slot() {
  static std::shared_ptr<Results> r;
  return r;
}
std::shared_ptr<Results> results() {
  std::lock_guard lock(creation_mutex());
  if (!results_slot()) results_slot() = std::make_shared<Results>();
  return results_slot();
}

}  // namespace

void create_results() {
  results();
}
void dispose_results() {
  std::lock_guard lock(creation_mutex());
  results_slot().reset();
}

void put_result(const WorkerEntry& entry) {
  const auto r = results();
  std::lock_guard lock(r->mutex);
  WorkerEntry copy = entry;
  copy.message = std::string(runtime::cut_to_width(copy.message, 300));
  for (auto& e : r->entries) {
    if (e.thread == entry.thread) {
      e = std::move(copy);
      return;
    }
  }
  r->entries.push_back(std::move(copy));
}

WorkerEntry get_result(std::int32_t thread) {
  if (thread == 0) thread = dane::current_thread_number();
  const auto r = results();
  std::lock_guard lock(r->mutex);
  for (const auto& e : r->entries) {
    if (e.thread == thread) return e;
  }
  return WorkerEntry{thread, kNoEntry, {}};
}

void delete_result(std::int32_t thread) {
  const auto r = results();
  std::lock_guard lock(r->mutex);
  std::erase_if(r->entries, [&](const WorkerEntry& e) { return e.thread == thread; });
}

}  // namespace statement_window_detail

namespace {

using namespace statement_window_detail;
using db::Channel;

constexpr std::string_view kDefaultDescription = "Proszę czekać - trwa wykonanie ...";

std::string cut(std::string_view text, std::size_t width) {
  return std::string(runtime::cut_to_width(text, width));
}

std::size_t find_upper(std::string_view text, std::string_view word) {
  return runtime::to_upper(text).find(word);
}

// The worker thread's body: one statement on VAX, its outcome put into the result list.
void run_worker(std::string statement) {
  db::Client& client = dane::database();
  dane::GLO.VAXOPENED = 0;
  client.close(Channel::VAX);
  client.clear(Channel::VAX);
  WorkerEntry entry = get_result(0);
  if (entry.status == kNoEntry) return;
  entry.message.clear();
  client.open(Channel::VAX, db::kPassThroughMode);
  dane::GLO.VAXOPENED = 1;
  const db::Status status = client.send(Channel::VAX, runtime::trim_right(statement));
  if (status.ok()) {
    entry.status = kSucceeded;
  } else {
    const std::string message = cut(status.text, 1000);
    if (status.transient()) {
      // The statement did not run: a failure, so that the window leaves its running state.
      client.clear(Channel::VAX);
      client.close(Channel::VAX);
      entry.status = kFailed;
      entry.message = message;
    } else if ((status.code == db::kStatementFailed || status.code == db::kInvalidDeclaration) &&
               message.find('?') != std::string::npos) {
      entry.status = MSG_PYTANIE(message) == 2 ? kSucceeded : kFailed;
    } else {
      // Every failure counts as one, whatever its code: a channel that could not run is no success.
      entry.status = kFailed;
      entry.message = message.empty() ? "Błąd " + std::to_string(status.code) : message;
    }
  }
  put_result(entry);
}

}  // namespace

struct StatementRun::State {
  StatementWindowArgs args;
  bool asking = false;
  bool row_mode = false;
  bool ended = false;
  End end = End::None;
  std::string description;
  std::string comment;
  int columns = 0;
  int total = 0;
  int rows_started = 0;  // rows whose statement was started (the counter)
  int rows_done = 0;     // rows whose statement ended
  int warnings = 0;
  int percent = 0;
  bool last_ok = true;
  bool stopping = false;       // interrupt asked: wait for the running statement, then the interrupted end
  bool ask_again = true;       // asking mode: the question after a warning is still shown
  bool asked_no_once = false;  // the second question comes after the first No
  bool interrupted = false;
  bool warned = false;  // any warning end was reached
  bool rows_exhausted = false;
  bool worker_opened_vax = false;
  std::int32_t worker_number = 0;
  std::thread worker;

  bool worker_running() const { return worker.joinable(); }

  void set_end(End e) {
    end = e;
    const std::string& op = args.operation_name;
    switch (e) {
      case End::Finished:
        description = "Zakończono " + op + ".";
        comment.clear();
        break;
      case End::Summary: {
        const int good = rows_done - warnings;
        const int p = total > 0 ? good * 100 / total : 0;
        description = "Zakończono " + op + ".";
        comment = "Wykonano " + std::to_string(p) + "%  ( " + std::to_string(good) + " / " +
                  std::to_string(total) + " )";
        break;
      }
      case End::Interrupted:
        interrupted = true;
        description = "Przerwano " + op + ".";
        comment = "Wykonano " + std::to_string(percent) + "% ( " + std::to_string(rows_done) + " / " +
                  std::to_string(total) + " )";
        break;
      case End::Warning:
        warned = true;
        description = "Uwaga - przerwano " + op + ".";
        break;
      case End::None:
        break;
    }
  }

  void warn(std::string_view message) {
    last_ok = false;
    ++warnings;
    set_end(End::Warning);
    comment = REPLACEPROC2(cut(message, 300), "|", "\n");
  }

  void start_worker(const std::string& statement) {
    std::promise<std::int32_t> number;
    std::promise<void> go;
    auto number_future = number.get_future();
    auto go_future = go.get_future().share();
    worker = std::thread([statement, &number, go_future] {
      number.set_value(dane::current_thread_number());
      go_future.wait();
      run_worker(statement);
    });
    worker_number = number_future.get();
    put_result(WorkerEntry{worker_number, kRunning, {}});
    worker_opened_vax = true;
    go.set_value();
  }

  // The worker's outcome once it has put a final status; false while it still runs.
  bool collect_worker() {
    const WorkerEntry entry = get_result(worker_number);
    if (entry.status != kSucceeded && entry.status != kFailed) return false;
    worker.join();
    delete_result(worker_number);
    ++rows_done;
    if (entry.status == kSucceeded) {
      last_ok = true;
      if (!row_mode) set_end(End::Finished);
    } else {
      warn(entry.message);
    }
    return true;
  }

  std::string filled(const std::string& text, const std::vector<std::string>& values) const {
    if (text.find('#') == std::string::npos) return text;
    std::string out = text;
    for (int i = 1; i <= columns; ++i) {
      out = REPLACEPROC2(out, "#" + std::to_string(i) + "#", values[static_cast<std::size_t>(i - 1)]);
    }
    return out;
  }

  void next_row() {
    db::Client& client = dane::database();
    const db::Status status = client.next(Channel::VAX2);
    if (!status.ok()) {
      if (status.code == db::kStatementFailed || status.code == db::kInvalidDeclaration) {
        warn(status.text);
      } else {
        rows_exhausted = true;
      }
      return;
    }
    std::vector<std::string> values;
    for (int i = 1; i <= columns; ++i) {
      values.emplace_back(runtime::trim_right(client.field(Channel::VAX2, static_cast<std::size_t>(i))));
    }
    const std::string statement = filled(args.statement, values);
    description = filled(args.description, values);
    comment = filled(args.comment, values);
    start_worker(statement);
  }

  void ask_after_warning() {
    if (!ask_again) {
      end = End::None;
      continue_after_warning();
      return;
    }
    if (MSG_PYTANIE(comment + "|" + "Czy chcesz przerwać " + args.operation_name + "?") == 2) {
      ended = true;
      return;
    }
    if (!asked_no_once) {
      asked_no_once = true;
      if (MSG_PYTANIE("Czy dalej wyświetlać komunikaty z pytaniem o przerwanie wykonania?") != 2) {
        ask_again = false;
      }
    }
    end = End::None;
    continue_after_warning();
  }

  void continue_after_warning() {
    description = args.description;
    comment = args.comment;
    if (!row_mode) ended = true;
  }

  void tick() {
    if (ended) return;
    if (end != End::None) {
      if (worker_running()) return;
      if (last_ok && args.keep_open != 1 && end == End::Finished) {
        ended = true;
      } else if (asking && end == End::Warning) {
        ask_after_warning();
      }
      return;
    }
    if (worker_running()) {
      if (!collect_worker()) return;
      if (stopping) {
        set_end(End::Interrupted);
        return;
      }
      if (end != End::None) return;
    }
    if (stopping) {
      set_end(End::Interrupted);
      return;
    }
    if (row_mode) {
      if (rows_started >= total || rows_exhausted) {
        if (args.keep_open == 1) {
          set_end(End::Finished);
        } else if (warnings > 0) {
          set_end(End::Summary);
        } else {
          ended = true;
        }
        return;
      }
      next_row();
      if (rows_exhausted) return;
      if (end != End::None) return;
      ++rows_started;
      percent = total > 0 ? rows_started * 100 / total : 0;
      return;
    }
    if (rows_started == 0) {
      ++rows_started;
      start_worker(args.statement);
    }
  }
};

StatementRun::StatementRun(StatementWindowArgs args, bool asking) : s_(std::make_unique<State>()) {
  sql_detail::stamp_clock();
  State& s = *s_;
  s.asking = asking;
  args.statement = cut(args.statement, 9'999);
  args.description = cut(args.description.empty() ? std::string(kDefaultDescription) : args.description, 200);
  args.comment = cut(args.comment, 300);
  args.operation_name = cut(args.operation_name, 300);
  if (runtime::trim_right(args.operation_name).empty()) args.operation_name = "wykonanie";
  s.args = std::move(args);
  s.description = s.args.description;
  s.comment = s.args.comment;
  const std::string& query = s.args.driving_query;
  s.row_mode = !runtime::trim_right(query).empty();
  if (!s.row_mode) return;
  const std::size_t from = find_upper(query, "FROM");
  const std::string_view head = std::string_view(query).substr(0, std::min(from, query.size()));
  s.columns = static_cast<int>(std::count(head.begin(), head.end(), ',')) + 1;
  if (from != std::string::npos) {
    const std::size_t order = find_upper(query, "ORDER");
    const std::size_t end = order != std::string::npos && order > from ? order : query.size();
    s.total = std::atoi(FUNCSQL("select count(*) " + query.substr(from, end - from)).c_str());
  }
  if (s.total <= 0) {
    s.ended = true;
    return;
  }
  if (ESQL2(query, 1) != 0) s.warn(dane::database().last_error().text);
}

StatementRun::~StatementRun() {
  if (s_->worker_running()) s_->worker.join();
  delete_result(s_->worker_number);
  if (s_->worker_opened_vax) CLOSESQL();
  if (s_->row_mode) CLOSESQL2();
}

void StatementRun::tick() {
  s_->tick();
}

void StatementRun::request_close() {
  State& s = *s_;
  if (s.ended) return;
  if (s.end != End::None) {
    accept();
    return;
  }
  if (!s.row_mode || s.stopping) return;
  if (MSG_PYTANIE("Czy chcesz przerwać " + s.args.operation_name + "?") == 2) {
    s.stopping = true;
    s.description = "Kończenie wykonania ostatniej operacji ...";
  }
}

void StatementRun::accept() {
  if (s_->end != End::None && !s_->worker_running()) s_->ended = true;
}

bool StatementRun::ended() const {
  return s_->ended;
}
bool StatementRun::row_mode() const {
  return s_->row_mode;
}
bool StatementRun::worker_running() const {
  return s_->worker_running();
}
StatementRun::End StatementRun::end_state() const {
  return s_->end;
}
std::string StatementRun::title() const {
  if (s_->end == End::Warning) return "MIRLET: Ostrzeżenie";
  if (s_->end != End::None) return "MIRLET: Informacja";
  return "MIRLET";
}
std::string StatementRun::description() const {
  return s_->description;
}
std::string StatementRun::comment() const {
  return s_->comment;
}
std::string StatementRun::counter() const {
  return std::to_string(s_->rows_started) + " / " + std::to_string(s_->total);
}
std::string StatementRun::percent() const {
  return std::to_string(s_->percent) + "%";
}
int StatementRun::percent_value() const {
  return s_->percent;
}
int StatementRun::height() const {
  constexpr int kLineHeight = 10;
  constexpr int kMaxComment = 437;
  constexpr int kAround = 76;
  if (s_->args.height > 0 && s_->end != End::Warning) return s_->args.height;
  const int lines = 1 + static_cast<int>(std::count(s_->comment.begin(), s_->comment.end(), '\n')) +
                    static_cast<int>(runtime::char_count(s_->comment) / 60);
  return std::min(lines * kLineHeight, kMaxComment) + kAround;
}
std::uint8_t StatementRun::response() const {
  return s_->warned || s_->interrupted ? 2 : 1;
}

namespace {

std::uint8_t run_window(StatementWindowArgs args, bool asking) {
  StatementRun run(std::move(args), asking);
  std::unique_ptr<dane::Progress> progress;
  auto open = [&] {
    progress = dane::host().open_progress(run.description());
    // One statement runs for as long as it runs: only the busy indicator tells that it still does.
    progress->set_busy_indicator(!run.row_mode());
    if (run.row_mode()) progress->allow_cancel();
  };
  while (!run.ended()) {
    if (run.end_state() != StatementRun::End::None && !run.worker_running()) {
      run.tick();  // an end that closes by itself, or the asking mode's questions
      if (run.ended() || run.end_state() == StatementRun::End::None) continue;
      progress.reset();
      dane::MessageBox box;
      box.title = run.title();
      box.text = run.description() + "|" + REPLACEPROC2(run.comment(), "\n", "|");
      box.icon =
          run.end_state() == StatementRun::End::Warning ? dane::Icon::Exclamation : dane::Icon::Information;
      box.custom_buttons = {"OK", "Do schowka"};
      box.default_answer = 1;
      if (dane::host().message(box) == 2) {
        dane::host().set_clipboard(run.comment());
        continue;
      }
      run.accept();
      continue;
    }
    if (!progress) open();
    run.tick();
    if (run.ended()) break;
    progress->set_text(run.description());
    if (run.row_mode()) {
      progress->set_counter(run.counter());
      progress->set_percent(run.percent_value());
    }
    progress->redraw();
    if (progress->cancelled()) {
      run.request_close();
      progress.reset();  // a fresh window: the stop button is offered again after No
      continue;
    }
    if (run.worker_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return run.response();
}

StatementWindowArgs make_args(std::string_view statement, std::string_view description,
                              std::string_view comment, std::string_view driving_query,
                              std::string_view operation_name, std::uint8_t keep_open, std::uint8_t ignored,
                              std::int32_t height) {
  return StatementWindowArgs{std::string(statement),
                             std::string(description),
                             std::string(comment),
                             std::string(driving_query),
                             std::string(operation_name),
                             keep_open,
                             ignored,
                             height};
}

}  // namespace

std::uint8_t EXECSQLWIN(std::string_view statement, std::string_view description, std::string_view comment,
                        std::string_view driving_query, std::string_view operation_name,
                        std::uint8_t keep_open, std::uint8_t ignored, std::int32_t height) {
  return run_window(
      make_args(statement, description, comment, driving_query, operation_name, keep_open, ignored, height),
      false);
}

std::uint8_t EXECSQLWINASK(std::string_view statement, std::string_view description, std::string_view comment,
                           std::string_view driving_query, std::string_view operation_name,
                           std::uint8_t keep_open, std::uint8_t ignored, std::int32_t height) {
  return run_window(
      make_args(statement, description, comment, driving_query, operation_name, keep_open, ignored, height),
      true);
}

}  // namespace keldox

// The dictionary windows on the large demo database (100,000 banks), logged in as the administrator and run
// through a host of the benchmark's own: opening each browse to its first screen against its first page's
// statement alone, a header click on an unindexed column of the banks, and the 1,000th screen of that
// header order against its first and its second (paged by key, the depth of a screen costs nothing; paged
// by an offset, the engine would pass every row before it).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "dane/browse.h"
#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/sql_row_source.h"
#include "db/client.h"
#include "db/sqlite_engine.h"
#include "keldox/query_bridge.h"
#include "mirlet_testing/temp_folder.h"
#include "pattern/run.h"
#include "ratio_reporter.h"
#include "server/demo.h"
#include "server/server.h"
#include "start/session_lists.h"
#include "windows/windows.h"

namespace {

constexpr std::size_t kScreen = 25;
constexpr int kScreens = 1000;
constexpr double kAdministrator = 3000001;
constexpr db::Channel kChannel = db::Channel::VAX3;  // the channel the browses read their pages on

// The four dictionaries, by benchmark argument.
const slownik::Description& dictionary(std::int64_t n) {
  switch (n) {
    case 0:
      return slownik::vat_rates();
    case 1:
      return slownik::currencies();
    case 2:
      return slownik::banks();
    default:
      return slownik::countries();
  }
}
constexpr int kDictionaries = 4;

// The bank columns whose headers are clicked, by benchmark argument: the address has no index (the first,
// whose 1,000 screens are walked), the town has one.
constexpr const char* kClicked[] = {"ULICA_LOKAL", "MIEJSCOWOSC"};

// The session's client, counting the statements sent through it so that every figure comes with the
// number of statements it took; the texts are kept while `keep` is set.
class CountingClient : public db::Client {
 public:
  explicit CountingClient(db::Client& inner) : inner_(inner) {}

  std::size_t sent() const { return sent_; }
  void keep(bool on) {
    keep_ = on;
    kept_.clear();
  }
  const std::vector<std::string>& kept() const { return kept_; }

  db::Status open(db::Channel c, int mode = db::kPassThroughMode) override { return inner_.open(c, mode); }
  db::Status close(db::Channel c) override { return inner_.close(c); }
  db::Status clear(db::Channel c) override { return inner_.clear(c); }
  db::Status send(db::Channel c, std::string_view statement) override {
    ++sent_;
    if (keep_) kept_.emplace_back(statement);
    return inner_.send(c, statement);
  }
  db::Status next(db::Channel c) override { return inner_.next(c); }
  std::string_view field(db::Channel c, std::size_t n) const override { return inner_.field(c, n); }
  std::size_t columns(db::Channel c) const override { return inner_.columns(c); }
  std::string_view column_name(db::Channel c, std::size_t n) const override {
    return inner_.column_name(c, n);
  }
  std::uint8_t ret_code(db::Channel c) const override { return inner_.ret_code(c); }
  db::Status last_error() const override { return inner_.last_error(); }
  db::Status records(db::RecordConnection*& out) override { return inner_.records(out); }

 private:
  db::Client& inner_;
  std::size_t sent_ = 0;
  bool keep_ = false;
  std::vector<std::string> kept_;
};

// Answers every box with its default and hands each browse to the steps of the running benchmark, then
// closes it. A box or an error window means the figures are not those of the normal path: it is kept.
class BenchHost : public dane::HeadlessHost {
 public:
  using Steps = std::function<void(dane::BrowseWindow&)>;
  const Steps* steps = nullptr;
  std::string trouble;

  int message(const dane::MessageBox& box) override {
    note(box.title + ": " + box.text);
    return box.default_answer;
  }
  void error_window(std::string_view text, std::string_view title) override {
    note(std::string(title) + ": " + std::string(text));
  }
  void run_window(dane::Window& window) override {
    if (steps && window.kind() == dane::Window::Kind::Browse)
      (*steps)(static_cast<dane::BrowseWindow&>(window));
    window.request_close();
  }

 private:
  void note(std::string what) {
    if (trouble.empty()) trouble = std::move(what);
  }
};

// The large demo database once per run, the administrator logged in with the session's lists loaded.
struct Session {
  std::unique_ptr<mirlet_testing::TempFolder> folder;  // removed when the run ends, after the clients
  std::unique_ptr<db::Client> client;
  std::unique_ptr<CountingClient> counting;
  BenchHost host;
  std::string error;  // why there is no session
};

Session& session() {
  static Session s;
  static std::once_flag made;
  std::call_once(made, [] {
    s.folder = std::make_unique<mirlet_testing::TempFolder>("dictionarybench");
    const std::string path = s.folder->file("large.db");
    const auto started = std::chrono::steady_clock::now();
    if (const db::Status st = server::make_demo_database(path, server::DemoSize::Large); !st.ok()) {
      s.error = st.text;
      return;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::fprintf(stderr, "large demo database made in %.1f s\n", took.count());
    if (const db::Status st = server::connect("sqlite:" + path, s.client); !st.ok()) {
      s.error = st.text;
      return;
    }
    s.counting = std::make_unique<CountingClient>(*s.client);
    dane::reset_session();
    dane::install_database(s.counting.get());
    dane::install_host(&s.host);
    dane::GLO.ID_FIRMY = 1;
    dane::GLO.ID_UZYTKOWNIKA = kAdministrator;
    dane::GLO.TOOLTIPTYPE = 1;
    dane::GLO.PATH_INI = s.folder->file("okna.ini");
    dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;  // the utility module the loaders call
    dane::GLO.OWNERNAME = "sqlite:" + path;
    if (keldox::DOTNETUTWORZPOLACZENIESQL() != "1") {
      s.error = "no bridge connection";
      return;
    }
    start::load_session_lists();
  });
  return s;
}

void end_session() {
  dane::install_host(nullptr);
  dane::install_database(nullptr);
}

// False (and the benchmark skipped) without a session or after a box that left the normal path.
bool usable(benchmark::State& state) {
  Session& s = session();
  if (!s.error.empty()) {
    state.SkipWithError(("no session: " + s.error).c_str());
    return false;
  }
  if (!s.host.trouble.empty()) {
    state.SkipWithError(("a box was shown: " + s.host.trouble).c_str());
    return false;
  }
  return true;
}

// Runs the dictionary's browse, its steps given the open window; a box shown on the way skips the
// benchmark.
void run_browse(const slownik::Description& d, const BenchHost::Steps& steps,
                benchmark::State* state = nullptr) {
  Session& s = session();
  s.host.steps = &steps;
  slownik::run_dictionary_browse(d, dane::Request::None);
  s.host.steps = nullptr;
  if (state && !s.host.trouble.empty()) state->SkipWithError(("a box was shown: " + s.host.trouble).c_str());
}

dane::SqlRowSource* sql_source(dane::BrowseWindow& w) {
  return dynamic_cast<dane::SqlRowSource*>(&w.source());
}

// ---- Opening each browse, against its first page's statement alone

struct FirstPage {
  std::string statement;  // what the browse's source composes for its first query
  std::size_t columns = 0;
  std::size_t sent_while_opening = 0;  // every statement up to the first screen
  std::size_t reads = 0;               // how many of them were the first page's statement
  std::string error;
};

FirstPage first_pages[kDictionaries];
bool first_page_probed[kDictionaries] = {};

const FirstPage& first_page(std::int64_t n) {
  FirstPage& p = first_pages[n];
  if (first_page_probed[n] || !session().error.empty()) return p;
  first_page_probed[n] = true;
  CountingClient& counting = *session().counting;
  counting.keep(true);
  run_browse(dictionary(n), [&](dane::BrowseWindow& w) {
    p.sent_while_opening = counting.kept().size();
    dane::SqlRowSource* source = sql_source(w);
    if (!source) {
      p.error = "the browse does not read through the database";
      return;
    }
    dane::PageQuery q;
    q.order = w.sort_order();
    p.statement = source->statement(q, w.page_size());
    p.columns = w.columns().size();
    for (const std::string& s : counting.kept()) p.reads += s == p.statement ? 1 : 0;
  });
  counting.keep(false);
  if (p.error.empty() && p.reads == 0) p.error = "the browse sent another first page: " + p.statement;
  return p;
}

// Constructing the browse, permission, registration, stored choices, column layout, popup and header
// sorter, and the first page: everything until the host is given the window to show.
void BM_OpenBrowse(benchmark::State& state) {
  if (!usable(state)) return;
  const slownik::Description& d = dictionary(state.range(0));
  state.SetLabel(d.browse);
  CountingClient& counting = *session().counting;
  std::size_t rows = 0, statements = 0, at_start = 0;
  bool shown = false;
  const BenchHost::Steps steps = [&](dane::BrowseWindow& w) {
    state.PauseTiming();
    shown = true;
    statements = counting.sent() - at_start;
    rows = w.rows().size();
  };
  for (auto _ : state) {
    shown = false;
    at_start = counting.sent();
    run_browse(d, steps, &state);
    if (state.error_occurred()) break;  // the timer stopped with the error: it must not be resumed
    if (!shown) {
      state.SkipWithError("the browse did not open");
      break;
    }
    state.ResumeTiming();
    if (rows == 0 || (d.browse == "Banki_Brw" && rows != kScreen)) {
      state.SkipWithError("the first screen is not full");
      break;
    }
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["statements"] = static_cast<double>(statements);
}

// Sends a statement and copies its rows out, as the source does with a page; the number of rows.
std::size_t read_rows(db::Client& client, const std::string& statement, std::size_t columns) {
  if (!client.send(kChannel, statement).ok()) return 0;
  std::size_t rows = 0;
  while (client.next(kChannel).ok()) {
    dane::Row row;
    row.reserve(columns);
    for (std::size_t c = 1; c <= columns; ++c) row.emplace_back(client.field(kChannel, c));
    benchmark::DoNotOptimize(row.data());
    ++rows;
  }
  return rows;
}

// The baseline: the first page's own statement through the session's client, nothing around it.
void BM_FirstPageStatement(benchmark::State& state) {
  if (!usable(state)) return;
  const FirstPage& p = first_page(state.range(0));
  state.SetLabel(dictionary(state.range(0)).browse);
  if (!p.error.empty()) {
    state.SkipWithError(p.error.c_str());
    return;
  }
  db::Client& client = dane::database();
  client.open(kChannel);
  std::size_t rows = 0;
  for (auto _ : state) {
    rows = read_rows(client, p.statement, p.columns);
    if (rows == 0) {
      state.SkipWithError(("no rows: " + client.last_error().text).c_str());
      break;
    }
    // The timer stopped and started as in the opening, so that both sides carry the timer's own cost
    // (reading the thread's CPU clock is a system call, near a microsecond beside pages of a few).
    state.PauseTiming();
    state.ResumeTiming();
  }
  client.close(kChannel);
  state.counters["rows"] = static_cast<double>(rows);
}

// The currency list opened with its base rates of the day (four columns read per row by the server's
// function) against the same list without them (0): the price of the rate columns.
void BM_CurrencyRates(benchmark::State& state) {
  if (!usable(state)) return;
  static const slownik::Description plain = [] {
    slownik::Description d = slownik::currencies();
    d.source = nullptr;
    return d;
  }();
  const slownik::Description& d = state.range(0) == 0 ? plain : slownik::currencies();
  state.SetLabel(state.range(0) == 0 ? "without rates" : "with rates");
  std::size_t columns = 0;
  bool shown = false;
  const BenchHost::Steps steps = [&](dane::BrowseWindow& w) {
    state.PauseTiming();
    shown = true;
    columns = w.columns().size();
  };
  for (auto _ : state) {
    shown = false;
    run_browse(d, steps, &state);
    if (state.error_occurred()) break;
    if (!shown) {
      state.SkipWithError("the browse did not open");
      break;
    }
    state.ResumeTiming();
  }
  state.counters["columns"] = static_cast<double>(columns);
}

BENCHMARK(BM_CurrencyRates)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenBrowse)->DenseRange(0, kDictionaries - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstPageStatement)->DenseRange(0, kDictionaries - 1)->Unit(benchmark::kMicrosecond);

// ---- Header sorting of the banks on a column no index serves

// A plain click on the column's header in the open bank list, to the screen it shows (the current row
// kept in view); a Shift click, not measured, takes the list back to its own order each time.
void BM_HeaderClick(benchmark::State& state) {
  if (!usable(state)) return;
  const char* field = kClicked[state.range(0)];
  state.SetLabel(field);
  CountingClient& counting = *session().counting;
  std::size_t statements = 0;
  bool opened = false;
  const BenchHost::Steps steps = [&](dane::BrowseWindow& w) {
    opened = true;
    const auto column = w.column_index(field);
    if (!column) {
      state.SkipWithError("no such column");
      return;
    }
    for (auto _ : state) {
      const std::size_t at = counting.sent();
      const bool sorted = w.click_header(*column);
      state.PauseTiming();
      statements = counting.sent() - at;
      if (!sorted || !w.header_sorted() || w.rows().size() != kScreen) {
        state.SkipWithError("the click did not sort a full screen");
        break;
      }
      w.click_header(*column, dane::ClickModifier::Shift);
      state.ResumeTiming();
    }
  };
  run_browse(slownik::banks(), steps, &state);
  if (!opened) state.SkipWithError("the browse did not open");
  state.counters["statements"] = static_cast<double>(statements);
}

// A screen of the header order as the walk met it: the statement that reads it (the first screen's without
// a key, every other one's past the last row of the screen before), its first row and the first row of the
// screen before.
struct WalkedScreen {
  std::string statement;
  dane::Row top;
  dane::Row top_before;
};

// The screens the benchmarks start from: the first, the second and the 1,000th.
constexpr int kWalkedScreens[] = {1, 2, kScreens};

// The header order walked page by page from its first screen to its 1,000th, once per run.
struct HeaderWalk {
  WalkedScreen screens[std::size(kWalkedScreens)];
  std::size_t columns = 0;
  double first_ten_ms = 0;  // mean page down over the first ten and the last ten of the walk
  double last_ten_ms = 0;
  std::string error;

  const WalkedScreen& screen(int number) const {
    for (std::size_t i = 0; i < std::size(kWalkedScreens); ++i) {
      if (kWalkedScreens[i] == number) return screens[i];
    }
    return screens[0];
  }
};

HeaderWalk walk_result;
bool walk_done = false;

void walk_pages(dane::BrowseWindow& w) {
  HeaderWalk& walk = walk_result;
  const auto column = w.column_index(kClicked[0]);
  const auto id = w.column_index("ID_BANKU");
  dane::SqlRowSource* source = sql_source(w);
  if (!column || !id || !source || !w.click_header(*column)) {
    walk.error = "the list could not be sorted by its header";
    return;
  }
  w.reset();
  walk.columns = w.columns().size();
  // Every bank of the 1,000 screens once: paging by key must neither skip nor repeat a row.
  std::set<std::string> seen;
  std::vector<double> page_ms;
  dane::Row top_before;
  dane::PageQuery q;
  q.order = w.sort_order();
  for (int screen = 1;; ++screen) {
    if (w.rows().size() != kScreen) {
      walk.error = "screen " + std::to_string(screen) + " is not full";
      return;
    }
    for (const dane::Row& r : w.rows()) seen.insert(r[*id]);
    for (std::size_t i = 0; i < std::size(kWalkedScreens); ++i) {
      if (kWalkedScreens[i] == screen)
        walk.screens[i] = {source->statement(q, kScreen), w.rows().front(), top_before};
    }
    if (screen == kScreens) break;
    top_before = w.rows().front();
    q.after_key = w.rows().back();
    const auto t = std::chrono::steady_clock::now();
    w.page_down();
    page_ms.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count());
  }
  if (seen.size() != kScreen * kScreens) {
    walk.error = "the walk showed " + std::to_string(seen.size()) + " banks, not " +
                 std::to_string(kScreen * kScreens);
    return;
  }
  for (std::size_t i = 0; i < 10; ++i) {
    walk.first_ten_ms += page_ms[i] / 10;
    walk.last_ten_ms += page_ms[page_ms.size() - 1 - i] / 10;
  }
}

const HeaderWalk& header_walk() {
  if (walk_done || !session().error.empty()) return walk_result;
  walk_done = true;
  const auto started = std::chrono::steady_clock::now();
  run_browse(slownik::banks(), walk_pages);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  std::fprintf(stderr, "%d screens of the header order walked in %.1f s\n", kScreens, took.count());
  return walk_result;
}

bool walked(benchmark::State& state) {
  if (!usable(state)) return false;
  if (const HeaderWalk& walk = header_walk(); !walk.error.empty()) {
    state.SkipWithError(walk.error.c_str());
    return false;
  }
  return true;
}

// The open list sorted by the first clicked header; `measure` runs in the benchmark's loop until it fails.
void in_header_order(benchmark::State& state, const std::function<bool(dane::BrowseWindow&)>& measure) {
  bool opened = false;
  const BenchHost::Steps steps = [&](dane::BrowseWindow& w) {
    opened = true;
    const auto column = w.column_index(kClicked[0]);
    if (!column || !w.click_header(*column)) {
      state.SkipWithError("the list could not be sorted by its header");
      return;
    }
    for (auto _ : state) {
      if (!measure(w)) break;
    }
  };
  run_browse(slownik::banks(), steps, &state);
  if (!opened) state.SkipWithError("the browse did not open");
}

// The first screen of the header order, read again.
void BM_HeaderFirstScreen(benchmark::State& state) {
  if (!walked(state)) return;
  CountingClient& counting = *session().counting;
  std::size_t statements = 0;
  in_header_order(state, [&](dane::BrowseWindow& w) {
    const std::size_t at = counting.sent();
    w.reset();
    statements = counting.sent() - at;
    if (w.rows().size() == kScreen) return true;
    state.SkipWithError("the first screen is not full");
    return false;
  });
  state.counters["statements"] = static_cast<double>(statements);
}

// The page down to a screen from the one before it, where each round starts again (not measured).
void BM_HeaderPageDown(benchmark::State& state) {
  if (!walked(state)) return;
  const WalkedScreen& screen = header_walk().screen(static_cast<int>(state.range(0)));
  CountingClient& counting = *session().counting;
  std::size_t statements = 0;
  in_header_order(state, [&](dane::BrowseWindow& w) {
    state.PauseTiming();
    const bool placed = w.show_row(screen.top_before) && w.current_index() == 0;
    const std::size_t at = counting.sent();
    state.ResumeTiming();
    w.page_down();
    statements = counting.sent() - at;
    if (placed && w.rows().size() == kScreen && w.rows().front() == screen.top) return true;
    state.SkipWithError("the page down did not reach its screen");
    return false;
  });
  state.counters["statements"] = static_cast<double>(statements);
}

// A screen's statement alone through the client: what it costs without the browse.
void BM_HeaderStatement(benchmark::State& state) {
  if (!walked(state)) return;
  const HeaderWalk& walk = header_walk();
  const std::string& statement = walk.screen(static_cast<int>(state.range(0))).statement;
  db::Client& client = dane::database();
  client.open(kChannel);
  for (auto _ : state) {
    if (read_rows(client, statement, walk.columns) != kScreen) {
      state.SkipWithError(("the page is not full: " + client.last_error().text).c_str());
      break;
    }
  }
  client.close(kChannel);
}

// What OFFSET paging would cost for the same screens of the same order, straight on the database file
// (with the fallback collation, so only its own ratio of screens compares with keyset paging's).
void BM_OffsetStatement(benchmark::State& state) {
  if (!session().error.empty()) {
    state.SkipWithError(session().error.c_str());
    return;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(session().folder->file("large.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) !=
      SQLITE_OK) {
    state.SkipWithError("the database cannot be opened");
    sqlite3_close(db);
    return;
  }
  db::register_fallback_collation(db);
  const std::string sql =
      std::string("SELECT ID_BANKU, NAZWA, NUMER_BANKU, SWIFT, ULICA_LOKAL, KOD_POCZTOWY, ") +
      "MIEJSCOWOSC FROM BANKI ORDER BY " + kClicked[0] + ", ID_BANKU LIMIT " + std::to_string(kScreen) +
      " OFFSET " + std::to_string((state.range(0) - 1) * static_cast<std::int64_t>(kScreen));
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
  for (auto _ : state) {
    std::size_t rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) ++rows;
    sqlite3_reset(statement);
    if (rows != kScreen) {
      state.SkipWithError("the page is not full");
      break;
    }
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
}

BENCHMARK(BM_HeaderClick)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OffsetStatement)->Arg(1)->Arg(kScreens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeaderFirstScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeaderPageDown)->Arg(2)->Arg(kScreens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeaderStatement)->Arg(1)->Arg(2)->Arg(kScreens)->Unit(benchmark::kMillisecond);

void print_opening(const mirlet_bench::RatioReporter& reporter) {
  std::printf(
      "Ratio of CPU time, opening the browse to its first screen / its first page's statement alone "
      "(aim: at most 2):\n");
  for (int n = 0; n < kDictionaries; ++n) {
    const std::string arg = "/" + std::to_string(n);
    std::string what = "  " + dictionary(n).browse;
    if (first_page_probed[n]) {
      what += " (" + std::to_string(first_pages[n].sent_while_opening) + " statements, first page read " +
              std::to_string(first_pages[n].reads) + "x)";
    }
    reporter.print_ratio(what.c_str(), "BM_OpenBrowse" + arg, "BM_FirstPageStatement" + arg);
  }
}

void print_paging(const mirlet_bench::RatioReporter& reporter) {
  std::printf("Ratio of CPU time, the 1,000th screen of the banks by %s (aim: at most 1.5):\n", kClicked[0]);
  const std::string last = "/" + std::to_string(kScreens);
  reporter.print_ratio("  page down to it / the first screen read again", "BM_HeaderPageDown" + last,
                       "BM_HeaderFirstScreen");
  reporter.print_ratio("  page down to it / page down to the 2nd", "BM_HeaderPageDown" + last,
                       "BM_HeaderPageDown/2");
  reporter.print_ratio("  its statement alone / the first screen's alone", "BM_HeaderStatement" + last,
                       "BM_HeaderStatement/1");
  reporter.print_ratio("  its statement alone / the 2nd screen's alone", "BM_HeaderStatement" + last,
                       "BM_HeaderStatement/2");
  reporter.print_ratio("  with OFFSET instead: the 1,000th screen / the first", "BM_OffsetStatement" + last,
                       "BM_OffsetStatement/1");
  if (walk_done && walk_result.error.empty() && walk_result.first_ten_ms > 0) {
    std::printf("  the walk's page downs: the first ten %.1f ms each, the last ten %.1f ms each\n",
                walk_result.first_ten_ms, walk_result.last_ten_ms);
  }
}

void print_rates(const mirlet_bench::RatioReporter& reporter) {
  std::printf(
      "Ratio of CPU time, the currency list's first screen with its rate columns (aim: at most 3):\n");
  reporter.print_ratio("  with the rates of the day / without them", "BM_CurrencyRates/1",
                       "BM_CurrencyRates/0");
}

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  const bool ran = mirlet_bench::run_benchmarks(argc, argv, reporter);
  if (ran && session().error.empty()) {
    print_opening(reporter);
    print_paging(reporter);
    print_rates(reporter);
  }
  end_session();
  return ran ? 0 : 1;
}

// A browse over the database on a thousand and on a million rows: the first screen, paging and the locator
// must not grow with the table, and the ratio of the first-screen times is printed.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dane/browse.h"
#include "dane/sql_row_source.h"
#include "db/sqlite_engine.h"
#include "mirlet_testing/temp_folder.h"
#include "server/functions.h"
#include "server/server.h"

namespace {

constexpr std::size_t kScreen = 25;
constexpr const char* kSmall = "KARTOTEKA_TYSIAC";
constexpr const char* kLarge = "KARTOTEKA_MILION";

const char* const kWords[] = {"Apteka", "Bar",   "Ćma",  "Dom",       "Hurtownia", "Łąka",
                              "Ogród",  "Sklep", "Świt", "Pracownia", "Zakład",    "Żuraw"};

bool exec(sqlite3* db, const char* sql) {
  char* message = nullptr;
  const bool ok = sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK;
  if (!ok) std::fprintf(stderr, "%s: %s\n", sql, message ? message : "?");
  sqlite3_free(message);
  return ok;
}

// Rows with scattered names (a word and a number), indexed by the browse's key (NAZWA, ID).
bool fill(sqlite3* db, const std::string& table, std::int64_t rows) {
  const std::string create = "CREATE TABLE " + table +
                             " (ID integer PRIMARY KEY, NAZWA varchar(50) COLLATE PLCI NOT NULL, "
                             "MIEJSCOWOSC varchar(50) COLLATE PLCI, LIMIT_KUPIECKI decimal(15,2))";
  if (!exec(db, create.c_str()) || !exec(db, "BEGIN")) return false;
  sqlite3_stmt* insert = nullptr;
  const std::string sql = "INSERT INTO " + table + " VALUES (?, ?, ?, ?)";
  sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr);
  std::uint64_t seed = 12345;
  for (std::int64_t id = 1; id <= rows; ++id) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    const std::string name =
        std::string(kWords[(seed >> 33) % 12]) + " " + std::to_string((seed >> 20) % 9000000);
    sqlite3_bind_int64(insert, 1, id);
    sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 3, kWords[(seed >> 13) % 12], -1, SQLITE_STATIC);
    sqlite3_bind_int64(insert, 4, static_cast<std::int64_t>(seed % 100000));
    if (sqlite3_step(insert) != SQLITE_DONE) return false;
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  const std::string index = "CREATE INDEX " + table + "_NAZWA ON " + table + " (NAZWA, ID)";
  return exec(db, index.c_str()) && exec(db, "COMMIT");
}

// The two tables in a temporary database, made once per run and removed at its end.
class BenchDatabase {
 public:
  BenchDatabase() {
    const std::string path = folder_.file("browse.db");
    db::SqliteOptions o;
    o.path = path;
    o.create = true;
    o.on_connect.push_back(server::register_functions);
    sqlite3* db = nullptr;
    const auto started = std::chrono::steady_clock::now();
    ready_ = db::open_sqlite(o, db).ok() && fill(db, kSmall, 1000) && fill(db, kLarge, 1000000);
    sqlite3_close(db);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::fprintf(stderr, "tables of 1,000 and 1,000,000 rows made in %.1f s\n", took.count());
    ready_ = ready_ && server::connect("sqlite:" + path, client_).ok();
  }
  ~BenchDatabase() { client_.reset(); }
  bool ready() const { return ready_; }
  db::Client& client() { return *client_; }

 private:
  mirlet_testing::TempFolder folder_{"browsebench"};
  std::unique_ptr<db::Client> client_;
  bool ready_ = false;
};

BenchDatabase& database() {
  static BenchDatabase instance;
  return instance;
}

std::vector<dane::Column> columns() {
  return {{"ID", "Id", "@n9", true},
          {"NAZWA", "Nazwa", "@s50", false},
          {"MIEJSCOWOSC", "Miejscowość", "@s30", false},
          {"LIMIT_KUPIECKI", "Limit", "@n15.2", true}};
}

// A browse as a dictionary window opens it: the source, the order by name, the first screen.
struct OpenBrowse {
  explicit OpenBrowse(const char* table)
      : source(database().client(), db::Channel::VAX1, table, columns()), window("Kartoteka_Brw", source) {
    window.add_sort_order(dane::SortOrder{"nazwa", {1, 0}, false});
    window.set_page_size(kScreen);
    window.reset();
  }
  dane::SqlRowSource source;
  dane::BrowseWindow window;
};

const char* table_of(const benchmark::State& state) {
  return state.range(0) == 1000 ? kSmall : kLarge;
}

bool usable(benchmark::State& state, const OpenBrowse& b) {
  if (database().ready() && b.source.last_status().ok() && b.window.rows().size() == kScreen) return true;
  state.SkipWithError(("browse failed: " + b.source.last_status().text).c_str());
  return false;
}

void BM_FirstScreen(benchmark::State& state) {
  if (!database().ready()) {
    state.SkipWithError("no database");
    return;
  }
  for (auto _ : state) {
    OpenBrowse b(table_of(state));
    if (!usable(state, b)) break;
    benchmark::DoNotOptimize(b.window.rows().data());
  }
}

void BM_PageDown(benchmark::State& state) {
  if (!database().ready()) {
    state.SkipWithError("no database");
    return;
  }
  OpenBrowse b(table_of(state));
  if (!usable(state, b)) return;
  for (auto _ : state) {
    const dane::Row last = b.window.rows().back();
    b.window.page_down();
    if (b.window.rows().back() == last) b.window.reset();  // at the end: start over
  }
}

void BM_Locate(benchmark::State& state) {
  if (!database().ready()) {
    state.SkipWithError("no database");
    return;
  }
  OpenBrowse b(table_of(state));
  if (!usable(state, b)) return;
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string text = std::string(kWords[i % 12]) + " " + std::to_string((i * 7919) % 9000);
    benchmark::DoNotOptimize(b.window.locate(text));
    ++i;
  }
}

BENCHMARK(BM_FirstScreen)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageDown)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Locate)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// Median time to the first screen, measured the same way on both tables.
double first_screen_micros(const char* table) {
  std::vector<double> times;
  for (int i = 0; i < 201; ++i) {
    const auto started = std::chrono::steady_clock::now();
    OpenBrowse b(table);
    benchmark::DoNotOptimize(b.window.rows().data());
    times.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count());
  }
  std::nth_element(times.begin(), times.begin() + 100, times.end());
  return times[100];
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!database().ready()) {
    std::fprintf(stderr, "the benchmark database could not be made\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const double small = first_screen_micros(kSmall);
  const double large = first_screen_micros(kLarge);
  std::printf(
      "first screen (median of 201): 1,000 rows %.1f us, 1,000,000 rows %.1f us, ratio %.2f (aim: at most "
      "2)\n",
      small, large, large / small);
  return 0;
}

// FUNCSQL of a one-row query against a prepared SQLite statement reading the same value; ratio printed.
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <string>

#include "dane/database.h"
#include "db/sqlite_engine.h"
#include "demo_database.h"
#include "keldox/sql.h"
#include "mirlet_testing/temp_folder.h"
#include "ratio_reporter.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

constexpr const char* kSelect = "select nazwa_waluty from waluty where sym_waluty='EUR'";

const std::string& database() {
  return mirlet_bench::demo_database(server::DemoSize::Demo);
}

void BM_SelectPrepared(benchmark::State& state) {
  db::SqliteOptions options;
  options.path = database();
  sqlite3* db = nullptr;
  db::open_sqlite(options, db);
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
  for (auto _ : state) {
    sqlite3_reset(stmt);
    if (sqlite3_step(stmt) != SQLITE_ROW) state.SkipWithError("no row");
    std::string value(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    benchmark::DoNotOptimize(value);
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
}

void BM_FUNCSQL(benchmark::State& state) {
  std::unique_ptr<db::Client> client;
  server::connect("sqlite:" + database(), client);
  dane::install_database(client.get());
  for (auto _ : state) {
    std::string value = keldox::FUNCSQL(kSelect);
    if (value.empty()) state.SkipWithError("no value");
    benchmark::DoNotOptimize(value);
  }
  dane::install_database(nullptr);
}

BENCHMARK(BM_SelectPrepared);
BENCHMARK(BM_FUNCSQL);

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  if (!mirlet_bench::run_benchmarks(argc, argv, reporter)) return 1;
  const double ratio = reporter.ratio("BM_FUNCSQL", "BM_SelectPrepared");
  if (ratio > 0) std::printf("FUNCSQL / prepared statement CPU time ratio: %.2f (aim: at most 2)\n", ratio);
  return 0;
}

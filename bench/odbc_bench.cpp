// The server engine against the embedded one on the same demo data: a one-row select and 10,000 inserts
// in one transaction, through the channels, the ODBC engine on the SQLite ODBC driver with the stand-in's
// extension (statements translated, as the embedded engine translates them).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "db/channel_client.h"
#include "db/sqlite_engine.h"
#include "demo_database.h"
#include "mirlet_testing/temp_folder.h"
#include "ratio_reporter.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

constexpr int kInsertRows = 10000;
constexpr const char* kSelect = "select nazwa_waluty from waluty where sym_waluty='EUR'";
constexpr const char* kDriver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

const std::string& database() {
  return mirlet_bench::demo_database(server::DemoSize::Demo);
}

std::unique_ptr<db::Client> client(benchmark::State& state, bool odbc) {
  const std::string text = odbc ? std::string("odbc:DRIVER=") + kDriver + ";Database=" + database() +
                                      ";LoadExt=" + MIRLET_SQLITE_EXTENSION + ";dialect=sqlite"
                                : "sqlite:" + database();
  std::unique_ptr<db::Client> c;
  if (odbc && !std::filesystem::exists(kDriver)) {
    state.SkipWithError("the SQLite ODBC driver is not installed");
  } else if (!server::connect(text, c).ok() || !c->open(db::Channel::VAX).ok()) {
    state.SkipWithError("no connection");
    c.reset();
  }
  return c;
}

void select_one(benchmark::State& state, bool odbc) {
  auto c = client(state, odbc);
  if (!c) return;
  for (auto _ : state) {
    const db::Status s = c->send(db::Channel::VAX, kSelect);
    if (!s.ok() || !c->next(db::Channel::VAX).ok()) {
      state.SkipWithError(s.text.c_str());
      break;
    }
    std::string value(c->field(db::Channel::VAX, 1));
    benchmark::DoNotOptimize(value);
  }
}

void insert_rows(benchmark::State& state, bool odbc) {
  auto c = client(state, odbc);
  if (!c) return;
  {  // the application's dialect has no CREATE TABLE: the table is made on the file itself
    db::SqliteOptions o;
    o.path = database();
    sqlite3* raw = nullptr;
    if (db::open_sqlite(o, raw).ok()) {
      sqlite3_exec(raw,
                   "create table if not exists bench_rows (id int, name varchar(50), amount decimal(15,2))",
                   nullptr, nullptr, nullptr);
      sqlite3_close(raw);
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    c->send(db::Channel::VAX, "delete from bench_rows");
    state.ResumeTiming();
    bool ok = c->send(db::Channel::VAX, "begin transaction").ok();
    for (int i = 0; ok && i < kInsertRows; ++i) {
      ok = c->send(db::Channel::VAX, "insert into bench_rows values (" + std::to_string(i) + ", 'wiersz " +
                                         std::to_string(i) + "', 12.5)")
               .ok();
    }
    const db::Status committed = c->send(db::Channel::VAX, "commit transaction");
    if (!ok || !committed.ok()) {
      state.SkipWithError(("the inserts failed: " + committed.text).c_str());
      break;
    }
  }
}

void BM_SelectEmbedded(benchmark::State& state) {
  select_one(state, false);
}
void BM_SelectOdbc(benchmark::State& state) {
  select_one(state, true);
}
void BM_InsertEmbedded(benchmark::State& state) {
  insert_rows(state, false);
}
void BM_InsertOdbc(benchmark::State& state) {
  insert_rows(state, true);
}

BENCHMARK(BM_SelectEmbedded);
BENCHMARK(BM_SelectOdbc);
BENCHMARK(BM_InsertEmbedded)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_InsertOdbc)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  const bool ran = mirlet_bench::run_benchmarks(argc, argv, reporter);
  if (ran) {
    std::printf("Ratios of CPU time (ODBC engine / embedded engine):\n");
    reporter.print_ratio("one-row select (aim: at most 2)", "BM_SelectOdbc", "BM_SelectEmbedded");
    reporter.print_ratio("10,000 inserts in one transaction", "BM_InsertOdbc/iterations:3",
                         "BM_InsertEmbedded/iterations:3");
  }
  return ran ? 0 : 1;
}

// Client overhead against raw SQLite: a one-row select through a channel, 100,000 inserts in one transaction.
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <string>

#include "db/channel_client.h"
#include "db/program.h"
#include "demo_database.h"
#include "mirlet_testing/temp_folder.h"
#include "ratio_reporter.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

constexpr int kInsertRows = 100000;
constexpr const char* kSelect = "select nazwa_waluty from waluty where sym_waluty='EUR'";

const std::string& database() {
  return mirlet_bench::demo_database(server::DemoSize::Demo);
}

sqlite3* raw_connection() {
  db::SqliteOptions o;
  o.path = database();
  sqlite3* db = nullptr;
  db::open_sqlite(o, db);
  return db;
}

std::unique_ptr<db::Client> client(bool translate) {
  db::EngineExtensions ext = server::extensions();
  if (!translate) ext.translator = db::pass_through;
  std::unique_ptr<db::Client> c;
  db::open_client("sqlite:" + database(), ext, c);
  return c;
}

void BM_SelectPrepared(benchmark::State& state) {
  sqlite3* db = raw_connection();
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

void select_through_channel(benchmark::State& state, bool translate) {
  auto c = client(translate);
  c->open(db::Channel::VAXFSQL);
  for (auto _ : state) {
    const db::Status s = c->send(db::Channel::VAXFSQL, kSelect);
    if (!s.ok() || !c->next(db::Channel::VAXFSQL).ok()) {
      state.SkipWithError(s.text.c_str());
      break;
    }
    std::string value(c->field(db::Channel::VAXFSQL, 1));
    benchmark::DoNotOptimize(value);
  }
}

void BM_SelectChannel(benchmark::State& state) {
  select_through_channel(state, false);
}
void BM_SelectChannelTranslated(benchmark::State& state) {
  select_through_channel(state, true);
}

std::string insert_text(int i) {
  return "insert into bench_rows values (" + std::to_string(i) + ", 'wiersz " + std::to_string(i) +
         "', 12.5)";
}

void reset_table(sqlite3* db) {
  sqlite3_exec(db,
               "drop table if exists bench_rows; create table bench_rows (id int, name varchar(50), amount "
               "decimal(15,2))",
               nullptr, nullptr, nullptr);
}

void BM_InsertRaw(benchmark::State& state) {
  sqlite3* db = raw_connection();
  for (auto _ : state) {
    state.PauseTiming();
    reset_table(db);
    state.ResumeTiming();
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    for (int i = 0; i < kInsertRows; ++i) sqlite3_exec(db, insert_text(i).c_str(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
}

void BM_InsertRawBound(benchmark::State& state) {
  sqlite3* db = raw_connection();
  for (auto _ : state) {
    state.PauseTiming();
    reset_table(db);
    state.ResumeTiming();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(db, "insert into bench_rows values (?, ?, 12.5)", -1, &stmt, nullptr);
    for (int i = 0; i < kInsertRows; ++i) {
      const std::string name = "wiersz " + std::to_string(i);
      sqlite3_reset(stmt);
      sqlite3_bind_int(stmt, 1, i);
      sqlite3_bind_text(stmt, 2, name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_step(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
}

void insert_through_client(benchmark::State& state, bool translate) {
  auto c = client(translate);
  c->open(db::Channel::VAX);
  sqlite3* db = raw_connection();
  for (auto _ : state) {
    state.PauseTiming();
    reset_table(db);
    state.ResumeTiming();
    if (!c->send(db::Channel::VAX, "begin transaction").ok()) state.SkipWithError("begin failed");
    for (int i = 0; i < kInsertRows; ++i) {
      if (!c->send(db::Channel::VAX, insert_text(i)).ok()) state.SkipWithError("insert failed");
    }
    if (!c->send(db::Channel::VAX, "commit transaction").ok()) state.SkipWithError("commit failed");
  }
  sqlite3_close(db);
}

void BM_InsertClient(benchmark::State& state) {
  insert_through_client(state, false);
}
void BM_InsertClientTranslated(benchmark::State& state) {
  insert_through_client(state, true);
}

BENCHMARK(BM_SelectPrepared);
BENCHMARK(BM_SelectChannel);
BENCHMARK(BM_SelectChannelTranslated);
BENCHMARK(BM_InsertRaw)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_InsertRawBound)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_InsertClient)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_InsertClientTranslated)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  const bool ran = mirlet_bench::run_benchmarks(argc, argv, reporter);
  if (ran) {
    std::printf("Ratios of CPU time:\n");
    reporter.print_ratio("one-row select, channel / prepared statement (aim < 2)", "BM_SelectChannel",
                         "BM_SelectPrepared");
    reporter.print_ratio("one-row select, translated channel / prepared statement",
                         "BM_SelectChannelTranslated", "BM_SelectPrepared");
    reporter.print_ratio("100,000 inserts, client / raw SQLite texts (aim < 1.5)",
                         "BM_InsertClient/iterations:3", "BM_InsertRaw/iterations:3");
    reporter.print_ratio("100,000 inserts, translated client / raw SQLite texts",
                         "BM_InsertClientTranslated/iterations:3", "BM_InsertRaw/iterations:3");
    reporter.print_ratio("100,000 inserts, client / raw SQLite bound statement",
                         "BM_InsertClient/iterations:3", "BM_InsertRawBound/iterations:3");
  }
  return ran ? 0 : 1;
}

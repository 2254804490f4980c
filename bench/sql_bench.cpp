// FUNCSQL of a one-row query against a prepared SQLite statement reading the same value; ratio printed.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "dane/database.h"
#include "db/sqlite_engine.h"
#include "keldox/sql.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

constexpr const char* kSelect = "select nazwa_waluty from waluty where sym_waluty='EUR'";

const std::string& database() {
  static const std::string path = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "sqlbench-XXXXXX").string();
    const std::string file = std::string(mkdtemp(pattern.data())) + "/bench.db";
    if (const db::Status s = server::make_demo_database(file, server::DemoSize::Demo); !s.ok()) {
      std::fprintf(stderr, "%s\n", s.text.c_str());
    }
    return file;
  }();
  return path;
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

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations > 0) cpu[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> cpu;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const double base = reporter.cpu["BM_SelectPrepared"];
  const double funcsql = reporter.cpu["BM_FUNCSQL"];
  if (base > 0 && funcsql > 0) {
    std::printf("FUNCSQL / prepared statement CPU time ratio: %.2f (aim: at most 2)\n", funcsql / base);
  }
  return 0;
}

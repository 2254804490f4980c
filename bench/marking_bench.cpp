// Marking all and inversion over a list of 1,000,000 rows against the raw INSERT ... SELECT of the same
// rows on the same engine, and the count of 1,000,000 marks; ratios printed. Wall-clock time: the
// insert runs on the statement window's worker thread.
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "dane/database.h"
#include "dane/globals.h"
#include "db/sqlite_engine.h"
#include "keldox/marking.h"
#include "keldox/sql.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr int kUse = 500;
constexpr const char* kBrowse = "select A.ID_WIERSZA, A.GRUPA from DUZA A order by A.ID_WIERSZA";

const std::string& database() {
  static const mirlet_testing::TempFolder folder("markingbench");
  static const std::string path = [] {
    const std::string file = folder.file("bench.db");
    if (const db::Status s = server::make_demo_database(file, server::DemoSize::Demo); !s.ok()) {
      std::fprintf(stderr, "%s\n", s.text.c_str());
    }
    db::SqliteOptions options;
    options.path = file;
    sqlite3* db = nullptr;
    db::open_sqlite(options, db);
    const std::string fill =
        "CREATE TABLE DUZA (ID_WIERSZA integer PRIMARY KEY, GRUPA int);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(kRows) + ") INSERT INTO DUZA SELECT i, i % 7 FROM n;";
    if (sqlite3_exec(db, fill.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
    }
    sqlite3_close(db);
    return file;
  }();
  return path;
}

struct Session {
  Session() {
    server::connect("sqlite:" + database(), client);
    dane::install_database(client.get());
    dane::GLO.ID_FIRMY = 1;
    dane::GLO.ID_UZYTKOWNIKA = 3000002;
  }
  ~Session() { dane::install_database(nullptr); }
  std::unique_ptr<db::Client> client;
};

void clear_marks() {
  keldox::ODZNACZALLSQL(kUse);
}

void BM_RawInsertSelect(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    state.PauseTiming();
    clear_marks();
    state.ResumeTiming();
    if (keldox::ESQL(
            "insert into zaznaczone (id,uzycie,id_sesji) select distinct A.ID_WIERSZA,500,3000002  FROM "
            "DUZA A",
            1) != 0) {
      state.SkipWithError("insert failed");
    }
  }
  keldox::CLOSESQL();
}

void BM_ZAZNACZALLSQL(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    state.PauseTiming();
    clear_marks();
    state.ResumeTiming();
    if (keldox::ZAZNACZALLSQL(kUse, "A.ID_WIERSZA", kBrowse) != kRows) state.SkipWithError("wrong count");
  }
}

void BM_INWERSJASQL(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    state.PauseTiming();
    clear_marks();
    state.ResumeTiming();
    // Nothing marked: every row gets its mark, the full work of an inversion's insert.
    if (keldox::INWERSJASQL(kUse, "A.ID_WIERSZA", kBrowse) != kRows) state.SkipWithError("wrong count");
  }
}

void BM_ILEZAZNACZONYCH(benchmark::State& state) {
  Session session;
  clear_marks();
  keldox::ZAZNACZALLSQL(kUse, "A.ID_WIERSZA", kBrowse);
  for (auto _ : state) {
    if (keldox::ILEZAZNACZONYCH(kUse) != kRows) state.SkipWithError("wrong count");
  }
}

BENCHMARK(BM_RawInsertSelect)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ZAZNACZALLSQL)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_INWERSJASQL)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ILEZAZNACZONYCH)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

class RealTimeReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (!run.error_occurred && run.iterations > 0) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double ratio(const std::string& a, const std::string& b) const {
    const auto x = times_.find(a);
    const auto y = times_.find(b);
    return x == times_.end() || y == times_.end() || y->second <= 0 ? 0 : x->second / y->second;
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  database();
  RealTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto name = [](const char* n) { return std::string(n) + "/iterations:3/real_time"; };
  std::printf("ZAZNACZALLSQL / raw insert-select: %.2f (aim: at most 1.3)\n",
              reporter.ratio(name("BM_ZAZNACZALLSQL"), name("BM_RawInsertSelect")));
  std::printf("INWERSJASQL / raw insert-select: %.2f (aim: at most 3)\n",
              reporter.ratio(name("BM_INWERSJASQL"), name("BM_RawInsertSelect")));
  benchmark::Shutdown();
  return 0;
}

// 10,000 rows through the utility module's delimited text against the same rows read row by row.
#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "dane/record_fields.h"
#include "db/channel_client.h"
#include "db/sqlite_engine.h"
#include "keldox/query_bridge.h"
#include "mirlet_testing/temp_folder.h"
#include "ratio_reporter.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

constexpr int kRows = 10000;
constexpr const char* kStatement =
    "select ID_POZYCJI, KOD, MASKA, WARTOSC from PARAMETRY_BENCH order by ID_POZYCJI";

// One demo database with a 10,000-row parameter table for the whole run.
const std::string& database() {
  static const mirlet_testing::TempFolder folder("bridgebench");  // removed when the run ends
  static const std::string path = [] {
    const std::string file = folder.file("bench.db");
    if (const db::Status s = server::make_demo_database(file, server::DemoSize::Demo); !s.ok()) {
      std::fprintf(stderr, "%s\n", s.text.c_str());
    }
    db::SqliteOptions options;
    options.path = file;
    sqlite3* db = nullptr;
    db::open_sqlite(options, db);
    std::string script =
        "begin; create table PARAMETRY_BENCH (ID_POZYCJI integer, KOD varchar(20), MASKA varchar(20), "
        "WARTOSC varchar(249));";
    for (int i = 1; i <= kRows; ++i) {
      script += "insert into PARAMETRY_BENCH values (" + std::to_string(i) + ", 'PARAMETR_" +
                std::to_string(i) + "', 'N', 'Wartość parametru numer " + std::to_string(i) +
                " – zażółć gęślą jaźń');";
    }
    script += "commit;";
    sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return file;
  }();
  return path;
}

const std::string& connection_text() {
  static const std::string text = "sqlite:" + database();
  return text;
}

using Fetch = const char* (*)(const char*, const char*, const char*);
using Connect = const char* (*)(const char*);

// The module's text of all rows, loaded and unloaded around the call as the program does.
void BM_BridgeText(benchmark::State& state) {
  {
    void* module = dlopen(MIRLET_UTIL_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      state.SkipWithError("module not loaded");
      return;
    }
    const std::string status =
        reinterpret_cast<Connect>(dlsym(module, "UtworzPolaczenieSQL"))(connection_text().c_str());
    dlclose(module);
    if (status != "1") {
      state.SkipWithError(status.c_str());
      return;
    }
  }
  for (auto _ : state) {
    void* module = dlopen(MIRLET_UTIL_MODULE, RTLD_NOW | RTLD_LOCAL);
    std::string answer(reinterpret_cast<Fetch>(dlsym(module, "PobierzKolejkeSQL"))(kStatement, "^", ";"));
    dlclose(module);
    if (answer.empty()) state.SkipWithError("empty answer");
    benchmark::DoNotOptimize(answer);
  }
}

std::unique_ptr<db::Client> channel_client() {
  std::unique_ptr<db::Client> client;
  server::connect(connection_text(), client);
  client->open(db::Channel::VAX);
  return client;
}

// The same rows through a pass-through channel, every value copied out.
void BM_ChannelRows(benchmark::State& state) {
  auto client = channel_client();
  for (auto _ : state) {
    std::vector<std::string> values;
    values.reserve(kRows * 4);
    if (!client->send(db::Channel::VAX, kStatement).ok()) state.SkipWithError("statement failed");
    while (client->next(db::Channel::VAX).ok()) {
      for (std::size_t n = 1; n <= 4; ++n) values.emplace_back(client->field(db::Channel::VAX, n));
    }
    if (values.size() != kRows * 4) state.SkipWithError("rows missing");
    benchmark::DoNotOptimize(values);
  }
}

// A whole list load through the bridge: the module's text split into a session list.
void BM_BridgeIntoList(benchmark::State& state) {
  dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
  dane::GLO.OWNERNAME = connection_text();
  if (keldox::DOTNETUTWORZPOLACZENIESQL() != "1") {
    state.SkipWithError("no bridge connection");
    return;
  }
  for (auto _ : state) {
    dane::SessionList<dane::ParamKonfEntry> list;
    keldox::DOTNETZALADUJKOLEJKE(list, keldox::DOTNETPODAJKOLEJKESQL(kStatement));
    if (list.count() != kRows) state.SkipWithError("rows missing");
    benchmark::DoNotOptimize(list);
  }
}

// The same list loaded by the row-by-row fallback.
void BM_ChannelIntoList(benchmark::State& state) {
  auto client = channel_client();
  for (auto _ : state) {
    dane::SessionList<dane::ParamKonfEntry> list;
    if (!client->send(db::Channel::VAX, kStatement).ok()) state.SkipWithError("statement failed");
    while (client->next(db::Channel::VAX).ok()) {
      list.clear_buffer();
      for (std::size_t n = 1; n <= 4; ++n)
        dane::assign_field(list.buffer, n, client->field(db::Channel::VAX, n));
      list.add();
    }
    if (list.count() != kRows) state.SkipWithError("rows missing");
    benchmark::DoNotOptimize(list);
  }
}

BENCHMARK(BM_BridgeText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChannelRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BridgeIntoList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChannelIntoList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  const bool ran = mirlet_bench::run_benchmarks(argc, argv, reporter);
  if (ran) {
    std::printf("Ratios of CPU time (row by row / bridge; above 1 the bridge is faster):\n");
    reporter.print_ratio("10,000 rows as text", "BM_ChannelRows", "BM_BridgeText");
    reporter.print_ratio("10,000 rows into a session list", "BM_ChannelIntoList", "BM_BridgeIntoList");
  }
  return ran ? 0 : 1;
}

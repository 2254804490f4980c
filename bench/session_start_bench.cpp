// The session start's loaders and access conditions on the large demo database for the user with limited
// grants over 50 warehouses and 30 document types: each step, the whole start, and each list read
// through the utility module's bridge against the same list read row by row.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_access.h"
#include "dane/lists_settings.h"
#include "dane/lists_startup.h"
#include "demo_database.h"
#include "keldox/permissions.h"
#include "keldox/query_bridge.h"
#include "mirlet_testing/temp_folder.h"
#include "ratio_reporter.h"
#include "server/demo.h"
#include "server/server.h"
#include "start/access_filters.h"
#include "start/loaders.h"
#include "start/session_lists.h"

namespace {

constexpr double kLimitedUser = 3000004;

const std::string& database() {
  return mirlet_bench::demo_database(server::DemoSize::Large);
}

// The limited user's session on the large database, the bridge module beside it; nullptr when either
// cannot be had.
std::unique_ptr<db::Client> open_session(benchmark::State& state) {
  std::unique_ptr<db::Client> client;
  if (!server::connect("sqlite:" + database(), client).ok()) {
    state.SkipWithError("no database");
    return nullptr;
  }
  dane::reset_session();
  dane::install_database(client.get());
  dane::GLO.ID_UZYTKOWNIKA = kLimitedUser;
  dane::GLO.ID_FIRMY = 1;
  dane::GLO.ID_MAGAZYNU = 1;
  dane::GLO.WARIANTDEDYKOWANY = 7;
  dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
  dane::GLO.OWNERNAME = "sqlite:" + database();
  if (keldox::DOTNETUTWORZPOLACZENIESQL() != "1") {
    state.SkipWithError("no bridge connection");
    return nullptr;
  }
  return client;
}

void close_session() {
  dane::install_database(nullptr);
  dane::reset_session();
}

template <class Load, class Check>
void run(benchmark::State& state, Load load, Check loaded) {
  auto client = open_session(state);
  if (!client) return;
  for (auto _ : state) {
    load();
    dane::GLO.ID_FIRMY = 1;  // the loaders may give the company up; every run starts alike
    if (!loaded()) {
      state.SkipWithError("nothing loaded");
      break;
    }
  }
  close_session();
}

void BM_Parameters(benchmark::State& state) {
  run(
      state, [] { start::LADUJPARAMETRYKONF(); }, [] { return !dane::U_PARAMKONFQ.empty(); });
}
void BM_ParameterLists(benchmark::State& state) {
  run(
      state, [] { start::load_parameter_lists(start::Route::bridge_first); },
      [] { return !dane::S_PARAMKONFQ.empty(); });
}
void BM_ParameterLists_RowByRow(benchmark::State& state) {
  run(
      state, [] { start::load_parameter_lists(start::Route::row_by_row); },
      [] { return !dane::S_PARAMKONFQ.empty(); });
}
void BM_Operations(benchmark::State& state) {
  run(
      state, [] { start::LADUJOPERACJE_DODATKOWE(); }, [] { return !dane::OPERACJE_DODATKOWE.empty(); });
}
void BM_Operations_RowByRow(benchmark::State& state) {
  run(
      state, [] { start::LADUJOPERACJE_DODATKOWE(start::Route::row_by_row); },
      [] { return !dane::OPERACJE_DODATKOWE.empty(); });
}
void BM_Classifiers(benchmark::State& state) {
  run(
      state, [] { start::LADUJKLASYFIKATORY(); }, [] { return !dane::GLO.KOL_KLASYFIKATOROW.empty(); });
}
void BM_Classifiers_RowByRow(benchmark::State& state) {
  run(
      state, [] { start::LADUJKLASYFIKATORY(start::Route::row_by_row); },
      [] { return !dane::GLO.KOL_KLASYFIKATOROW.empty(); });
}
void BM_Warehouses(benchmark::State& state) {
  run(
      state, [] { start::LADUJMAGAZYNY(); }, [] { return dane::KOL_MAGAZYNOW.count() > 50; });
}
void BM_CompanyGlobals(benchmark::State& state) {
  run(
      state, [] { start::LADUJZMIENNEGLOBALNE(); },
      [] { return !dane::GLO.TABLICAMIESIECY[0].str().empty(); });
}
void BM_AccessFilters(benchmark::State& state) {
  auto client = open_session(state);
  if (!client) return;
  keldox::LADUJUPRAWNIENIA();
  state.counters["grants"] = static_cast<double>(dane::ACCESSQ.count());
  for (auto _ : state) {
    start::USTAWFILTRYDOSTEPU();
    if (dane::GLO.WYJDZ_Z_HALTEM != 0) {
      state.SkipWithError("the conditions were refused");
      break;
    }
  }
  state.counters["trade_chars"] = static_cast<double>(dane::FILTRYDOSTEPU.DOKUMENTY_HANDLOWE.str().size());
  close_session();
}
// The five loaders and the access conditions, as the session start runs them.
void BM_LoadersAndFilters(benchmark::State& state) {
  auto client = open_session(state);
  if (!client) return;
  keldox::LADUJUPRAWNIENIA();
  for (auto _ : state) {
    start::LADUJPARAMETRYKONF();
    dane::GLO.ID_FIRMY = 1;
    start::LADUJOPERACJE_DODATKOWE();
    start::LADUJKLASYFIKATORY();
    start::LADUJMAGAZYNY();
    start::USTAWFILTRYDOSTEPU();
    start::LADUJZMIENNEGLOBALNE();
  }
  close_session();
}
// The same without the browse column settings that LADUJPARAMETRYKONF reloads (20,000 columns here).
void BM_LoadersAndFiltersWithoutColumns(benchmark::State& state) {
  auto client = open_session(state);
  if (!client) return;
  keldox::LADUJUPRAWNIENIA();
  for (auto _ : state) {
    start::load_parameter_lists(start::Route::bridge_first);
    start::LADUJOPERACJE_DODATKOWE();
    start::LADUJKLASYFIKATORY();
    start::LADUJMAGAZYNY();
    start::USTAWFILTRYDOSTEPU();
    start::LADUJZMIENNEGLOBALNE();
  }
  close_session();
}
// Everything the session start loads today, permissions, numbering formats and VAT rates included.
void BM_SessionStart(benchmark::State& state) {
  auto client = open_session(state);
  if (!client) return;
  for (auto _ : state) {
    if (!start::load_session_lists()) {
      state.SkipWithError("the session was stopped");
      break;
    }
  }
  close_session();
}

BENCHMARK(BM_Parameters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParameterLists)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParameterLists_RowByRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Operations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Operations_RowByRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Classifiers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Classifiers_RowByRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Warehouses)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompanyGlobals)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AccessFilters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadersAndFilters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadersAndFiltersWithoutColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SessionStart)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  const bool ran = mirlet_bench::run_benchmarks(argc, argv, reporter);
  if (ran) {
    std::printf("Ratio of CPU time (through the bridge / row by row, same rows):\n");
    reporter.print_ratio("parameter lists", "BM_ParameterLists", "BM_ParameterLists_RowByRow");
    reporter.print_ratio("additional operations", "BM_Operations", "BM_Operations_RowByRow");
    reporter.print_ratio("additional-field definitions", "BM_Classifiers", "BM_Classifiers_RowByRow");
    const double all = reporter.time("BM_LoadersAndFilters");
    if (all > 0)
      std::printf("%-56s %.2f ms (aim: under 50 ms)\n", "five loaders and the access conditions", all);
    const double without = reporter.time("BM_LoadersAndFiltersWithoutColumns");
    if (without > 0) std::printf("%-56s %.2f ms\n", "the same without the column settings", without);
  }
  return ran ? 0 : 1;
}

// LADUJUSTAWIENIAKOLUMN on a large demo database (20,000 column settings of the user) against reading
// the same column rows through the channel alone, and a width lookup in the loaded list.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "demo_database.h"
#include "keldox/column_settings.h"
#include "keldox/query_bridge.h"
#include "keldox/sql.h"
#include "mirlet_testing/temp_folder.h"
#include "ratio_reporter.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

constexpr double kUser = 3000001;

const std::string& database() {
  return mirlet_bench::demo_database(server::DemoSize::Large);
}

// The session on the large database, the bridge module beside it.
std::unique_ptr<db::Client> open_session() {
  std::unique_ptr<db::Client> client;
  if (!server::connect("sqlite:" + database(), client).ok()) return nullptr;
  dane::install_database(client.get());
  dane::GLO.ID_UZYTKOWNIKA = kUser;
  dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
  dane::GLO.OWNERNAME = "sqlite:" + database();
  return client;
}

void BM_LoadColumnSettings(benchmark::State& state) {
  auto client = open_session();
  if (!client || keldox::DOTNETUTWORZPOLACZENIESQL() != "1") {
    state.SkipWithError("no database or no bridge connection");
    return;
  }
  for (auto _ : state) {
    keldox::LADUJUSTAWIENIAKOLUMN();
    if (dane::INI_KOL_BRO.count() < 20000) state.SkipWithError("column settings missing");
  }
  state.counters["columns"] = static_cast<double>(dane::INI_KOL_BRO.count());
  dane::install_database(nullptr);
}

// The baseline: the same rows of the column query read through VAX2 and copied out, with no rules.
void BM_ReadColumnRows(benchmark::State& state) {
  auto client = open_session();
  if (!client) {
    state.SkipWithError("no database");
    return;
  }
  for (auto _ : state) {
    std::vector<std::string> values;
    keldox::EXECSQL2(
        "select i.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
        "k.nazwa_kolumny,k.rozmiar_kolumny,i.rozmiar,i.kolejnosc,k.pole_dodatkowe,o.kod_klas_grupy,o.skok, "
        "k.ukryta,k.podlega_obcieciu  from ini_kolumna k with (nolock) inner join ini_okno o with (nolock) "
        "on "
        "(k.id_okna=o.id_okna) inner join inter_ini_uzytkownik i with (nolock) on "
        "(k.id_kolumny=i.id_kolumny) "
        "where i.id_uzytkownika=3000001");
    while (keldox::next_row(db::Channel::VAX2)) {
      for (std::size_t n = 1; n <= 14; ++n) values.push_back(keldox::column(db::Channel::VAX2, n));
    }
    keldox::CLOSESQL2();
    if (values.size() < 20000 * 14) state.SkipWithError("rows missing");
    benchmark::DoNotOptimize(values);
  }
  dane::install_database(nullptr);
}

// A browse's width question in the loaded list of 20,000 columns.
void BM_ColumnWidthLookup(benchmark::State& state) {
  auto client = open_session();
  if (!client || keldox::DOTNETUTWORZPOLACZENIESQL() != "1") {
    state.SkipWithError("no database or no bridge connection");
    return;
  }
  keldox::LADUJUSTAWIENIAKOLUMN();
  dane::install_database(nullptr);
  std::int32_t position = 0;
  for (auto _ : state) {
    position = position % 80 + 1;
    benchmark::DoNotOptimize(keldox::POBIERZKOLUMNEROZMIAR("Zestawienie_187_Brw", position));
  }
}

BENCHMARK(BM_LoadColumnSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadColumnRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnWidthLookup)->Unit(benchmark::kNanosecond);

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  const bool ran = mirlet_bench::run_benchmarks(argc, argv, reporter);
  if (ran) {
    std::printf("Ratio of CPU time (whole load / reading the column rows alone):\n");
    reporter.print_ratio("LADUJUSTAWIENIAKOLUMN, 20,000 columns", "BM_LoadColumnSettings",
                         "BM_ReadColumnRows");
  }
  return ran ? 0 : 1;
}

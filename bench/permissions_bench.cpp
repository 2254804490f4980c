// Permission checks over 10,000 grants against a plain std::map lookup of the same key, and the session
// start's permission load on the large demo database.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_access.h"
#include "keldox/column_settings.h"
#include "keldox/permissions.h"
#include "keldox/query_bridge.h"
#include "mirlet_testing/temp_folder.h"
#include "ratio_reporter.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

// 400 codes of 25 grants each: the general grant, 12 objects, and 2 second objects under each of the
// first 6 objects; every grant limited, so that a check goes down to the level it is asked for.
constexpr int kCodes = 400;
constexpr int kObjects = 12;
constexpr int kNarrowedObjects = 6;
constexpr int kGrants = kCodes * (1 + kObjects + kNarrowedObjects * 2);
static_assert(kGrants == 10000);
// Keys asked in turn, so that neither side answers from one hot cache line.
constexpr int kAsked = 1024;

using MapKey = std::tuple<std::string, std::int32_t, std::int32_t, std::int32_t, std::int32_t>;

std::string code_of(int n) {
  return "ODokMag" + std::to_string(1000 + n);
}

const std::map<MapKey, std::uint8_t>& grants_map() {
  static const std::map<MapKey, std::uint8_t> map = [] {
    std::map<MapKey, std::uint8_t> m;
    for (const dane::AccessEntry& e : dane::ACCESSQ)
      m[{e.KOD.str(), e.ID2, e.ID3, e.ID4, e.ID5}] = e.RODZAJ_DOSTEPU;
    return m;
  }();
  return map;
}

void fill_lists() {
  static const bool filled = [] {
    dane::reset_session();
    dane::GLO.ID_UZYTKOWNIKA = 3000002;
    for (int c = 0; c < kCodes; ++c) {
      dane::UPRAWNQ.buffer = dane::UprawnEntry{runtime::to_upper(code_of(c)), ""};
      dane::UPRAWNQ.add_in_order<dane::UprawnEntry::ByCode>();
      auto grant = [&](std::int32_t id2, std::int32_t id3) {
        dane::ACCESSQ.buffer = dane::AccessEntry{runtime::to_upper(code_of(c)), id2, id3, 0, 0, 2, "W"};
        dane::ACCESSQ.add_in_order<dane::AccessEntry::ByCodeAndObjects>();
      };
      grant(0, 0);
      for (int o = 1; o <= kObjects; ++o) grant(o, 0);
      for (int o = 1; o <= kNarrowedObjects; ++o) {
        grant(o, 1);
        grant(o, 2);
      }
    }
    keldox::index_permissions();
    return dane::ACCESSQ.count() == kGrants;
  }();
  if (!filled) std::fprintf(stderr, "the grant list does not hold %d grants\n", kGrants);
}

struct Asked {
  std::string code;  // as a caller writes it: mixed case
  std::int32_t object1;
  std::int32_t object2;
  MapKey key;  // the most specific key of the level, ready for the map
};

// The same pseudo-random keys for both sides of a level: 0 general, 1 one object, 2 two objects.
const std::vector<Asked>& asked(int level) {
  static std::map<int, std::vector<Asked>> by_level;
  std::vector<Asked>& keys = by_level[level];
  if (keys.empty()) {
    std::mt19937 random(20261208 + level);
    for (int n = 0; n < kAsked; ++n) {
      const int c = std::uniform_int_distribution<int>(0, kCodes - 1)(random);
      const std::int32_t o1 =
          level == 0 ? 0 : std::uniform_int_distribution<int>(1, kNarrowedObjects)(random);
      const std::int32_t o2 = level == 2 ? std::uniform_int_distribution<int>(1, 2)(random) : 0;
      keys.push_back({code_of(c), o1, o2, MapKey{runtime::to_upper(code_of(c)), o1, o2, 0, 0}});
    }
  }
  return keys;
}

void BM_Check(benchmark::State& state) {
  fill_lists();
  const int level = static_cast<int>(state.range(0));
  const std::vector<Asked>& keys = asked(level);
  std::size_t n = 0;
  std::size_t granted = 0;
  for (auto _ : state) {
    const Asked& a = keys[n++ % kAsked];
    std::uint8_t answer = 0;
    if (level == 0) {
      answer = keldox::POBIERZUPRAWNIENIE(a.code);
    } else if (level == 1) {
      answer = keldox::POBIERZUPRAWNIENIE(a.code, a.object1);
    } else {
      answer = keldox::POBIERZUPRAWNIENIE(a.code, a.object1, a.object2);
    }
    granted += answer;
    benchmark::DoNotOptimize(answer);
  }
  if (granted != 2 * n) state.SkipWithError("a check missed its grant");
}

void BM_Map(benchmark::State& state) {
  fill_lists();
  const std::map<MapKey, std::uint8_t>& map = grants_map();
  const std::vector<Asked>& keys = asked(static_cast<int>(state.range(0)));
  std::size_t n = 0;
  std::size_t granted = 0;
  for (auto _ : state) {
    const auto it = map.find(keys[n++ % kAsked].key);
    const std::uint8_t answer = it == map.end() ? 0 : it->second;
    granted += answer;
    benchmark::DoNotOptimize(answer);
  }
  if (granted != 2 * n) state.SkipWithError("a lookup missed its grant");
}

const std::map<std::string, std::string>& catalogue_map() {
  static const std::map<std::string, std::string> map = [] {
    std::map<std::string, std::string> m;
    for (const dane::UprawnEntry& e : dane::UPRAWNQ) m[e.KOD.str()] = e.RODZAJ.str();
    return m;
  }();
  return map;
}

// The same steps as the check (upper case, catalogue, one lookup per level) over two std::maps, without
// locks: what the check would cost were the lists maps.
void BM_MapSteps(benchmark::State& state) {
  fill_lists();
  const std::map<MapKey, std::uint8_t>& grants = grants_map();
  const std::map<std::string, std::string>& catalogue = catalogue_map();
  const int level = static_cast<int>(state.range(0));
  const std::vector<Asked>& keys = asked(level);
  std::size_t n = 0;
  std::size_t granted = 0;
  const auto kind = [&](const MapKey& key) -> std::uint8_t {
    const auto it = grants.find(key);
    return it == grants.end() ? 0 : it->second;
  };
  for (auto _ : state) {
    const Asked& a = keys[n++ % kAsked];
    const std::string code = runtime::to_upper(a.code);
    std::uint8_t answer = 0;
    if (catalogue.find(code) != catalogue.end() && kind({code, 0, 0, 0, 0}) == 2) {
      answer = kind({code, a.object1, 0, 0, 0});
      if (answer == 2 && level == 2) answer = kind({code, a.object1, a.object2, 0, 0});
    }
    granted += answer;
    benchmark::DoNotOptimize(answer);
  }
  if (granted != 2 * n) state.SkipWithError("a lookup missed its grant");
}

BENCHMARK(BM_Check)->DenseRange(0, 2)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_Map)->DenseRange(0, 2)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_MapSteps)->DenseRange(0, 2)->Repetitions(15)->ReportAggregatesOnly(true);

// The large demo database once per run, its bridge connection opened as the session start does.
struct LargeDatabase {
  std::unique_ptr<mirlet_testing::TempFolder> folder;  // removed when the run ends, after the client closed
  std::unique_ptr<db::Client> client;
  bool ready = false;
};

LargeDatabase& large_database() {
  static LargeDatabase large = [] {
    LargeDatabase l;
    l.folder = std::make_unique<mirlet_testing::TempFolder>("permissionsbench");
    const std::string path = l.folder->file("large.db");
    if (const db::Status s = server::make_demo_database(path, server::DemoSize::Large); !s.ok()) {
      std::fprintf(stderr, "%s\n", s.text.c_str());
      return l;
    }
    if (!server::connect("sqlite:" + path, l.client).ok()) return l;
    l.ready = true;
    return l;
  }();
  return large;
}

// The session of the ordinary user on the large database, with the bridge connection opened as the
// session start does; false (and the benchmark skipped) when there is none.
bool open_large_session(benchmark::State& state) {
  LargeDatabase& large = large_database();
  if (!large.ready) {
    state.SkipWithError("no large demo database");
    return false;
  }
  dane::reset_session();
  dane::install_database(large.client.get());
  dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
  dane::GLO.OWNERNAME = "sqlite:" + large.folder->file("large.db");
  dane::GLO.ID_FIRMY = 1;
  dane::GLO.ID_UZYTKOWNIKA = 3000002;
  if (keldox::DOTNETUTWORZPOLACZENIESQL() != "1") {
    state.SkipWithError("no bridge connection");
    return false;
  }
  return true;
}

void close_large_session() {
  dane::install_database(nullptr);
  dane::reset_session();
}

// LADUJUPRAWNIENIA alone: 5,000 grants more than the demo's.
void BM_LoadPermissionsLarge(benchmark::State& state) {
  if (!open_large_session(state)) return;
  for (auto _ : state) {
    keldox::LADUJUPRAWNIENIA();
    if (dane::ACCESSQ.count() < 5000) state.SkipWithError("grants missing");
  }
  state.counters["grants"] = static_cast<double>(dane::ACCESSQ.count());
  state.counters["codes"] = static_cast<double>(dane::UPRAWNQ.count());
  close_large_session();
}

BENCHMARK(BM_LoadPermissionsLarge)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// LADUJUPRAWNIENIA and LADUJUSTAWIENIAKOLUMN together, as the session start runs them: the grants and
// 20,000 column settings.
void BM_LoadSessionSettingsLarge(benchmark::State& state) {
  if (!open_large_session(state)) return;
  for (auto _ : state) {
    keldox::LADUJUPRAWNIENIA();
    keldox::LADUJUSTAWIENIAKOLUMN();
    if (dane::ACCESSQ.count() < 5000 || dane::INI_KOL_BRO.count() < 20000)
      state.SkipWithError("rows missing");
  }
  state.counters["grants"] = static_cast<double>(dane::ACCESSQ.count());
  state.counters["columns"] = static_cast<double>(dane::INI_KOL_BRO.count());
  close_large_session();
}

BENCHMARK(BM_LoadSessionSettingsLarge)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The median time of each check level over the median time of the baseline of the same level.
void print_ratios(const mirlet_bench::RatioReporter& reporter, const std::string& baseline) {
  const char* levels[] = {"code only", "code + object1", "code + object1 + object2"};
  for (int level = 0; level < 3; ++level) {
    const std::string suffix = "/" + std::to_string(level) + "/repeats:15";
    const double check = reporter.time("BM_Check" + suffix);
    const double base = reporter.time(baseline + suffix);
    if (check <= 0 || base <= 0) {
      std::printf("  %-26s  n/a\n", levels[level]);
      continue;
    }
    std::printf("  %-26s  %7.1f ns / %7.1f ns = %.2f\n", levels[level], check, base, check / base);
  }
}

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  const bool ran = mirlet_bench::run_benchmarks(argc, argv, reporter);
  if (ran) {
    std::printf(
        "Median CPU time of POBIERZUPRAWNIENIE over one std::map::find of the same key (aim: 1 or less):\n");
    print_ratios(reporter, "BM_Map");
    std::printf(
        "... and over the check's own steps done with std::map (upper case, catalogue, each level):\n");
    print_ratios(reporter, "BM_MapSteps");
  }
  return ran ? 0 : 1;
}

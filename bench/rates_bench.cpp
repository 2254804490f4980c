// Rate imports into the embedded database (one NBP day of tables A and C; a 90-day ECB history), and
// WAL_POBIERZPRZELICZNIK against FUNCSQL of the statement it sends; ratio printed.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dane/database.h"
#include "db/sqlite_engine.h"
#include "keldox/exchange_rates.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "mirlet_testing/temp_folder.h"
#include "ratio_reporter.h"
#include "runtime/date.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

const std::string& database() {
  static const mirlet_testing::TempFolder folder("ratesbench");
  static const std::string path = [] {
    const std::string file = folder.file("bench.db");
    if (const db::Status s = server::make_demo_database(file, server::DemoSize::Demo); !s.ok())
      std::fprintf(stderr, "%s\n", s.text.c_str());
    return file;
  }();
  return path;
}

// Tables A and C of one day as the utility module hands them over: the demo's currencies and others.
const std::string kNbpDay =
    "KURSY;NBP;2026-12-07;237/A/NBP/2026,237/C/NBP/2026\n"
    "THB;0.1125;;\nUSD;3.9951;3.9551;4.0350\nAUD;2.6064;2.5803;2.6325\nCAD;2.8512;2.8227;2.8797\n"
    "EUR;4.2218;4.1796;4.2640\nHUF;0.010958;0.010848;0.011067\nCHF;4.5611;4.5155;4.6067\n"
    "GBP;5.0713;5.0206;5.1220\nUAH;0.095390;;\nJPY;0.026565;0.026299;0.026830\nCZK;0.1734;0.1717;0.1752\n"
    "DKK;0.5659;0.5603;0.5716\nNOK;0.3608;0.3572;0.3644\nSEK;0.3709;0.3672;0.3746\nXDR;5.3056;5.2525;5."
    "3587\n";

// 90 days of ECB cubes after the demo's series, working days only, 30 currencies each.
std::vector<std::string> ecb_history() {
  static const char* codes[] = {"USD", "JPY", "BGN", "CZK", "DKK", "GBP", "HUF", "PLN", "RON", "SEK",
                                "CHF", "ISK", "NOK", "TRY", "AUD", "BRL", "CAD", "CNY", "HKD", "IDR",
                                "ILS", "INR", "KRW", "MXN", "MYR", "NZD", "PHP", "SGD", "THB", "ZAR"};
  std::vector<std::string> texts;
  const runtime::DayNumber first = server::demo_last_rate_day() + 1;
  for (runtime::DayNumber day = first; day < first + 90; ++day) {
    if (day % 7 == 6 || day % 7 == 0) continue;
    const auto ymd = runtime::to_ymd(day);
    char head[64];
    std::snprintf(head, sizeof head, "KURSY;ECB;%04d-%02u-%02u;\n", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    std::string text = head;
    for (int i = 0; i < 30; ++i) {
      char line[64];
      std::snprintf(line, sizeof line, "%s;%.4f;;\n", codes[i], 1.05 + i * 3.7 + (day - first) * 0.001);
      text += line;
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

// Rates stored after the demo's series.
double imported_rates(sqlite3* db) {
  const std::string sql =
      "SELECT COUNT(*) FROM KURSY_WALUT k JOIN DATY_KURSOW d ON d.ID_DATY = k.ID_DATY WHERE "
      "d.DATA_NOT > " +
      std::to_string(server::demo_last_rate_day());
  sqlite3_stmt* stmt = nullptr;
  double n = 0;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW)
    n = sqlite3_column_double(stmt, 0);
  sqlite3_finalize(stmt);
  return n;
}

// Removes every quotation after the demo's series, so that each import adds its rows again.
void forget_imports(sqlite3* db) {
  const std::string last = std::to_string(server::demo_last_rate_day());
  const std::string sql =
      "DELETE FROM KURSY_WALUT WHERE ID_DATY IN (SELECT ID_DATY FROM DATY_KURSOW WHERE DATA_NOT > " + last +
      "); DELETE FROM DATY_KURSOW WHERE DATA_NOT > " + last + ";";
  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

class Session {
 public:
  Session() {
    server::connect("sqlite:" + database(), client_);
    dane::install_database(client_.get());
    db::SqliteOptions options;
    options.path = database();
    db::open_sqlite(options, direct_);
  }
  ~Session() {
    sqlite3_close(direct_);
    dane::install_database(nullptr);
  }
  sqlite3* direct() const { return direct_; }

 private:
  std::unique_ptr<db::Client> client_;
  sqlite3* direct_ = nullptr;
};

bool import(const char* procedure, const std::string& text) {
  keldox::EXECSQL("call " + std::string(procedure) + "(" + keldox::sql_text(text) + ")");
  const bool ok = dane::database().last_error().ok() && keldox::next_row();
  keldox::CLOSESQL();
  return ok;
}

void BM_ImportNbpDay(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    state.PauseTiming();
    forget_imports(session.direct());
    state.ResumeTiming();
    if (!import("KS_ImportKusowWalutNBP", kNbpDay)) state.SkipWithError("import failed");
  }
  state.counters["rates"] = imported_rates(session.direct());
  forget_imports(session.direct());
}

void BM_ImportEcb90Days(benchmark::State& state) {
  Session session;
  const std::vector<std::string> days = ecb_history();
  for (auto _ : state) {
    state.PauseTiming();
    forget_imports(session.direct());
    state.ResumeTiming();
    for (const std::string& text : days)
      if (!import("KS_ImportKusowWalutECB", text)) state.SkipWithError("import failed");
  }
  state.counters["days"] = static_cast<double>(days.size());
  state.counters["rates"] = imported_rates(session.direct());
  forget_imports(session.direct());
}

const runtime::DayNumber kDay = 82520;  // within the demo's series

void BM_Converter(benchmark::State& state) {
  Session session;
  for (auto _ : state) benchmark::DoNotOptimize(keldox::WAL_POBIERZPRZELICZNIK("EUR", "USD", kDay));
}

void BM_FuncsqlSameStatement(benchmark::State& state) {
  Session session;
  const std::string statement = "call AP_PobierzKursWaluty('EUR','USD'," + std::to_string(kDay) + ",0)";
  for (auto _ : state) {
    std::string value = keldox::FUNCSQL(statement);
    if (value.empty()) state.SkipWithError("no rate");
    benchmark::DoNotOptimize(value);
  }
}

BENCHMARK(BM_ImportNbpDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportEcb90Days)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Converter);
BENCHMARK(BM_FuncsqlSameStatement);

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  if (!mirlet_bench::run_benchmarks(argc, argv, reporter)) return 1;
  const double ratio = reporter.ratio("BM_Converter", "BM_FuncsqlSameStatement");
  if (ratio > 0)
    std::printf("WAL_POBIERZPRZELICZNIK / FUNCSQL CPU time ratio: %.2f (aim: at most 1.5)\n", ratio);
  return 0;
}

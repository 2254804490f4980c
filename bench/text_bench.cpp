// Throughput of the tax-number check, the account-number check and the amount in words, each against
// copying the same inputs, with calls per second and the ratio printed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "keldox/amount_in_words.h"
#include "keldox/identifiers.h"

namespace {

constexpr std::size_t kInputs = 1024;

std::string digits(std::mt19937_64& gen, int count) {
  std::uniform_int_distribution<int> digit(0, 9);
  std::string out;
  for (int i = 0; i < count; ++i) out.push_back(static_cast<char>('0' + digit(gen)));
  return out;
}

struct Inputs {
  std::vector<std::string> nips;
  std::vector<std::string> accounts;
  std::vector<double> amounts;
  Inputs() {
    std::mt19937_64 gen(20261207);
    std::uniform_int_distribution<std::int64_t> grosze(0, 99'999'999'999);
    for (std::size_t i = 0; i < kInputs; ++i) {
      const std::string nip = digits(gen, 10);
      nips.push_back(i % 2 == 0 ? nip
                                : nip.substr(0, 3) + "-" + nip.substr(3, 3) + "-" + nip.substr(6, 2) + "-" +
                                      nip.substr(8));
      const std::string inner = digits(gen, 24);
      const std::string account = keldox::IBAN_OBLICZSUMEKONTROLNA(inner) + inner;
      std::string grouped = account.substr(0, 2);
      for (std::size_t g = 2; g < account.size(); g += 4) grouped += " " + account.substr(g, 4);
      accounts.push_back(grouped);
      amounts.push_back(static_cast<double>(grosze(gen)) / 100.0);
    }
  }
};

const Inputs& inputs() {
  static const Inputs in;
  return in;
}

void BM_CopyTexts(benchmark::State& state) {
  const Inputs& in = inputs();
  for (auto _ : state) {
    for (const std::string& account : in.accounts) benchmark::DoNotOptimize(std::string(account));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

void BM_NIPOK(benchmark::State& state) {
  const Inputs& in = inputs();
  for (auto _ : state) {
    for (const std::string& nip : in.nips) benchmark::DoNotOptimize(keldox::NIPOK(nip));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

void BM_IBAN_CZYPOPRAWNY(benchmark::State& state) {
  const Inputs& in = inputs();
  for (auto _ : state) {
    for (const std::string& account : in.accounts)
      benchmark::DoNotOptimize(keldox::IBAN_CZYPOPRAWNY(account));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

void BM_SLOWNIE(benchmark::State& state) {
  const Inputs& in = inputs();
  for (auto _ : state) {
    for (const double amount : in.amounts) benchmark::DoNotOptimize(keldox::SLOWNIE(amount));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

BENCHMARK(BM_CopyTexts);
BENCHMARK(BM_NIPOK);
BENCHMARK(BM_IBAN_CZYPOPRAWNY);
BENCHMARK(BM_SLOWNIE);

// Remembers the CPU time per iteration of each run so that main can print calls per second and ratios.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations > 0) seconds[run.benchmark_name()] = run.GetAdjustedCPUTime() * 1e-9;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto base = reporter.seconds.find("BM_CopyTexts");
  for (const char* name : {"BM_NIPOK", "BM_IBAN_CZYPOPRAWNY", "BM_SLOWNIE"}) {
    const auto run = reporter.seconds.find(name);
    if (run == reporter.seconds.end() || run->second <= 0) continue;
    const double calls_per_second = static_cast<double>(kInputs) / run->second;
    std::printf("%-20s %6.2f million calls/s (aim: at least 1)", name + 3, calls_per_second / 1e6);
    if (base != reporter.seconds.end() && base->second > 0) {
      std::printf(", %.1f x the time of copying the input", run->second / base->second);
    }
    std::printf("\n");
  }
  return 0;
}

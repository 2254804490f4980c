// Throughput of the tax-number check, the account-number check, the amount in words and net from gross, each
// against copying the same inputs, with calls per second and the ratio printed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "dane/lists_money.h"
#include "keldox/amount_in_words.h"
#include "keldox/identifiers.h"
#include "keldox/vat.h"
#include "ratio_reporter.h"

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

void BM_OBLICZNETTO(benchmark::State& state) {
  static const bool rates_loaded = [] {
    for (const auto& [code, rate] : {std::pair{"23", 23.0}, {"8", 8.0}, {"5", 5.0}, {"0", 0.0}}) {
      dane::VATQ.buffer.KOD_VAT = code;
      dane::VATQ.buffer.STAWKA = rate;
      dane::VATQ.add();
    }
    dane::VATQ.sort<dane::VatEntry::ByCode>();
    return true;
  }();
  benchmark::DoNotOptimize(rates_loaded);
  const Inputs& in = inputs();
  for (auto _ : state) {
    for (const double amount : in.amounts) benchmark::DoNotOptimize(keldox::OBLICZNETTO(amount, "23"));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

BENCHMARK(BM_OBLICZNETTO);

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  if (!mirlet_bench::run_benchmarks(argc, argv, reporter)) return 1;
  const double base = reporter.time("BM_CopyTexts");
  for (const char* name : {"BM_NIPOK", "BM_IBAN_CZYPOPRAWNY", "BM_SLOWNIE", "BM_OBLICZNETTO"}) {
    const double seconds = reporter.time(name) * 1e-9;
    if (seconds <= 0) continue;
    const double calls_per_second = static_cast<double>(kInputs) / seconds;
    std::printf("%-20s %6.2f million calls/s (aim: at least 1)", name + 3, calls_per_second / 1e6);
    if (base > 0) std::printf(", %.1f x the time of copying the input", reporter.ratio(name, "BM_CopyTexts"));
    std::printf("\n");
  }
  return 0;
}

// Decimal multiply-and-round against the same arithmetic on bare int64_t, with the ratio printed.
#include "runtime/decimal.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>
#include "ratio_reporter.h"

namespace {

constexpr std::size_t kPairs = 4096;

// Amounts in grosze (up to ten million złoty) and exchange rates in millionths (1 to 5).
struct Inputs {
  std::vector<std::int64_t> amounts;
  std::vector<std::int64_t> rates;
  Inputs() {
    std::mt19937_64 gen(20261207);
    std::uniform_int_distribution<std::int64_t> amount(-1'000'000'000, 1'000'000'000);
    std::uniform_int_distribution<std::int64_t> rate(1'000'000, 5'000'000);
    for (std::size_t i = 0; i < kPairs; ++i) {
      amounts.push_back(amount(gen));
      rates.push_back(rate(gen));
    }
  }
};

const Inputs& inputs() {
  static const Inputs in;
  return in;
}

// The hand-written baseline: the product in 10^-8, back to grosze, halves away from zero.
std::int64_t convert_int64(std::int64_t amount, std::int64_t rate) {
  const std::int64_t product = amount * rate;
  std::int64_t q = product / 1'000'000;
  const std::int64_t r = product % 1'000'000;
  if (r >= 500'000) ++q;
  if (r <= -500'000) --q;
  return q;
}

void BM_Int64MultiplyRound(benchmark::State& state) {
  const Inputs& in = inputs();
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < kPairs; ++i) sum += convert_int64(in.amounts[i], in.rates[i]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kPairs));
}

void BM_DecimalMultiplyRound(benchmark::State& state) {
  const Inputs& in = inputs();
  std::vector<runtime::Decimal> amounts, rates;
  for (std::size_t i = 0; i < kPairs; ++i) {
    amounts.push_back(runtime::Decimal::from_units(in.amounts[i], 2, 15));
    rates.push_back(runtime::Decimal::from_units(in.rates[i], 6, 15));
  }
  const runtime::Decimal cent = runtime::Decimal::from_units(1, 2);
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < kPairs; ++i) sum += multiply_rounded(amounts[i], rates[i], cent).units();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kPairs));
}

BENCHMARK(BM_Int64MultiplyRound);
BENCHMARK(BM_DecimalMultiplyRound);

}  // namespace

int main(int argc, char** argv) {
  // A few repetitions by default, so that one disturbed run does not decide the ratio.
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=5";
  if (argc == 1) args.push_back(repetitions.data());
  mirlet_bench::RatioReporter reporter;
  if (!mirlet_bench::run_benchmarks(static_cast<int>(args.size()), args.data(), reporter)) return 1;
  const double ratio = reporter.ratio("BM_DecimalMultiplyRound", "BM_Int64MultiplyRound");
  if (ratio > 0)
    std::printf("Decimal / int64_t multiply-and-round CPU time ratio: %.2f (aim: at most 3)\n", ratio);
  return 0;
}

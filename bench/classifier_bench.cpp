// The filter condition of ten classifier fields against the same condition composed by hand, with the
// same quoting, in one run: the cost of walking the definitions and the operator rules.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "dane/globals.h"
#include "db/literals.h"
#include "keldox/classifiers.h"
#include "ratio_reporter.h"

namespace {

const char* const kColumns[] = {"pole1", "pole2", "pole3", "pole4", "pole5",
                                "pole6", "pole7", "pole8", "pole9", "pole10"};

// Five text fields searched with "zawiera" and five numbers compared with ">".
struct Filter {
  keldox::ClassifierValues values{};
  keldox::ClassifierMarks operators{};
  Filter() {
    auto& list = dane::GLO.KOL_KLASYFIKATOROW;
    for (int n = 1; n <= 10; ++n) {
      const bool text = n <= 5;
      list.clear_buffer();
      list.buffer.KOD_KLAS_GRUPY = "Artykul";
      list.buffer.NUMER_POLA = n;
      list.buffer.NAZWA_POLA = "Pole dodatkowe numer " + std::to_string(n);
      list.buffer.NAZWA_POLA_MAP = kColumns[n - 1];
      list.buffer.TYP_DANYCH = text ? "tekst" : "liczba";
      list.buffer.CZY_AKTYWNE = 1;
      list.add_in_order<dane::KlasyfikatorEntry::ByGroupAndNumber>();
      values[static_cast<std::size_t>(n - 1)] =
          text ? "wartość O'Brien " + std::to_string(n) : std::to_string(n * 10);
      operators[static_cast<std::size_t>(n - 1)] = text ? "zawiera" : ">";
    }
  }
};

const Filter& filter() {
  static const Filter f;
  return f;
}

void BM_UtworzSql(benchmark::State& state) {
  const Filter& f = filter();
  for (auto _ : state) {
    std::string condition = keldox::KLASYFIKATORY_UTWORZSQL("Artykul", f.values, &f.operators);
    benchmark::DoNotOptimize(condition);
  }
}

std::string by_hand(const Filter& f) {
  std::string condition;
  for (std::size_t i = 0; i < 10; ++i) {
    if (!condition.empty()) condition += " and ";
    if (i < 5) {
      condition += "A.";
      condition += kColumns[i];
      condition += " like '%";
      condition += db::escape_text(f.values[i].clipped());
      condition += "%'";
    } else {
      condition += "cast(A.";
      condition += kColumns[i];
      condition += " as real) >";
      condition += db::number_literal(f.values[i].clipped());
    }
  }
  return condition;
}

void BM_ByHand(benchmark::State& state) {
  const Filter& f = filter();
  for (auto _ : state) {
    std::string condition = by_hand(f);
    benchmark::DoNotOptimize(condition);
  }
}

BENCHMARK(BM_UtworzSql);
BENCHMARK(BM_ByHand);

}  // namespace

int main(int argc, char** argv) {
  mirlet_bench::RatioReporter reporter;
  if (!mirlet_bench::run_benchmarks(argc, argv, reporter)) return 1;
  // Both sides must compose the same text for the ratio to mean anything.
  if (keldox::KLASYFIKATORY_UTWORZSQL("Artykul", filter().values, &filter().operators) != by_hand(filter())) {
    std::printf("the two conditions differ\n");
    return 1;
  }
  reporter.print_ratio("KLASYFIKATORY_UTWORZSQL / by hand (aim: at most 2)", "BM_UtworzSql", "BM_ByHand");
  return 0;
}

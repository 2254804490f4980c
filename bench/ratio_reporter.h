// The console report of a benchmark run that also keeps each run's CPU time, so that a benchmark can
// print its ratios against a baseline measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace mirlet_bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    // CPU time: the machine is shared, and both sides of a ratio run in the same process.
    for (const Run& run : runs) {
      if (!run.error_occurred && run.iterations > 0) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // CPU time per iteration in the run's time unit; the median of repetitions when they ran; 0 when the
  // benchmark did not run.
  double time(const std::string& name) const {
    for (const std::string& key : {name + "_median", name}) {
      if (auto it = times_.find(key); it != times_.end()) return it->second;
    }
    return 0.0;
  }

  // subject / baseline, or 0 when either did not run.
  double ratio(const std::string& subject, const std::string& baseline) const {
    const double s = time(subject);
    const double b = time(baseline);
    return s > 0 && b > 0 ? s / b : 0.0;
  }

  // One line: the description and the ratio, "n/a" when either side did not run.
  void print_ratio(const char* what, const std::string& subject, const std::string& baseline) const {
    const double r = ratio(subject, baseline);
    if (r > 0) {
      std::printf("%-56s %.2f\n", what, r);
    } else {
      std::printf("%-56s n/a\n", what);
    }
  }

 private:
  std::map<std::string, double> times_;
};

// Runs the benchmarks selected on the command line with the reporter; false on unknown arguments.
inline bool run_benchmarks(int argc, char** argv, RatioReporter& reporter) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return false;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return true;
}

}  // namespace mirlet_bench

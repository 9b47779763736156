#pragma once
// Shared by the benchmarks that time one Marvane job beside GraphicsMagick doing the same: the
// run ends with the ratio of their mean times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/one_core_magick.h"

namespace bench {

// Remembers the mean (or only) real time of every benchmark.
class MeanTimes : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.aggregate_name.empty() || run.aggregate_name == "mean") times_[run.run_name.str()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }

  // Prints "<what>: <theirs / ours>" when both ran.
  void printRatio(const char* what, const std::string& theirs, const std::string& ours) const {
    const auto t = times_.find(theirs);
    const auto o = times_.find(ours);
    if (t != times_.end() && o != times_.end() && o->second > 0) std::printf("%s: %.2f\n", what, t->second / o->second);
  }

 private:
  std::map<std::string, double> times_;
};

// One job timed twice: GraphicsMagick's benchmark and Marvane's.
struct Comparison {
  const char* what;
  std::string theirs, ours;
};

// Runs the benchmarks the command line asks for, GraphicsMagick ready on one core, and ends with
// "<what>: <theirs / ours>" for each comparison; 1 for an unknown argument. The caller's
// application and state stay its own.
inline int runComparing(int& argc, char** argv, const std::vector<Comparison>& comparisons) {
  // A second initialisation, by Marvane's own picture reader, does nothing.
  initialiseMagickOnOneCore(*argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  MeanTimes reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const Comparison& c : comparisons) reporter.printRatio(c.what, c.theirs, c.ours);
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench

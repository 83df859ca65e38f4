#pragma once
// A console reporter that also keeps each benchmark's time per iteration, so
// that a bench program can print how our path compares with its limit or
// peer after the runs.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      // By the registered name, without suffixes such as "/real_time".
      times_[run.run_name.function_name] = run.GetAdjustedRealTime();
      // And by name and argument, for benchmarks run at several sizes.
      if (!run.run_name.args.empty()) {
        times_[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The named benchmark's real time per iteration in its own unit; 0 when it
  // did not run or failed. "name/argument" names one size of a benchmark
  // run at several.
  double Time(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? 0.0 : it->second;
  }

 private:
  std::map<std::string, double> times_;
};

#pragma once

// The console's report, and after it the shell's share of the road: the
// road's time less the bare transfer's, over the road's, from the medians of
// the repetitions (or the single runs' times without repetitions).

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace velmoran::bench::engine {

class ShareReporter final : public benchmark::ConsoleReporter {
 public:
  explicit ShareReporter(double targetShare);

  void ReportRuns(const std::vector<Run>& reports) override;
  void Finalize() override;

 private:
  // Milliseconds of a benchmark, or a negative number when it did not run.
  double Milliseconds(const std::string& name) const;

  double targetShare_;
  std::map<std::string, double> medians_;
  std::map<std::string, std::vector<double>> singles_;
};

}  // namespace velmoran::bench::engine

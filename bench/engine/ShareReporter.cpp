#include "bench/engine/ShareReporter.h"

#include <cstdio>
#include <numeric>
#include <ostream>
#include <utility>

namespace velmoran::bench::engine {

namespace {

double InMilliseconds(const benchmark::BenchmarkReporter::Run& run) {
  return run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
}

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace

ShareReporter::ShareReporter(double targetShare) : ConsoleReporter(OO_Tabular), targetShare_(targetShare) {}

void ShareReporter::ReportRuns(const std::vector<Run>& reports) {
  for (const Run& run : reports) {
    if (run.error_occurred) continue;
    const std::string name = run.run_name.function_name;
    if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
      medians_[name] = InMilliseconds(run);
    if (run.run_type == Run::RT_Iteration) singles_[name].push_back(InMilliseconds(run));
  }
  ConsoleReporter::ReportRuns(reports);
}

double ShareReporter::Milliseconds(const std::string& name) const {
  if (const auto median = medians_.find(name); median != medians_.end()) return median->second;
  const auto runs = singles_.find(name);
  if (runs == singles_.end() || runs->second.empty()) return -1;
  return std::accumulate(runs->second.begin(), runs->second.end(), 0.0) /
         static_cast<double>(runs->second.size());
}

void ShareReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::ostream& out = GetOutputStream();
  const double road = Milliseconds("BM_PageToFile"), door = Milliseconds("BM_PageToShell"),
               bare = Milliseconds("BM_BareTransfer");
  out << "\nOne capture of about 2 MB ("
      << (medians_.empty() ? "means of the runs" : "medians of the repetitions") << "):\n";
  const std::pair<const char*, const char*> rows[] = {
      {"BM_PageToFile", "page to file (the road)"},
      {"BM_PageToShell", "page to the shell's first log line"},
      {"BM_BareTransfer", "bare transfer (a binding of the benchmark)"},
      {"BM_EvaluateReturn", "the same text as an evaluation's value"},
      {"BM_EmptyCommand", "an empty command's round trip"},
  };
  for (const auto& [name, label] : rows) {
    if (const double ms = Milliseconds(name); ms > 0) {
      std::string padded = label;
      padded.resize(44, ' ');
      out << "  " << padded << Fixed(ms, 2) << " ms\n";
    }
  }
  if (road > 0 && bare > 0) {
    const double share = (road - bare) / road;
    out << "shell's share = (road - bare) / road = " << Fixed(road - bare, 2) << " / " << Fixed(road, 2)
        << " ms = " << Fixed(share * 100, 1) << " % (target at most " << Fixed(targetShare_ * 100, 0)
        << " %: " << (share <= targetShare_ ? "met" : "NOT met") << ")\n";
  }
  if (road > 0 && door > 0) {
    out << "after the shell's first log line: " << Fixed(road - door, 2)
        << " ms = " << Fixed((road - door) / road * 100, 1)
        << " % of the road (the page bridge's decode and the files)\n";
  }
  out.flush();
}

}  // namespace velmoran::bench::engine

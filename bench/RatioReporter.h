// A console reporter that pairs each benchmark "Ours/<what>" with "Gmp/<what>" and prints the
// ratio of their times after the usual table.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string name = run.benchmark_name();
      const std::size_t slash = name.find('/');
      if (slash == std::string::npos) continue;
      times_[name.substr(slash + 1)][name.substr(0, slash)] = run.GetAdjustedRealTime();
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-40s %12s\n", "ours / GMP", "ratio");
    for (const auto& [what, byWhom] : times_) {
      const auto ours = byWhom.find("Ours");
      const auto gmp = byWhom.find("Gmp");
      if (ours == byWhom.end() || gmp == byWhom.end()) continue;
      std::printf("%-40s %12.2f\n", what.c_str(), ours->second / gmp->second);
    }
  }

 private:
  std::map<std::string, std::map<std::string, double>> times_;
};

// The main of a benchmark program that prints the ratios.
#define RATIO_BENCHMARK_MAIN()                    \
  int main(int argc, char** argv) {               \
    benchmark::Initialize(&argc, argv);           \
    RatioReporter reporter;                       \
    benchmark::RunSpecifiedBenchmarks(&reporter); \
    benchmark::Shutdown();                        \
    return 0;                                     \
  }

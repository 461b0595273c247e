#pragma once
// The console reporter of the benchmarks that weigh our layer against the
// raw engine in one run: it keeps each run's time per iteration, and the
// program ends by printing every "…/ours/…" run over its "…/raw/…" twin.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace hvxbench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions only the medians are compared.
        for (const Run& r : runs) {
            const bool single = r.run_type == Run::RT_Iteration;
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (!r.error_occurred && (single || median))
                seconds_[r.run_name.str()] = r.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints the title, then ours / raw for every pair that both ran.
    void PrintRatios(const char* title) const {
        std::printf("\n%s\n", title);
        for (const auto& [name, ours] : seconds_) {
            const auto at = name.find("/ours/");
            if (at == std::string::npos) continue;
            std::string raw = name;
            raw.replace(at, 6, "/raw/");
            const auto it = seconds_.find(raw);
            if (it != seconds_.end() && it->second > 0)
                std::printf("  %-32s %.2fx\n", name.c_str(), ours / it->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace hvxbench

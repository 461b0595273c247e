#pragma once
// The console reporter of the benchmarks that weigh our layer against the
// raw engine in one run: it keeps each run's wall and CPU time per
// iteration, and the program ends by printing every "…/ours/…" run over its
// "…/raw/…" twin. The CPU time is this process's alone: a server's work for
// the statements shows in the wall time only.
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
                seconds_[r.run_name.str()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints the title, then ours / raw (wall, then CPU) for every pair that
    // both ran.
    void PrintRatios(const char* title) const {
        std::printf("\n%s\n  %-44s %7s %7s\n", title, "", "wall", "cpu");
        for (const auto& [name, ours] : seconds_) {
            const auto at = name.find("/ours/");
            if (at == std::string::npos) continue;
            std::string raw = name;
            raw.replace(at, 6, "/raw/");
            const auto it = seconds_.find(raw);
            if (it != seconds_.end() && it->second.wall > 0 && it->second.cpu > 0)
                std::printf("  %-44s %6.2fx %6.2fx\n", name.c_str(), ours.wall / it->second.wall,
                            ours.cpu / it->second.cpu);
        }
    }

private:
    struct Times {
        double wall, cpu;
    };
    std::map<std::string, Times> seconds_;
};

}  // namespace hvxbench

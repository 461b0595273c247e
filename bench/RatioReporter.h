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

    // Prints the title, then every "…/ours…/…" run over its twin of each
    // floor named ("raw" for "…/raw/…"), wall and CPU, for the pairs that
    // both ran.
    void PrintRatios(const char* title, const std::vector<std::string>& floors = {"raw"}) const {
        std::printf("\n%s\n  %-48s", title, "");
        for (const std::string& floor : floors)
            std::printf(" %13s", ("/" + floor).c_str());
        std::printf("\n  %-48s", "");
        for (std::size_t i = 0; i < floors.size(); ++i) std::printf(" %6s %6s", "wall", "cpu");
        std::printf("\n");
        for (const auto& [name, ours] : seconds_) {
            const auto at = name.find("/ours");
            const auto slash = at == std::string::npos ? at : name.find('/', at + 1);
            if (slash == std::string::npos) continue;
            std::printf("  %-48s", name.c_str());
            for (const std::string& floor : floors) {
                std::string raw = name;
                raw.replace(at + 1, slash - at - 1, floor);
                const auto it = seconds_.find(raw);
                if (it != seconds_.end() && it->second.wall > 0 && it->second.cpu > 0)
                    std::printf(" %5.2fx %5.2fx", ours.wall / it->second.wall,
                                ours.cpu / it->second.cpu);
                else
                    std::printf(" %6s %6s", "-", "-");
            }
            std::printf("\n");
        }
    }

private:
    struct Times {
        double wall, cpu;
    };
    std::map<std::string, Times> seconds_;
};

}  // namespace hvxbench

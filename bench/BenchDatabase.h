#pragma once
// What the benchmarks that make a database of their own share: their
// settings from the environment, and the SQLite file and PostgreSQL schema
// of the run, named after the process so that runs never meet.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "RatioReporter.h"
#include "platform/Session.h"

namespace hvxbench {

// The server to run on as well, when HARVEXA_TEST_PG names one.
inline const char* PgConninfo() {
    return std::getenv("HARVEXA_TEST_PG");
}

inline long EnvNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    const long value = text ? std::atol(text) : 0;
    return value > 0 ? value : fallback;
}

class BenchDatabase {
public:
    explicit BenchDatabase(const char* what)
        : name_("harvexa_bench_" + std::to_string(getpid()) + "_" + what) {}

    std::string SqliteFile() const { return "/tmp/" + name_ + ".db"; }
    std::string PgConnection() const {
        return std::string(PgConninfo()) + " options='-c search_path=" + name_ + "'";
    }
    // The connection of a new, empty database of the engine; "" when the
    // PostgreSQL schema could not be made (the reason is printed).
    std::string Create(bool postgres) const {
        std::string error;
        if (postgres && (!hvx::Session::Open(PgConninfo(), error) ||
                         !hvx::Session::Get()->ExecScript("CREATE SCHEMA " + name_, error))) {
            std::fprintf(stderr, "%s\n", error.c_str());
            hvx::Session::Close();
            return "";
        }
        hvx::Session::Close();
        return postgres ? PgConnection() : "sqlite:" + SqliteFile();
    }
    // The engine's database, made and filled (fill(connection) is true) on
    // first use and kept for the run; "" when it could not be made.
    template <class Fill>
    const std::string& Made(bool postgres, Fill fill) const {
        if (auto it = made_.find(postgres); it != made_.end()) return it->second;
        std::string& database = made_[postgres];
        const std::string target = Create(postgres);
        if (!target.empty() && fill(target)) database = target;
        return database;
    }
    void Discard() const {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::remove((SqliteFile() + suffix).c_str());
        std::string ignored;
        if (PgConninfo() && hvx::Session::Open(PgConninfo(), ignored))
            hvx::Session::Get()->ExecScript("DROP SCHEMA IF EXISTS " + name_ + " CASCADE", ignored);
        hvx::Session::Close();
    }

private:
    std::string name_;
    mutable std::map<bool, std::string> made_;
};

// Registers a run of ours and its raw floor, "<engine>/ours/<name>" and
// "<engine>/raw/<name>", HARVEXA_BENCH_ITERATIONS times each (default 3).
template <class Ours, class Raw>
void RegisterPair(const char* engine, const std::string& name, Ours ours, Raw raw) {
    const long iterations = EnvNumber("HARVEXA_BENCH_ITERATIONS", 3);
    const std::string prefix = std::string(engine) + "/";
    for (benchmark::internal::Benchmark* b :
         {benchmark::RegisterBenchmark((prefix + "ours/" + name).c_str(), ours),
          benchmark::RegisterBenchmark((prefix + "raw/" + name).c_str(), raw)})
        b->Iterations(iterations)->Unit(benchmark::kMillisecond);
}

// Registers the runs of SQLite, and of PostgreSQL when a server is named,
// runs them, prints each of ours over its raw floor under the title, and
// discards the run's database.
template <class Register>
int RunOnEngines(int argc, char** argv, const BenchDatabase& bench, const char* title,
                 Register add) {
    add("SQLite", false);
    if (PgConninfo()) add("PostgreSQL", true);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(title);
    benchmark::Shutdown();
    bench.Discard();
    return 0;
}

}  // namespace hvxbench

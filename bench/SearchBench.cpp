// Cost of the settlement search over the raw engine floor, in one run.
//
// A database of generated settlements is made once per engine and run
// (HARVEXA_BENCH_LINES lines, default 200,000; set it to 1000000 for the
// real measure). Three searches run to the end through RunSettlementSearch
// into a SearchResults: every line listed, a prefix of customer names, and
// a prefix of check numbers. The raw floor steps the same SELECT straight
// through sqlite3 or libpq and reads every column of every row; for check
// numbers it also runs the header query for every row, prepared once.
// PostgreSQL runs when HARVEXA_TEST_PG names a server. The peak resident
// size after listing every line is the "peak_rss_MB" counter: run one
// engine per process (--benchmark_filter=SQLite) to see it for that engine
// alone. HARVEXA_BENCH_ITERATIONS (default 3) sets the runs per search.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "BenchDatabase.h"
#include "RatioReporter.h"
#include "harvexa-admin/AdminCommands.h"
#include "platform/Session.h"
#include "platform/SqlDialect.h"
#include "search/SearchStatement.h"
#include "search/SettlementSearchRun.h"

namespace {

using hvx::search::SettlementSearchObject;

using hvxbench::EnvNumber;
using hvxbench::PgConninfo;

const hvxbench::BenchDatabase kBench("search");

// The generated database of an engine, made on first use and kept for the
// run; "" when it could not be made (the message is printed).
const std::string& Database(bool postgres) {
    return kBench.Made(postgres, [](const std::string& target) {
        std::ostringstream out, err;
        hvx::admin::GenerateOptions options;
        options.lines = EnvNumber("HARVEXA_BENCH_LINES", 200000);
        options.settlements = std::max(1L, options.lines / 20);
        if (hvx::admin::InitCommand(target, false, out, err) == 0 &&
            hvx::admin::GenerateCommand(target, options, out, err) == 0)
            return true;
        std::fprintf(stderr, "%s\n", err.str().c_str());
        return false;
    });
}

enum class Search { All, CustomerPrefix, CheckPrefix };

SettlementSearchObject Criteria(Search search) {
    SettlementSearchObject c;
    switch (search) {
        case Search::All:
            c.SearchInPosted = c.SearchInReversed = c.SearchInClosed = true;
            break;
        case Search::CustomerPrefix:
            c.SearchAll = false;
            c.Locations[1] = true;  // "Customer Name"
            c.SearchString = "Mar";
            break;
        case Search::CheckPrefix:
            c.SearchAll = false;
            c.Locations[3] = true;  // "Check Number"
            c.SearchString = "1001";
            break;
    }
    return c;
}

// The statement the search runs, in the engine's dialect.
std::string SearchSql(Search search, hvx::EngineKind engine) {
    std::string sql, error;
    hvx::TranslateSql(hvx::search::SearchStatement(Criteria(search)), engine, sql, error);
    return sql;
}

class Quiet final : public hvx::search::SearchProgress {
public:
    void LineRead() override {}
    void Scanned(long) override {}
    void Matched(long) override {}
};

long PeakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void Ours(benchmark::State& state, bool postgres, Search search) {
    std::string error;
    const std::string& database = Database(postgres);
    if (database.empty() || !hvx::Session::Open(database, error)) {
        state.SkipWithError(("cannot open the database: " + error).c_str());
        return;
    }
    Quiet quiet;
    long matched = 0;
    for (auto _ : state) {
        SettlementSearchObject criteria = Criteria(search);
        hvx::search::SearchResults results;
        const hvx::search::SearchRunResult run =
            hvx::search::RunSettlementSearch(criteria, results, quiet);
        if (!run.ok) {
            state.SkipWithError(run.error.c_str());
            break;
        }
        matched = run.matched;
    }
    state.counters["rows"] = static_cast<double>(matched);
    if (search == Search::All)
        state.counters["peak_rss_MB"] = static_cast<double>(PeakRssMegabytes());
    hvx::Session::Close();
}

// Reads every column of the current row, as the search reads it.
std::size_t ReadRow(sqlite3_stmt* statement) {
    std::size_t bytes = 0;
    for (int i = 0, n = sqlite3_column_count(statement); i < n; ++i) {
        benchmark::DoNotOptimize(sqlite3_column_text(statement, i));
        bytes += static_cast<std::size_t>(sqlite3_column_bytes(statement, i));
    }
    return bytes;
}

void RawSqlite(benchmark::State& state, Search search) {
    const std::string& database = Database(false);
    sqlite3* db = nullptr;
    if (database.empty() ||
        sqlite3_open_v2(kBench.SqliteFile().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        state.SkipWithError("cannot open the database");
        return;
    }
    const std::string sql = SearchSql(search, hvx::EngineKind::SQLite);
    sqlite3_stmt *lines = nullptr, *header = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &lines, nullptr);
    const std::string headerSql(hvx::search::kHeaderSelect);
    sqlite3_prepare_v2(db, headerSql.c_str(), -1, &header, nullptr);
    std::size_t bytes = 0;
    for (auto _ : state) {
        while (sqlite3_step(lines) == SQLITE_ROW) {
            bytes += ReadRow(lines);
            if (search != Search::CheckPrefix) continue;
            const auto* settlement = reinterpret_cast<const char*>(sqlite3_column_text(lines, 0));
            sqlite3_bind_text(header, 1, settlement, sqlite3_column_bytes(lines, 0),
                              SQLITE_TRANSIENT);
            while (sqlite3_step(header) == SQLITE_ROW) bytes += ReadRow(header);
            sqlite3_reset(header);
        }
        sqlite3_reset(lines);
    }
    benchmark::DoNotOptimize(bytes);
    sqlite3_finalize(lines);
    sqlite3_finalize(header);
    sqlite3_close(db);
}

void RawPg(benchmark::State& state, Search search) {
    const std::string& database = Database(true);
    PGconn* conn = database.empty() ? nullptr : PQconnectdb(kBench.PgConnection().c_str());
    if (!conn || PQstatus(conn) != CONNECTION_OK) {
        PQfinish(conn);
        state.SkipWithError("cannot connect");
        return;
    }
    // Dates as our session reads them.
    PQclear(PQexec(conn, "SET datestyle = 'SQL, MDY'"));
    std::string header, error;
    hvx::TranslateSql(hvx::search::kHeaderSelect, hvx::EngineKind::PostgreSQL, header, error);
    PQclear(PQprepare(conn, "header", header.c_str(), 1, nullptr));
    const std::string sql = SearchSql(search, hvx::EngineKind::PostgreSQL);
    std::size_t bytes = 0;
    const auto readAll = [&bytes](const PGresult* result) {
        for (int row = 0, rows = PQntuples(result); row < rows; ++row)
            for (int column = 0, n = PQnfields(result); column < n; ++column) {
                benchmark::DoNotOptimize(PQgetvalue(result, row, column));
                bytes += static_cast<std::size_t>(PQgetlength(result, row, column));
            }
    };
    for (auto _ : state) {
        PGresult* lines = PQexec(conn, sql.c_str());
        readAll(lines);
        const int rows = search == Search::CheckPrefix ? PQntuples(lines) : 0;
        for (int row = 0; row < rows; ++row) {
            const char* settlement = PQgetvalue(lines, row, 0);
            PGresult* found = PQexecPrepared(conn, "header", 1, &settlement, nullptr, nullptr, 0);
            readAll(found);
            PQclear(found);
        }
        PQclear(lines);
    }
    benchmark::DoNotOptimize(bytes);
    PQfinish(conn);
}

void Register(const char* engine, bool postgres) {
    const std::pair<const char*, Search> searches[] = {{"search-all", Search::All},
                                                       {"customer-prefix", Search::CustomerPrefix},
                                                       {"check-number", Search::CheckPrefix}};
    for (const auto& [name, search] : searches)
        hvxbench::RegisterPair(
            engine, name, [=](benchmark::State& state) { Ours(state, postgres, search); },
            [=](benchmark::State& state) {
                postgres ? RawPg(state, search) : RawSqlite(state, search);
            });
}

}  // namespace

int main(int argc, char** argv) {
    // Ours lists every line first, so its peak size is not another run's.
    return hvxbench::RunOnEngines(argc, argv, kBench,
                                  "Settlement search over the raw engine floor (ours / raw):",
                                  Register);
}

#include "SettlementBench.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "GrownDatabase.h"
#include "RatioReporter.h"
#include "StatementReplay.h"
#include "TableDump.h"
#include "data/Schema.h"
#include "platform/HostPort.h"
#include "platform/NextNumbers.h"
#include "platform/Session.h"
#include "platform/Statements.h"
#include "platform/UiPort.h"
#include "settlement/SettlementSave.h"
#include "settlement/SettlementSaveWindow.h"

namespace hvxbench {
namespace {

using namespace hvx::settlement;

// The host grants every lock: the benchmarks measure the work, not waiting.
// Messages go to the console port, which answers every question Yes.
class GrantingHost final : public hvx::HostPort {
public:
    hvx::HostWindow MainWindow() override { return this; }
    long SendHostMessage(hvx::HostWindow, unsigned message, long, void*) override {
        return message == hvx::kMsgLock ? 1 : 0;
    }
    void BroadcastToDocuments(unsigned, long, const void*) override {}
    void* FindSiblingFunction(void*, std::string_view) override { return nullptr; }
    bool IsModuleLoaded(void*) override { return false; }
};

GrantingHost host;

const char* PgConninfo() {
    return std::getenv("HARVEXA_TEST_PG");
}

std::string Name(const char* who) {
    return "harvexa_bench_" + std::to_string(getpid()) + "_" + who;
}
std::string SqliteFile(const char* who) {
    return "/tmp/" + Name(who) + ".db";
}
// On PostgreSQL a side is a schema of its own, or on a grown database a
// database of its own, copied whole from the grown one.
std::string Connection(bool postgres, const char* who) {
    if (!postgres) return "sqlite:" + SqliteFile(who);
    if (GrownWanted(true)) return std::string(PgConninfo()) + " dbname=" + Name(who);
    return std::string(PgConninfo()) + " options='-c search_path=" + Name(who) + "'";
}

// The statements of a piece of work with each table's record numbers drawn
// by one counter update: the first update of a table's counter advances it by
// all its numbers at once, the others go. The counter ends where the work
// left it.
std::vector<RecordedStatement> CountersAtOnce(const std::vector<RecordedStatement>& statements) {
    const auto counterOf = [](const RecordedStatement& r) {
        const bool counter = r.sql.rfind("UPDATE HVXNEXTNUM SET NEXTVAL = NEXTVAL + 1", 0) == 0 &&
                             r.values.size() >= 2;
        return counter ? r.values[0].text + "." + r.values[1].text : std::string();
    };
    std::map<std::string, int> numbers;
    for (const RecordedStatement& r : statements)
        if (const std::string key = counterOf(r); !key.empty()) ++numbers[key];
    std::vector<RecordedStatement> merged;
    for (const RecordedStatement& r : statements) {
        const std::string key = counterOf(r);
        if (key.empty()) {
            merged.push_back(r);
        } else if (const int n = std::exchange(numbers[key], 0); n > 0) {
            RecordedStatement all = r;
            all.sql = "UPDATE HVXNEXTNUM SET NEXTVAL = NEXTVAL + " + std::to_string(n) +
                      " WHERE TABLENAME = ? AND COLNAME = ?";
            all.values.resize(2);
            merged.push_back(std::move(all));
        }
    }
    return merged;
}

// The statements that take a database back to its size before an iteration:
// every row beyond the highest record number its table held, in the tables
// the work inserts into. Both sides trim after each iteration, so neither
// pays for a database the other does not grow.
std::vector<std::string> TrimStatements(bool postgres,
                                        const std::vector<RecordedStatement>& recorded) {
    std::map<std::string, std::string> highest;
    std::string error;
    for (const RecordedStatement& r : recorded) {
        if (r.sql.rfind("INSERT INTO ", 0) != 0) continue;
        const std::string table = r.sql.substr(12, r.sql.find_first_of(" (", 12) - 12);
        auto probe = hvx::Session::Prepare("SELECT MAX(RECNO) FROM " + table, false, error);
        std::string recno;
        if (probe && hvx::Session::Run(*probe, {}, error) && probe->Next())
            probe->Column(0, recno);
        highest[table] = recno.empty() ? "0" : recno;
    }
    std::vector<std::string> trim;
    for (const auto& [table, recno] : highest) {
        trim.push_back("DELETE FROM " + table + " WHERE RECNO > " + recno);
        // PostgreSQL keeps deleted rows until a vacuum, and the same record
        // numbers inserted over them would cost more each time.
        if (postgres) trim.push_back("VACUUM " + table);
    }
    return trim;
}

// The line id of split A100, which every settlement line draws on.
std::string& SplitLine() {
    static std::string line;
    return line;
}

// A row the work needs, unless its table holds one under the key already (a
// grown database holds the demo's commodity CORN and its configuration row),
// numbered after the table's rows: record 1 on a fresh database, after the
// generated rows on a grown one.
std::string InsertMissing(const std::string& table, const std::string& key,
                          const std::string& columns, const std::string& values) {
    return "INSERT INTO " + table + " (" + columns + ",RECNO) SELECT " + values +
           ",(SELECT COALESCE(MAX(RECNO),0)+1 FROM " + table +
           ") WHERE NOT EXISTS (SELECT 1 FROM " + table + (key.empty() ? "" : " WHERE " + key) +
           ")";
}

// The line id of a new split: after the highest on file, so that no
// generated scale ticket or settlement line refers to it; 7001 on a fresh
// database.
bool NextSplitLine(std::string& line, std::string& error) {
    std::vector<hvx::SqlRow> rows;
    if (!hvx::RunNative(nullptr, "SELECT LINEID FROM HVXGR02S", {}, &rows, error)) return false;
    long long highest = 7000;
    for (const hvx::SqlRow& row : rows) {
        char* end = nullptr;
        const long long id = std::strtoll(row[0].c_str(), &end, 10);
        if (!row[0].empty() && *end == '\0') highest = std::max(highest, id);
    }
    line = std::to_string(highest + 1);
    return true;
}

// The reference rows and the split every settlement of the work draws on.
bool SeedRows(std::string& error) {
    std::string newLine;
    std::vector<hvx::SqlRow> split;
    const bool seeded =
        NextSplitLine(newLine, error) &&
        RunAll({InsertMissing("HVXAR50", "REFERENCE='C1'", "REFERENCE,NAME", "'C1','Casey Farms'"),
                InsertMissing("HVXGR51", "REFERENCE='CORN'", "REFERENCE,NAME",
                              "'CORN','Yellow Corn'"),
                InsertMissing("HVXINV16", "LOCREF='1'", "LOCREF,LOCDESC", "'1','Main Elevator'"),
                InsertMissing("HVXGR52", "REFERENCE='CHECKOFF'", "REFERENCE,ADVCODE",
                              "'CHECKOFF','0'"),
                InsertMissing("HVXGR40", "", "CONFIG18,SETTBYTICK", "'41','F'"),
                InsertMissing("HVXGR02", "ASSEMBLY='A100'", "ASSEMBLY,SETTLED", "'A100','F'"),
                InsertMissing("HVXGR02S", "ASSEMBLY='A100'",
                              "ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,"
                              "SETTUNITS,PSETUNITS,SETTLED,LINEID",
                              "'A100','','CORN','1','Storage Ticket','C1','1000000000.0000',"
                              "'0.0000','0.0000','F','" + newLine + "'")},
               error) &&
        hvx::RunNative(nullptr, "SELECT LINEID FROM HVXGR02S WHERE ASSEMBLY='A100'", {}, &split,
                       error, 1);
    if (seeded && !split.empty()) SplitLine() = split.front()[0];
    return seeded && !split.empty();
}

// The settlement sizes to run: HARVEXA_BENCH_SIZES ("5,20,100" unless set).
std::vector<int> Sizes() {
    const char* text = std::getenv("HARVEXA_BENCH_SIZES");
    std::stringstream list(text && *text ? text : "5,20,100");
    std::vector<int> sizes;
    for (std::string item; std::getline(list, item, ',');)
        if (const int n = std::atoi(item.c_str()); n > 0) sizes.push_back(n);
    return sizes;
}

// The dump of the database of each engine and size after the work was done
// once on it, each under a line naming them.
bool WriteDumps(const SettlementWork& work, const std::string& file, std::string& error) {
    std::ofstream out(file, std::ios::trunc);
    for (const bool postgres : {false, true}) {
        if (postgres && !PgConninfo()) continue;
        for (const int lines : Sizes()) {
            SettlementLines() = lines;
            SettlementRecordSet set;
            bool done = work.seed(postgres, "dump", set, error) && work.work(set, error);
            hvx::Session::Close();
            out << "== " << (postgres ? "PostgreSQL" : "SQLite") << ", " << work.description
                << " of " << lines << " lines\n";
            done = done && (postgres ? DumpPostgres(Connection(true, "dump"), out, error)
                                     : DumpSqlite(SqliteFile("dump"), out, error));
            Discard(postgres, "dump");
            if (!done) return false;
        }
    }
    return true;
}

struct Run {
    const SettlementWork& work;
    int lines;
    std::vector<RecordedStatement> literal, bound, counters;

    // Records the work on a seeded SQLite database, with literal statements
    // run as they stand and then as shapes; false with a message.
    bool Record(std::string& error) {
        for (const bool shaped : {false, true}) {
            SqliteRecorder recorder;
            SettlementRecordSet set;
            hvx::Session::ShapeLiterals(shaped);
            const bool seeded = work.seed(false, "record", set, error);
            recorder.Start();
            const bool done = seeded && work.work(set, error);
            if (!recorder.Stop(shaped ? bound : literal))
                error = "The values of a statement could not be read back.";
            Discard(false, "record");
            hvx::Session::ShapeLiterals(true);
            if (!done || !error.empty()) return false;
        }
        counters = CountersAtOnce(bound);
        return true;
    }

    std::string Name() const { return work.name + "-" + std::to_string(lines) + "-lines"; }

    void Ours(benchmark::State& state, bool postgres, bool shaped) const {
        SettlementLines() = lines;
        hvx::Session::ShapeLiterals(shaped);
        std::string message;
        SettlementRecordSet set;
        if (!work.seed(postgres, "ours", set, message)) {
            state.SkipWithError(message.c_str());
            return;
        }
        const std::vector<std::string> trim = TrimStatements(postgres, bound);
        long statements = 0;
        bool first = true;
        for (auto _ : state) {
            state.PauseTiming();
            if (!std::exchange(first, false)) {
                set = SettlementRecordSet{};
                if (!work.prepare(set, message)) {
                    state.SkipWithError(message.c_str());
                    break;
                }
            }
            const long before = hvx::Session::StatementsRun();
            state.ResumeTiming();
            if (!work.work(set, message)) {
                state.SkipWithError(message.c_str());
                break;
            }
            statements += hvx::Session::StatementsRun() - before;
            state.PauseTiming();
            if (!RunAll(trim, message)) {
                state.SkipWithError(message.c_str());
                break;
            }
            state.ResumeTiming();
        }
        // The session counts every statement it runs except its BEGIN.
        if (state.iterations() > 0)
            state.counters["statements"] =
                static_cast<double>(statements) / static_cast<double>(state.iterations()) + 1;
        Discard(postgres, "ours");
        hvx::Session::ShapeLiterals(true);
    }

    void Raw(benchmark::State& state, bool postgres,
             const std::vector<RecordedStatement>& recorded) const {
        SettlementLines() = lines;
        std::string error;
        SettlementRecordSet set;
        if (!work.seed(postgres, "raw", set, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        const std::vector<std::string> trim = TrimStatements(postgres, recorded);
        hvx::Session::Close();
        std::unique_ptr<RawReplay> raw =
            postgres ? RawReplay::Postgres(Connection(true, "raw"), recorded)
                     : RawReplay::Sqlite(SqliteFile("raw"), recorded);
        for (auto _ : state) {
            if (!raw->error.empty() || !raw->RunAll()) {
                state.SkipWithError(raw->error.c_str());
                break;
            }
            state.PauseTiming();
            for (const std::string& sql : trim) raw->Exec(sql);
            state.ResumeTiming();
        }
        state.counters["statements"] = static_cast<double>(recorded.size());
        raw.reset();  // a grown side's database is dropped only once no one is connected
        Discard(postgres, "raw");
    }

    // How many statements the work issues, by their first word.
    void PrintStatementCount() const {
        std::map<std::string, int> byVerb;
        for (const RecordedStatement& r : bound) ++byVerb[r.sql.substr(0, r.sql.find(' '))];
        std::printf("One %s of %d lines issues %zu statements:", work.description.c_str(), lines,
                    bound.size());
        for (const auto& [verb, count] : byVerb) std::printf(" %d %s", count, verb.c_str());
        std::printf("; %zu with each counter updated once\n", counters.size());
    }
};

}  // namespace

void Discard(bool postgres, const char* who) {
    hvx::Session::Close();
    std::string ignored;
    if (!postgres) {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::remove((SqliteFile(who) + suffix).c_str());
    } else if (GrownWanted(true)) {
        DropPg(PgConninfo(), Name(who));
    } else if (hvx::Session::Open(PgConninfo(), ignored)) {
        RunAll({"DROP SCHEMA IF EXISTS " + Name(who) + " CASCADE"}, ignored);
        hvx::Session::Close();
    }
}

bool RunAll(const std::vector<std::string>& sql, std::string& error) {
    for (const std::string& s : sql)
        if (!hvx::Session::Get()->ExecScript(s, error)) return false;
    return true;
}

int& SettlementLines() {
    static int lines = 20;
    return lines;
}

void NewSettlement(SettlementRecordSet& set) {
    set.header.custRef = "C1", set.header.custName = "Casey Farms";
    set.header.settDate = "03072024", set.header.entryDate = "03082024";
    for (int i = 0; i < SettlementLines(); ++i) {
        SettlementDetailItem l;
        // Links come from the counter, as the window takes them: the links of
        // reversing copies come from it too.
        l.dlLink = NextCharLnk(nullptr, 1, "HVXGR04D", "DLLINK", 0);
        l.source = "Assembly", l.sourceRef = "A100", l.sourceLink = SplitLine();
        l.commodity = "CORN", l.location = "1", l.fromDpr = "Storage Ticket", l.toDpr = "Priced";
        l.unitsSet = 10.5, l.priceUnit = 4.25, l.totPrice = 44.625, l.netAmt = 43.38;
        l.patronage = "T", l.submitted = "F", l.glCode = "21", l.stype = "0";
        l.status = "C", l.oUnits = "0.0000";
        set.units.Add("10.5000", "4.2500", l.dlLink);
        set.deductions.Add("CHECKOFF", "1.25", "D", "F", l.dlLink, "A100", "Assembly");
        set.grades.Add("MOIST", "15.000", l.dlLink, hvx::Ui());
        set.details.AddLine(std::move(l));
    }
    set.payNames.Add("Casey Farms", false);
}

bool Save(SettlementRecordSet& set, std::string& message) {
    const SettlementWindowValues values;
    SettlementSaveWindow window{set, values, hvx::Ui(), nullptr, message};
    return SaveSettlement(window);
}

bool OpenSeeded(bool postgres, const char* who, std::string& error) {
    Discard(postgres, who);
    const bool grown = GrownWanted(postgres);
    if (postgres && !grown &&
        (!hvx::Session::Open(PgConninfo(), error) ||
         !RunAll({"CREATE SCHEMA " + Name(who)}, error)))
        return false;
    const bool copied = !grown || (postgres ? CopyGrownPg(PgConninfo(), Name(who), error)
                                            : CopyGrown(SqliteFile(who), error));
    const bool opened =
        copied && (grown ? hvx::Session::Open(Connection(postgres, who), error)
                         : hvx::Session::Open(Connection(postgres, who), error,
                                              hvx::OpenMode::Create) &&
                               hvx::data::CreateSchema(error));
    if (!opened || !SeedRows(error)) return false;
    SettlementRecordSet first;
    NewSettlement(first);
    return Save(first, error);
}

int RunSettlementBenchmarks(int argc, char** argv, const SettlementWork& work) {
    hvx::SetHostPort(&host);
    if (const char* file = std::getenv("HARVEXA_BENCH_DUMP"); file && *file) {
        std::string error;
        if (!WriteDumps(work, file, error)) {
            std::fprintf(stderr, "Cannot dump the database after a %s: %s\n",
                         work.description.c_str(), error.c_str());
            return 1;
        }
        std::printf("The tables after a %s are in %s.\n", work.description.c_str(), file);
        return 0;
    }
    std::vector<std::unique_ptr<Run>> runs;
    for (const int lines : Sizes()) {
        auto run = std::make_unique<Run>(Run{work, lines, {}, {}, {}});
        SettlementLines() = lines;
        std::string error;
        if (!run->Record(error)) {
            std::fprintf(stderr, "Cannot record a %s: %s\n", work.description.c_str(),
                         error.c_str());
            return 1;
        }
        run->PrintStatementCount();
        runs.push_back(std::move(run));
    }
    // The work recorded on a grown file would not replay on a fresh
    // PostgreSQL schema.
    const bool pgApart = GrownWanted(false) && !GrownWanted(true);
    if (PgConninfo() && pgApart)
        std::printf("PostgreSQL runs on a grown database only when HARVEXA_BENCH_GROWN_LINES "
                    "gives its lines.\n");
    for (const bool postgres : {false, true}) {
        if (postgres && (!PgConninfo() || pgApart)) continue;
        const std::string engine = postgres ? "PostgreSQL/" : "SQLite/";
        for (const auto& owned : runs) {
            const Run* run = owned.get();
            const auto raw = [&](const char* floor, const std::vector<RecordedStatement>& s) {
                benchmark::RegisterBenchmark(
                    (engine + floor + "/" + run->Name()).c_str(),
                    [run, postgres, &s](benchmark::State& st) { run->Raw(st, postgres, s); });
            };
            raw("raw-literal", run->literal);
            raw("raw", run->bound);
            raw("raw-counters", run->counters);
            for (const bool shaped : {false, true})
                benchmark::RegisterBenchmark(
                    (engine + (shaped ? "ours/" : "ours-literal/") + run->Name()).c_str(),
                    [run, postgres, shaped](benchmark::State& st) {
                        run->Ours(st, postgres, shaped);
                    });
        }
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(
        ("Cost of the " + work.description + " over the floors of its statements (ours / floor):")
            .c_str(),
        {"raw-literal", "raw", "raw-counters"});
    benchmark::Shutdown();
    return 0;
}

}  // namespace hvxbench

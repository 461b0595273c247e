// Cost of saving a settlement over the raw engine floor of the same
// statements, in one run.
//
// "ours" saves a new 20-line single-source settlement each iteration through
// SaveSettlement, with every lock granted by a bench host and every question
// answered Yes. "raw" replays the statements one such save issues, with the
// same values and transaction bounds, straight through sqlite3 or libpq (see
// StatementReplay.h). They are recorded on the second save of a seeded
// database: the first one also starts the record-number counters, which no
// later save does. Each run's "statements" counter shows that both sides
// issue as many on either engine.
//
// A raw iteration commits like the save; what it inserted is deleted again
// with the clock stopped, so every iteration inserts the same record numbers.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "StatementReplay.h"
#include "data/Schema.h"
#include "platform/HostPort.h"
#include "platform/Session.h"
#include "platform/UiPort.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSave.h"
#include "settlement/SettlementSaveWindow.h"

namespace {

using namespace hvx::settlement;

constexpr int kLines = 20;

// The host grants every lock: the bench measures the save, not waiting.
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

// The clerk answers Yes to every question and OK to every message.
class AgreeingUi final : public hvx::UiPort {
public:
    hvx::MsgAnswer MessageBox(std::string_view, std::string_view, hvx::MsgButtons buttons,
                              hvx::MsgIcon) override {
        const bool question =
            buttons == hvx::MsgButtons::YesNo || buttons == hvx::MsgButtons::YesNoCancel;
        return question ? hvx::MsgAnswer::Yes : hvx::MsgAnswer::Ok;
    }
    void InfoPopup(std::string_view, std::string_view, int, int) override {}
    void Beep() override {}
    void SetFocus(std::string_view) override {}
    void SetWaitCursor(bool) override {}
    double SearchWin(std::string&, std::string_view, std::string_view,
                     std::string_view) override {
        return 0;
    }
    void DoComment(std::string_view, std::string_view) override {}
    std::string OpenFileName(std::string_view, std::string_view, std::string_view) override {
        return {};
    }
    std::string SaveFileName(std::string_view, std::string_view, std::string_view) override {
        return {};
    }
    void ShowHelp(std::string_view, int) override {}
};

GrantingHost host;
AgreeingUi ui;
std::vector<hvxbench::RecordedStatement> recorded;  // the statements of one save

const char* PgConninfo() { return std::getenv("HARVEXA_TEST_PG"); }

std::string Name(const char* who) {
    return std::string("harvexa_bench_save_") + who + "_" + std::to_string(getpid());
}
std::string SqliteFile(const char* who) { return "/tmp/" + Name(who) + ".db"; }
std::string Connection(bool postgres, const char* who) {
    if (!postgres) return "sqlite:" + SqliteFile(who);
    return std::string(PgConninfo()) + " options='-c search_path=" + Name(who) + "'";
}

bool RunAll(const std::vector<std::string>& sql, std::string& error) {
    for (const std::string& s : sql)
        if (!hvx::Session::Get()->ExecScript(s, error)) return false;
    return true;
}

void Discard(bool postgres, const char* who) {
    hvx::Session::Close();
    std::string ignored;
    if (!postgres) {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::remove((SqliteFile(who) + suffix).c_str());
    } else if (hvx::Session::Open(PgConninfo(), ignored)) {
        RunAll({"DROP SCHEMA IF EXISTS " + Name(who) + " CASCADE"}, ignored);
        hvx::Session::Close();
    }
}

// A new settlement of customer C1: every line sells 10.5 units of split
// 7001 at 4.25, with its units row, a checkoff and a moisture grade.
void NewSettlement(SettlementRecordSet& set) {
    static long nextLink = 9000;
    set.header.custRef = "C1", set.header.custName = "Casey Farms";
    set.header.settDate = "03072024", set.header.entryDate = "03082024";
    for (int i = 0; i < kLines; ++i) {
        SettlementDetailItem l;
        l.dlLink = std::to_string(++nextLink);
        l.source = "Assembly", l.sourceRef = "A100", l.sourceLink = "7001";
        l.commodity = "CORN", l.location = "1", l.fromDpr = "Storage Ticket", l.toDpr = "Priced";
        l.unitsSet = 10.5, l.priceUnit = 4.25, l.totPrice = 44.625, l.netAmt = 43.38;
        l.patronage = "T", l.submitted = "F", l.glCode = "21", l.stype = "0";
        l.status = "C", l.oUnits = "0.0000";
        set.units.Add("10.5000", "4.2500", l.dlLink);
        set.deductions.Add("CHECKOFF", "1.25", "D", "F", l.dlLink, "A100", "Assembly");
        set.grades.Add("MOIST", "15.000", l.dlLink, ui);
        set.details.AddLine(std::move(l));
    }
    set.payNames.Add("Casey Farms", false);
}

bool Save(SettlementRecordSet& set, std::string& message) {
    const SettlementWindowValues values;
    SettlementSaveWindow window{set, values, ui, nullptr, message};
    return SaveSettlement(window);
}

// Our session on a fresh database: the schema; one customer, commodity and
// location; assembly A100 whose one split holds more than any run settles;
// and one settlement saved, so that the counters are started.
bool OpenSeeded(bool postgres, const char* who, std::string& error) {
    Discard(postgres, who);
    if (postgres && (!hvx::Session::Open(PgConninfo(), error) ||
                     !RunAll({"CREATE SCHEMA " + Name(who)}, error)))
        return false;
    SettlementRecordSet first;
    NewSettlement(first);
    return hvx::Session::Open(Connection(postgres, who), error) &&
           hvx::data::CreateSchema(error) &&
           RunAll({"INSERT INTO HVXAR50 (REFERENCE,NAME,RECNO) VALUES ('C1','Casey Farms',1)",
                   "INSERT INTO HVXGR51 (REFERENCE,NAME,RECNO) VALUES ('CORN','Yellow Corn',1)",
                   "INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('1','Main Elevator',1)",
                   "INSERT INTO HVXGR52 (REFERENCE,ADVCODE,RECNO) VALUES ('CHECKOFF','0',1)",
                   "INSERT INTO HVXGR40 (CONFIG18,SETTBYTICK,RECNO) VALUES ('41','F',1)",
                   "INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES ('A100','F',1)",
                   "INSERT INTO HVXGR02S (ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,"
                   "SHAREUNITS,SETTUNITS,PSETUNITS,SETTLED,LINEID,RECNO) VALUES ('A100','',"
                   "'CORN','1','Storage Ticket','C1','1000000000.0000','0.0000','0.0000','F',"
                   "'7001',1)"},
                  error) &&
           Save(first, error);
}

void OursSave(benchmark::State& state, bool postgres) {
    std::string message;
    if (!OpenSeeded(postgres, "ours", message)) {
        state.SkipWithError(message.c_str());
        return;
    }
    const long before = hvx::Session::StatementsRun();
    std::optional<SettlementRecordSet> set;
    for (auto _ : state) {
        state.PauseTiming();
        set.emplace();
        NewSettlement(*set);
        state.ResumeTiming();
        if (!Save(*set, message)) {
            state.SkipWithError(message.c_str());
            break;
        }
    }
    // The session counts every statement it runs except its BEGIN.
    if (state.iterations() > 0)
        state.counters["statements"] =
            static_cast<double>(hvx::Session::StatementsRun() - before) /
                static_cast<double>(state.iterations()) + 1;
    Discard(postgres, "ours");
}

// Records the second save of a seeded SQLite database; false with a message.
bool RecordSave(std::string& error) {
    hvxbench::SqliteRecorder recorder;
    const bool opened = OpenSeeded(false, "record", error);
    SettlementRecordSet set;
    NewSettlement(set);
    recorder.Start();
    const bool saved = opened && Save(set, error);
    if (!recorder.Stop(recorded)) error = "The values of a statement could not be read back.";
    Discard(false, "record");
    return saved && error.empty();
}

void RawSave(benchmark::State& state, bool postgres) {
    std::string error;
    if (!OpenSeeded(postgres, "raw", error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    // What the save inserts is deleted again after each iteration: every row
    // beyond the highest record number its table holds now.
    std::map<std::string, std::string> highest;
    for (const hvxbench::RecordedStatement& r : recorded) {
        if (r.sql.rfind("INSERT INTO ", 0) != 0) continue;
        const std::string table = r.sql.substr(12, r.sql.find_first_of(" (", 12) - 12);
        auto probe = hvx::Session::Prepare("SELECT MAX(RECNO) FROM " + table, false, error);
        std::string recno = "0";
        if (probe && hvx::Session::Run(*probe, {}, error) && probe->Next())
            probe->Column(0, recno);
        highest[table] = recno;
    }
    hvx::Session::Close();
    const std::unique_ptr<hvxbench::RawReplay> raw =
        postgres ? hvxbench::RawReplay::Postgres(Connection(true, "raw"), recorded)
                 : hvxbench::RawReplay::Sqlite(SqliteFile("raw"), recorded);
    for (auto _ : state) {
        if (!raw->error.empty() || !raw->RunAll()) {
            state.SkipWithError(raw->error.c_str());
            break;
        }
        state.PauseTiming();
        for (const auto& [table, recno] : highest) {
            raw->Exec("DELETE FROM " + table + " WHERE RECNO > " + recno);
            // PostgreSQL keeps deleted rows until a vacuum, and the same
            // record numbers inserted over them would cost more each time.
            if (postgres) raw->Exec("VACUUM " + table);
        }
        state.ResumeTiming();
    }
    state.counters["statements"] = static_cast<double>(recorded.size());
    Discard(postgres, "raw");
}

// How many statements one save issues, by their first word.
void PrintStatementCount() {
    std::map<std::string, int> byVerb;
    for (const hvxbench::RecordedStatement& r : recorded)
        ++byVerb[r.sql.substr(0, r.sql.find(' '))];
    std::printf("One save of %d lines issues %zu statements:", kLines, recorded.size());
    for (const auto& [verb, count] : byVerb) std::printf(" %d %s", count, verb.c_str());
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    hvx::SetHostPort(&host);
    hvx::SetUiPort(&ui);
    std::string error;
    if (!RecordSave(error)) {
        std::fprintf(stderr, "Cannot record a save: %s\n", error.c_str());
        return 1;
    }
    PrintStatementCount();
    benchmark::RegisterBenchmark("SQLite/raw/save-20-lines", RawSave, false);
    benchmark::RegisterBenchmark("SQLite/ours/save-20-lines", OursSave, false);
    if (PgConninfo()) {
        benchmark::RegisterBenchmark("PostgreSQL/raw/save-20-lines", RawSave, true);
        benchmark::RegisterBenchmark("PostgreSQL/ours/save-20-lines", OursSave, true);
    }
    benchmark::Initialize(&argc, argv);
    hvxbench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("Cost of the save over the raw floor of its statements (ours / raw):");
    benchmark::Shutdown();
    return 0;
}

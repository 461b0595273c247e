// Cost of importing a season of scale tickets over the raw engine floor, in
// one run.
//
// A database with one customer and HARVEXA_BENCH_ASSEMBLIES assembly splits
// (default 1000) is made once per engine. Ours checks and writes a file of
// HARVEXA_BENCH_TICKETS tickets (default 100,000) through the import core:
// every value checked, every reference looked up, each ticket's split link
// worked out and its record number and line link drawn from the counters.
// The raw floor inserts the same rows in one transaction with one prepared
// statement through sqlite3 or libpq, the links and numbers known up front.
// Between runs the tickets and their counters are deleted. PostgreSQL runs
// when HARVEXA_TEST_PG names a server.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BenchDatabase.h"
#include "RatioReporter.h"
#include "data/exchange/ImportCheck.h"
#include "data/exchange/ImportWriter.h"
#include "harvexa-admin/AdminCommands.h"
#include "platform/Session.h"
#include "platform/Statements.h"

namespace {

namespace exchange = hvx::exchange;

using hvxbench::EnvNumber;
using hvxbench::PgConninfo;

const hvxbench::BenchDatabase kBench("import");

std::string Assembly(long i) {
    char text[24];
    std::snprintf(text, sizeof text, "A%05ld", i % EnvNumber("HARVEXA_BENCH_ASSEMBLIES", 1000));
    return text;
}
std::string Ticket(long i) {
    char text[24];
    std::snprintf(text, sizeof text, "T%07ld", i);
    return text;
}

const std::string kHeading = "SCALETICK,ASSEMBLY,CONTRACT,CUSTREF,DPRSTATUS,UNITS,UNITSSET,PRICE\n";
const char* const kTicketTail = ",,FARMER,Storage Ticket,100.0000,0.0000,4.2800\n";

const std::string& TicketFile() {
    static const std::string file = [] {
        std::string text = kHeading;
        for (long i = 0, n = EnvNumber("HARVEXA_BENCH_TICKETS", 100000); i < n; ++i)
            text += Ticket(i) + "," + Assembly(i) + kTicketTail;
        return text;
    }();
    return file;
}

bool Import(const char* kind, const std::string& text, std::string& error) {
    const exchange::ImportCheck check =
        exchange::CheckImport(*exchange::FindExchangeKind(kind), text);
    exchange::ImportCounts counts;
    if (!check.errors.empty()) error = check.errors.front();
    return check.errors.empty() &&
           exchange::WriteImport(*exchange::FindExchangeKind(kind), check.rows, {}, counts, error);
}

// The database with the splits the tickets belong to.
bool Fill(const std::string& target) {
    std::ostringstream out, err;
    if (hvx::admin::InitCommand(target, false, out, err) != 0) {
        std::fprintf(stderr, "%s\n", err.str().c_str());
        return false;
    }
    std::string splits =
        "ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,SETTUNITS,PSETUNITS\n";
    for (long i = 0, n = EnvNumber("HARVEXA_BENCH_ASSEMBLIES", 1000); i < n; ++i)
        splits += Assembly(i) + ",,CORN,01,Storage Ticket,FARMER,10000,0,0\n";
    std::string error;
    const bool seeded = hvx::Session::Open(target, error) &&
                        Import("customers",
                               "REFERENCE,NAME,ADDRESS1,ADDRESS2,CITY,STATE,ZIPCODE,COUNTRY,"
                               "SSTAXIDNUM,SALESMAN,TAXEXEMPT,TAXCODE,REGION,BILLTOREF\n"
                               "FARMER,A Farmer,,,,,,,,,T,,,\n",
                               error) &&
                        Import("commodities",
                               "REFERENCE,NAME,DECIMALS,LBSUNIT,UOM,TAXCODE,STOREDAY,SERVEDAY,"
                               "STOREDAY2,SERVDAY2\nCORN,Corn,4,56,BU,,,,,\n",
                               error) &&
                        Import("locations", "LOCREF,LOCDESC\n01,Main\n", error) &&
                        Import("assembly-splits", splits, error);
    hvx::Session::Close();
    if (!seeded) std::fprintf(stderr, "%s\n", error.c_str());
    return seeded;
}

const std::string& Database(bool postgres) {
    return kBench.Made(postgres, Fill);
}

const char* const kForget =
    "DELETE FROM HVXGR03A; DELETE FROM HVXNEXTNUM WHERE TABLENAME = 'HVXGR03A'";

void Ours(benchmark::State& state, bool postgres) {
    const std::string& file = TicketFile();
    std::string error;
    const std::string& database = Database(postgres);
    if (database.empty() || !hvx::Session::Open(database, error)) {
        state.SkipWithError(("cannot open the database: " + error).c_str());
        return;
    }
    for (auto _ : state) {
        if (!Import("scale-tickets", file, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.PauseTiming();
        hvx::Session::Get()->ExecScript(kForget, error);
        state.ResumeTiming();
    }
    hvx::Session::Close();
}

// Every ticket row as the import writes it: the split link of its assembly,
// its own line link and record number.
std::vector<std::vector<std::string>> TicketRows(const std::map<std::string, std::string>& links) {
    std::vector<std::vector<std::string>> rows;
    for (long i = 0, n = EnvNumber("HARVEXA_BENCH_TICKETS", 100000); i < n; ++i)
        rows.push_back({Ticket(i), Assembly(i), links.at(Assembly(i)), std::to_string(i + 1), "",
                        "FARMER", "Storage Ticket", "100.0000", "0.0000", "4.2800", "F",
                        std::to_string(i + 1)});
    return rows;
}

std::map<std::string, std::string> SplitLinks(const std::string& database) {
    std::map<std::string, std::string> links;
    std::string error;
    std::vector<hvx::SqlRow> rows;
    if (hvx::Session::Open(database, error) &&
        hvx::RunNative(nullptr, "SELECT ASSEMBLY, LINEID FROM HVXGR02S", {}, &rows, error))
        for (const hvx::SqlRow& row : rows) links[row[0]] = row[1];
    hvx::Session::Close();
    return links;
}

const char* const kInsert =
    "INSERT INTO HVXGR03A (SCALETICK,ASSEMBLY,ASSEMLINK,STDLINEID,CONTRACT,CUSTREF,DPRSTATUS,"
    "UNITS,UNITSSET,PRICE,SETTLED,RECNO) VALUES ";

void RawSqlite(benchmark::State& state) {
    const std::string& database = Database(false);
    const auto rows = TicketRows(SplitLinks(database));
    sqlite3* db = nullptr;
    if (database.empty() || sqlite3_open(kBench.SqliteFile().c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        state.SkipWithError("cannot open the database");
        return;
    }
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, (std::string(kInsert) + "(?,?,?,?,?,?,?,?,?,?,?,?)").c_str(), -1,
                       &insert, nullptr);
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (const auto& row : rows) {
            for (int i = 0; i < 12; ++i)
                sqlite3_bind_text(insert, i + 1, row[i].c_str(), -1, SQLITE_STATIC);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_exec(db, kForget, nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
}

void RawPg(benchmark::State& state) {
    const std::string& database = Database(true);
    const auto rows = TicketRows(SplitLinks(database));
    PGconn* conn = database.empty() ? nullptr : PQconnectdb(kBench.PgConnection().c_str());
    if (!conn || PQstatus(conn) != CONNECTION_OK) {
        PQfinish(conn);
        state.SkipWithError("cannot connect");
        return;
    }
    PQclear(PQprepare(conn, "insert",
                      (std::string(kInsert) + "($1,$2,$3,$4,$5,$6,$7,$8,$9,$10,$11,$12)").c_str(),
                      12, nullptr));
    for (auto _ : state) {
        PQclear(PQexec(conn, "BEGIN"));
        for (const auto& row : rows) {
            const char* values[12];
            for (int i = 0; i < 12; ++i) values[i] = row[i].c_str();
            PQclear(PQexecPrepared(conn, "insert", 12, values, nullptr, nullptr, 0));
        }
        PQclear(PQexec(conn, "COMMIT"));
        state.PauseTiming();
        PQclear(PQexec(conn, kForget));
        state.ResumeTiming();
    }
    PQfinish(conn);
}

void Register(const char* engine, bool postgres) {
    hvxbench::RegisterPair(
        engine, "scale-tickets", [postgres](benchmark::State& state) { Ours(state, postgres); },
        [postgres](benchmark::State& state) { postgres ? RawPg(state) : RawSqlite(state); });
}

}  // namespace

int main(int argc, char** argv) {
    return hvxbench::RunOnEngines(
        argc, argv, kBench,
        "Importing scale tickets over the raw engine floor (ours / raw):", Register);
}

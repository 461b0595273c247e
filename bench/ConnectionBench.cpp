// Cost of the connection layer over the raw engine API, in one run.
//
// Each pair runs the same statements — a batch of inserts in one
// transaction, then keyed selects — once through HVXConnection /
// HVXSConnection and once straight through sqlite3 or libpq, and the run
// ends with the ratio of the two. PostgreSQL pairs run when HARVEXA_TEST_PG
// names a server.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "RatioReporter.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"

namespace {

constexpr int kRows = 500;
const char* const kCreate = "CREATE TABLE BENCH (REF TEXT, UNITS TEXT, RECNO BIGINT NOT NULL)";
const char* const kIndex = "CREATE INDEX BENCH_REF ON BENCH (REF)";

std::string SqliteFile(const char* who) {
    return "/tmp/harvexa-bench-" + std::string(who) + "-" + std::to_string(getpid()) + ".db";
}

const char* PgConninfo() { return std::getenv("HARVEXA_TEST_PG"); }

// The raw side gets the same journal settings as our engine, so only the
// layer itself is compared.
sqlite3* OpenRawSqlite(const std::string& file) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr);
    sqlite3_exec(db, kCreate, nullptr, nullptr, nullptr);
    sqlite3_exec(db, kIndex, nullptr, nullptr, nullptr);
    return db;
}

PGconn* OpenRawPg() {
    PGconn* conn = PQconnectdb(PgConninfo());
    if (PQstatus(conn) != CONNECTION_OK) {
        PQfinish(conn);
        return nullptr;
    }
    PQclear(PQexec(conn, "SET client_min_messages = warning"));
    PQclear(PQexec(conn, "DROP TABLE IF EXISTS BENCH"));
    PQclear(PQexec(conn, kCreate));
    PQclear(PQexec(conn, kIndex));
    return conn;
}

// Opens our session on a fresh table of the engine.
bool OpenOurs(bool postgres) {
    std::string error;
    const std::string conn = postgres ? PgConninfo() : "sqlite:" + SqliteFile("ours");
    if (!postgres) std::remove(SqliteFile("ours").c_str());
    if (!hvx::Session::Open(conn, error, hvx::OpenMode::Create)) return false;
    hvx::Engine* e = hvx::Session::Get();
    e->ExecScript("DROP TABLE IF EXISTS BENCH", error);
    return e->ExecScript(kCreate, error) && e->ExecScript(kIndex, error);
}

void OursInsertAndSelect(benchmark::State& state, bool postgres) {
    if (!OpenOurs(postgres)) {
        state.SkipWithError("cannot open the database");
        return;
    }
    const char* insert = "INSERT INTO BENCH (REF,UNITS,RECNO) VALUES (?,?,?)";
    const char* select = "SELECT UNITS FROM BENCH WHERE REF = ?";
    long long recno = 0;
    for (auto _ : state) {
        HVXConnection p;
        p.BeginTran("SELECT RECNO FROM BENCH");
        for (int i = 0; i < kRows; ++i) {
            const std::string ref = "R" + std::to_string(++recno);
            p.BindParam(insert, ref.c_str(), 0);
            p.BindParam(insert, "12.5000", 0);
            p.BindDoubleParam(insert, static_cast<double>(recno));
            p.ExecuteSQL(insert);
        }
        p.CommitTran("SELECT RECNO FROM BENCH");
        for (int i = 0; i < kRows; ++i) {
            const std::string ref = "R" + std::to_string(recno - i);
            p.BindParam(select, ref.c_str(), 0);
            p.ExecuteSQL(select);
            if (p.FetchNext(select)) benchmark::DoNotOptimize(p.ColumnVar(select, 1));
        }
    }
    hvx::Session::Close();
}

void OursLiteralSelect(benchmark::State& state, bool postgres) {
    if (!OpenOurs(postgres)) {
        state.SkipWithError("cannot open the database");
        return;
    }
    HVXSConnection s;
    for (int i = 1; i <= kRows; ++i)
        s.ExecSQLChange(_HVXsprintf("INSERT INTO BENCH (REF,UNITS,RECNO) VALUES ('R%d','1.0000',%d)", i, i));
    char units[32];
    for (auto _ : state) {
        for (int i = 1; i <= kRows; ++i) {
            s.ExecSQL(_HVXsprintf("SELECT UNITS FROM BENCH WHERE REF='%s'", "R" + std::to_string(i)));
            if (s.FetchNext()) s.GetColumnChar(1, units, sizeof units);
            benchmark::DoNotOptimize(units);
        }
    }
    hvx::Session::Close();
}

void RawSqliteInsertAndSelect(benchmark::State& state) {
    const std::string file = SqliteFile("raw");
    std::remove(file.c_str());
    sqlite3* db = OpenRawSqlite(file);
    sqlite3_stmt *ins = nullptr, *sel = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO BENCH (REF,UNITS,RECNO) VALUES (?,?,?)", -1, &ins, nullptr);
    sqlite3_prepare_v2(db, "SELECT UNITS FROM BENCH WHERE REF = ?", -1, &sel, nullptr);
    long long recno = 0;
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (int i = 0; i < kRows; ++i) {
            const std::string ref = "R" + std::to_string(++recno);
            sqlite3_bind_text(ins, 1, ref.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(ins, 2, "12.5000", -1, SQLITE_STATIC);
            sqlite3_bind_int64(ins, 3, recno);
            sqlite3_step(ins);
            sqlite3_reset(ins);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        for (int i = 0; i < kRows; ++i) {
            const std::string ref = "R" + std::to_string(recno - i);
            sqlite3_bind_text(sel, 1, ref.c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(sel) == SQLITE_ROW) benchmark::DoNotOptimize(sqlite3_column_text(sel, 0));
            sqlite3_reset(sel);
        }
    }
    sqlite3_finalize(ins);
    sqlite3_finalize(sel);
    sqlite3_close(db);
    std::remove(file.c_str());
}

void RawSqliteLiteralSelect(benchmark::State& state) {
    const std::string file = SqliteFile("rawlit");
    std::remove(file.c_str());
    sqlite3* db = OpenRawSqlite(file);
    for (int i = 1; i <= kRows; ++i) {
        const std::string sql = "INSERT INTO BENCH VALUES ('R" + std::to_string(i) + "','1.0000'," +
                                std::to_string(i) + ")";
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    }
    char units[32];
    for (auto _ : state) {
        for (int i = 1; i <= kRows; ++i) {
            const std::string sql = "SELECT UNITS FROM BENCH WHERE REF='R" + std::to_string(i) + "'";
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
            if (sqlite3_step(st) == SQLITE_ROW)
                std::snprintf(units, sizeof units, "%s", sqlite3_column_text(st, 0));
            sqlite3_finalize(st);
            benchmark::DoNotOptimize(units);
        }
    }
    sqlite3_close(db);
    std::remove(file.c_str());
}

void RawPgInsertAndSelect(benchmark::State& state) {
    PGconn* conn = OpenRawPg();
    if (!conn) {
        state.SkipWithError("cannot connect");
        return;
    }
    PQclear(PQprepare(conn, "ins", "INSERT INTO BENCH (REF,UNITS,RECNO) VALUES ($1,$2,$3)", 0, nullptr));
    PQclear(PQprepare(conn, "sel", "SELECT UNITS FROM BENCH WHERE REF = $1", 0, nullptr));
    long long recno = 0;
    for (auto _ : state) {
        PQclear(PQexec(conn, "BEGIN"));
        for (int i = 0; i < kRows; ++i) {
            const std::string ref = "R" + std::to_string(++recno), num = std::to_string(recno);
            const char* values[3] = {ref.c_str(), "12.5000", num.c_str()};
            PQclear(PQexecPrepared(conn, "ins", 3, values, nullptr, nullptr, 0));
        }
        PQclear(PQexec(conn, "COMMIT"));
        for (int i = 0; i < kRows; ++i) {
            const std::string ref = "R" + std::to_string(recno - i);
            const char* values[1] = {ref.c_str()};
            PGresult* r = PQexecPrepared(conn, "sel", 1, values, nullptr, nullptr, 0);
            if (PQntuples(r) > 0) benchmark::DoNotOptimize(PQgetvalue(r, 0, 0));
            PQclear(r);
        }
    }
    PQclear(PQexec(conn, "DROP TABLE BENCH"));
    PQfinish(conn);
}

void RawPgLiteralSelect(benchmark::State& state) {
    PGconn* conn = OpenRawPg();
    if (!conn) {
        state.SkipWithError("cannot connect");
        return;
    }
    for (int i = 1; i <= kRows; ++i) {
        const std::string sql = "INSERT INTO BENCH VALUES ('R" + std::to_string(i) + "','1.0000'," +
                                std::to_string(i) + ")";
        PQclear(PQexec(conn, sql.c_str()));
    }
    char units[32];
    for (auto _ : state) {
        for (int i = 1; i <= kRows; ++i) {
            const std::string sql = "SELECT UNITS FROM BENCH WHERE REF='R" + std::to_string(i) + "'";
            PGresult* r = PQexecParams(conn, sql.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0);
            if (PQntuples(r) > 0) std::snprintf(units, sizeof units, "%s", PQgetvalue(r, 0, 0));
            PQclear(r);
            benchmark::DoNotOptimize(units);
        }
    }
    PQclear(PQexec(conn, "DROP TABLE BENCH"));
    PQfinish(conn);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("SQLite/raw/insert+select", RawSqliteInsertAndSelect);
    benchmark::RegisterBenchmark("SQLite/ours/insert+select", OursInsertAndSelect, false);
    benchmark::RegisterBenchmark("SQLite/raw/literal-select", RawSqliteLiteralSelect);
    benchmark::RegisterBenchmark("SQLite/ours/literal-select", OursLiteralSelect, false);
    if (PgConninfo()) {
        benchmark::RegisterBenchmark("PostgreSQL/raw/insert+select", RawPgInsertAndSelect);
        benchmark::RegisterBenchmark("PostgreSQL/ours/insert+select", OursInsertAndSelect, true);
        benchmark::RegisterBenchmark("PostgreSQL/raw/literal-select", RawPgLiteralSelect);
        benchmark::RegisterBenchmark("PostgreSQL/ours/literal-select", OursLiteralSelect, true);
    }
    benchmark::Initialize(&argc, argv);
    hvxbench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("Overhead of the connection layer over the raw engine (ours / raw):");
    benchmark::Shutdown();
    return 0;
}

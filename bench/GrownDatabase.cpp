#include "GrownDatabase.h"

#include <libpq-fe.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "BenchDatabase.h"
#include "harvexa-admin/AdminCommands.h"

namespace hvxbench {
namespace {

long GrownLines() { return EnvNumber("HARVEXA_BENCH_GROWN_LINES", 0); }

std::string GrownPath() {
    const char* path = std::getenv("HARVEXA_BENCH_GROWN");
    if (path && *path) return path;
    const long lines = GrownLines();
    return lines > 0 ? "/tmp/harvexa_bench_grown_" + std::to_string(lines) + ".db" : "";
}

// The demo cooperative, then the generated settlements after its own.
bool Make(const std::string& database, std::string& error) {
    std::ostringstream out, err;
    hvx::admin::GenerateOptions options;
    options.lines = GrownLines();
    options.settlements = std::max(1L, options.lines / 20);
    options.force = true;
    std::printf("Making a grown database of %ld lines...\n", options.lines);
    std::fflush(stdout);
    const bool made = hvx::admin::DemoCommand(database, out, err) == hvx::admin::kExitOk &&
                      hvx::admin::GenerateCommand(database, options, out, err) == hvx::admin::kExitOk;
    if (!made) error = err.str();
    return made;
}

// One statement on the server, outside a transaction (CREATE DATABASE cannot
// run in one); the number of rows it returned, or -1 with a message.
int ServerRun(const std::string& server, const std::string& sql, std::string& error) {
    PGconn* conn = PQconnectdb(server.c_str());
    // "does not exist, skipping" is no news to a benchmark.
    PQsetNoticeProcessor(conn, [](void*, const char*) {}, nullptr);
    PGresult* res = PQexec(conn, sql.c_str());
    const ExecStatusType status = PQresultStatus(res);
    int rows = status == PGRES_TUPLES_OK ? PQntuples(res) : 0;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        error = res ? PQresultErrorMessage(res) : PQerrorMessage(conn);
        rows = -1;
    }
    PQclear(res);
    PQfinish(conn);
    return rows;
}

// Made under another name and renamed when whole: half a database would be
// taken for a whole one by the next run.
bool MakePg(const std::string& server, const std::string& grown, std::string& error) {
    const std::string making = grown + "_making";
    return ServerRun(server, "DROP DATABASE IF EXISTS " + making, error) >= 0 &&
           ServerRun(server, "CREATE DATABASE " + making, error) >= 0 &&
           Make(server + " dbname=" + making, error) &&
           ServerRun(server, "ALTER DATABASE " + making + " RENAME TO " + grown, error) >= 0;
}

}  // namespace

bool GrownWanted(bool postgres) { return postgres ? GrownLines() > 0 : !GrownPath().empty(); }

bool CopyGrown(const std::string& file, std::string& error) {
    static bool ready = false;
    const std::string path = GrownPath();
    if (!ready && !std::filesystem::exists(path)) {
        if (GrownLines() <= 0) {
            error = path + " does not exist, and HARVEXA_BENCH_GROWN_LINES asks for none.";
            return false;
        }
        if (!Make(path, error)) {
            std::filesystem::remove(path);
            return false;
        }
    }
    ready = true;
    std::error_code failed;
    std::filesystem::copy_file(path, file, std::filesystem::copy_options::overwrite_existing,
                               failed);
    if (failed) error = "Cannot copy " + path + ": " + failed.message();
    return !failed;
}

bool CopyGrownPg(const std::string& server, const std::string& database, std::string& error) {
    static bool ready = false;
    const std::string grown = "harvexa_bench_grown_" + std::to_string(GrownLines());
    if (!ready) {
        const int found =
            ServerRun(server, "SELECT 1 FROM pg_database WHERE datname = '" + grown + "'", error);
        if (found < 0 || (found == 0 && !MakePg(server, grown, error))) return false;
        ready = true;
    }
    // The server refuses to copy a database another session is connected to,
    // as its autovacuum may be for a moment.
    for (int attempt = 0; attempt < 10; ++attempt, sleep(1)) {
        error.clear();
        if (ServerRun(server, "CREATE DATABASE " + database + " TEMPLATE " + grown, error) >= 0)
            return true;
    }
    return false;
}

void DropPg(const std::string& server, const std::string& database) {
    std::string ignored;
    ServerRun(server, "DROP DATABASE IF EXISTS " + database, ignored);
}

}  // namespace hvxbench

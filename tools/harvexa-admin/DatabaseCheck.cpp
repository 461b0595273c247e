#include "harvexa-admin/DatabaseCheck.h"

#include "data/Schema.h"
#include "platform/Session.h"
#include "platform/Statements.h"

namespace hvx::admin {
namespace {

// SQLite checks its own pages: every finding is a row, a sound file gives the
// single row "ok". A file too damaged to check at all fails the statement.
CheckResult SqliteCheck(bool quick) {
    CheckResult result;
    result.checked = quick ? "quick check" : "integrity check";
    std::vector<SqlRow> rows;
    std::string error;
    if (!RunNative(Session::Get(), quick ? "PRAGMA quick_check" : "PRAGMA integrity_check", {},
                   &rows, error)) {
        result.findings.push_back(error);
        return result;
    }
    for (const SqlRow& row : rows)
        if (!row.empty() && row.front() != "ok") result.findings.push_back(row.front());
    return result;
}

// PostgreSQL has no check of its own that every server offers; the nearest is
// to read every row of every Harvexa table, which makes the server meet each
// of their pages (and test its checksum where the cluster keeps them).
CheckResult PostgresCheck() {
    CheckResult result;
    int tables = 0;
    for (const data::TableDesc& table : data::AllTables()) {
        if (!Session::Get()->TableExists(table.name)) continue;
        ++tables;
        std::vector<SqlRow> rows;
        std::string error;
        if (!RunNative(Session::Get(), std::string("SELECT * FROM ") + table.name, {}, &rows,
                       error))
            result.findings.push_back(std::string(table.name) + ": " + error);
    }
    result.checked = "every row of " + std::to_string(tables) + " Harvexa tables read";
    return result;
}

}  // namespace

CheckResult CheckDatabase(bool quick) {
    if (Session::Kind() == EngineKind::SQLite) return SqliteCheck(quick);
    // Reading everything is too slow to do before every summary; the summary
    // reads what it shows and fails on what the server cannot read.
    if (quick) return {{}, "nothing (no quick check on PostgreSQL)"};
    return PostgresCheck();
}

}  // namespace hvx::admin

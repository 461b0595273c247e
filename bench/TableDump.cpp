#include "TableDump.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <vector>

namespace hvxbench {
namespace {

// One value as it stands in the dump; null for NULL.
std::string Field(const char* text) {
    if (!text) return "\\N";
    std::string field;
    for (const char* c = text; *c; ++c) {
        switch (*c) {
            case '\\': field += "\\\\"; break;
            case '\t': field += "\\t"; break;
            case '\n': field += "\\n"; break;
            case '\r': field += "\\r"; break;
            default: field += *c;
        }
    }
    return field;
}

struct Table {
    std::vector<std::string> columns;
    std::vector<std::string> rows;  // each row's fields joined by tabs

    void Add(const std::vector<std::string>& fields) {
        std::string row;
        for (std::size_t i = 0; i < fields.size(); ++i) row += (i ? "\t" : "") + fields[i];
        rows.push_back(std::move(row));
    }
    // The rows in the order of their text: the engines return them in no
    // order of their own that two builds would share.
    void Write(const std::string& name, std::ostream& out) {
        std::ranges::sort(rows);
        out << "TABLE " << name << "\n";
        for (std::size_t i = 0; i < columns.size(); ++i) out << (i ? "\t" : "") << columns[i];
        out << "\n";
        for (const std::string& row : rows) out << row << "\n";
    }
};

class SqliteFile {
public:
    explicit SqliteFile(const std::string& file) {
        if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            Fail();
    }
    ~SqliteFile() { sqlite3_close_v2(db_); }

    // The rows of a query, every column as text; false at an error.
    bool Read(const std::string& sql, Table& table) {
        sqlite3_stmt* st = nullptr;
        if (!error.empty() || sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            return Fail();
        const int n = sqlite3_column_count(st);
        for (int i = 0; i < n; ++i) table.columns.push_back(sqlite3_column_name(st, i));
        int rc;
        std::vector<std::string> fields(static_cast<std::size_t>(n));
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            for (int i = 0; i < n; ++i)
                fields[static_cast<std::size_t>(i)] =
                    Field(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
            table.Add(fields);
        }
        sqlite3_finalize(st);
        return rc == SQLITE_DONE || Fail();
    }
    std::string error;

private:
    bool Fail() {
        if (error.empty()) error = db_ ? sqlite3_errmsg(db_) : "out of memory";
        return false;
    }
    sqlite3* db_ = nullptr;
};

class PgServer {
public:
    explicit PgServer(const std::string& conninfo) : conn_(PQconnectdb(conninfo.c_str())) {
        // Dates in one style whatever the server's default.
        Table ignored;
        Read("SET datestyle = 'ISO, MDY'", ignored);
    }
    ~PgServer() { PQfinish(conn_); }

    bool Read(const std::string& sql, Table& table) {
        if (!error.empty()) return false;
        PGresult* res = PQexec(conn_, sql.c_str());
        const ExecStatusType status = PQresultStatus(res);
        const bool ok = status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK;
        if (!ok) error = res ? PQresultErrorMessage(res) : PQerrorMessage(conn_);
        const int n = ok ? PQnfields(res) : 0;
        for (int i = 0; i < n; ++i) table.columns.push_back(PQfname(res, i));
        std::vector<std::string> fields(static_cast<std::size_t>(n));
        for (int r = 0; ok && r < PQntuples(res); ++r) {
            for (int i = 0; i < n; ++i)
                fields[static_cast<std::size_t>(i)] =
                    Field(PQgetisnull(res, r, i) ? nullptr : PQgetvalue(res, r, i));
            table.Add(fields);
        }
        PQclear(res);
        return ok;
    }
    std::string error;

private:
    PGconn* conn_;
};

// Every table the catalog query names, in the order of their names.
template <class Database>
bool DumpAll(Database& db, const std::string& catalog, std::ostream& out, std::string& error) {
    Table names;
    if (!db.Read(catalog, names)) {
        error = db.error;
        return false;
    }
    std::ranges::sort(names.rows);
    for (const std::string& name : names.rows) {
        Table table;
        if (!db.Read("SELECT * FROM \"" + name + "\"", table)) {
            error = db.error;
            return false;
        }
        table.Write(name, out);
    }
    return static_cast<bool>(out) || (error = "The dump could not be written.", false);
}

}  // namespace

bool DumpSqlite(const std::string& file, std::ostream& out, std::string& error) {
    SqliteFile db(file);
    return DumpAll(db,
                   "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                   "'sqlite\\_%' ESCAPE '\\'",
                   out, error);
}

bool DumpPostgres(const std::string& conninfo, std::ostream& out, std::string& error) {
    PgServer db(conninfo);
    return DumpAll(db,
                   "SELECT table_name FROM information_schema.tables WHERE table_schema = "
                   "current_schema() AND table_type = 'BASE TABLE'",
                   out, error);
}

}  // namespace hvxbench

#include "StatementReplay.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string_view>

namespace hvxbench {
namespace {

using Kind = RecordedValue::Kind;

std::vector<RecordedStatement> recorded;
bool recording = false;
bool unreadable = false;

// The bound values, read back from the expanded text, where each "?" of the
// statement stands as a quoted text, a number or NULL.
std::vector<RecordedValue> ValuesOf(std::string_view sql, std::string_view expanded) {
    std::vector<RecordedValue> values;
    char quote = 0;
    for (size_t i = 0, j = 0; i < sql.size() && j < expanded.size(); ++i) {
        const char c = sql[i];
        if (quote || c != '?') {
            quote = quote ? (c == quote ? 0 : quote) : (c == '\'' || c == '"' ? c : 0);
            ++j;
            continue;
        }
        RecordedValue v;
        if (expanded[j] == '\'') {
            v.kind = Kind::Text;
            for (++j; j < expanded.size(); ++j) {
                if (expanded[j] == '\'') {
                    if (j + 1 >= expanded.size() || expanded[j + 1] != '\'') break;
                    ++j;  // a doubled quote stands for one
                }
                v.text += expanded[j];
            }
            ++j;
        } else if (expanded.substr(j, 4) == "NULL") {
            j += 4;
        } else {
            const size_t end =
                std::min(expanded.find_first_not_of("+-.0123456789eE", j), expanded.size());
            v.text = expanded.substr(j, end - j);
            v.kind = v.text.find_first_of(".eE") == std::string::npos ? Kind::Integer : Kind::Real;
            j = end;
        }
        values.push_back(std::move(v));
    }
    return values;
}

int Record(unsigned, void*, void* statement, void*) {
    auto* stmt = static_cast<sqlite3_stmt*>(statement);
    const char* sql = sqlite3_sql(stmt);
    // Trigger programs report themselves as "-- name": not statements of ours.
    if (!recording || !sql || std::strncmp(sql, "--", 2) == 0) return 0;
    char* expanded = sqlite3_expanded_sql(stmt);
    const int count = sqlite3_bind_parameter_count(stmt);
    recorded.push_back({sql, ValuesOf(sql, expanded ? expanded : ""), count > 0});
    unreadable = unreadable || static_cast<int>(recorded.back().values.size()) != count;
    sqlite3_free(expanded);
    return 0;
}

int TraceConnection(sqlite3* db, const char**, const void*) {
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, Record, nullptr);
    return SQLITE_OK;
}

// The one function type sqlite3_auto_extension takes.
const auto kTraceEntry = reinterpret_cast<void (*)()>(TraceConnection);

class RawSqlite final : public RawReplay {
public:
    RawSqlite(const std::string& file, const std::vector<RecordedStatement>& statements)
        : RawReplay(statements) {
        if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK ||
            !Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;"))
            return;
        for (const RecordedStatement& s : statements_) {
            sqlite3_stmt*& st = byText_[s.sql];
            if (s.bound && !st && sqlite3_prepare_v2(db_, s.sql.c_str(), -1, &st, nullptr))
                Fail();
            prepared_.push_back(st);
        }
    }
    ~RawSqlite() override {
        for (const auto& [text, st] : byText_) sqlite3_finalize(st);
        sqlite3_close_v2(db_);
    }
    bool Exec(const std::string& sql) override {
        return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK || Fail();
    }

private:
    bool Run(size_t i) override {
        const RecordedStatement& s = statements_[i];
        sqlite3_stmt* st = prepared_[i];
        if (!s.bound && sqlite3_prepare_v2(db_, s.sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            return Fail();
        for (int p = 0; p < static_cast<int>(s.values.size()); ++p) {
            const RecordedValue& v = s.values[p];
            if (v.kind == Kind::Text)
                sqlite3_bind_text(st, p + 1, v.text.c_str(), -1, SQLITE_STATIC);
            else if (v.kind == Kind::Integer)
                sqlite3_bind_int64(st, p + 1, std::atoll(v.text.c_str()));
            else if (v.kind == Kind::Real)
                sqlite3_bind_double(st, p + 1, std::atof(v.text.c_str()));
            else
                sqlite3_bind_null(st, p + 1);
        }
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            benchmark::DoNotOptimize(sqlite3_column_text(st, 0));
        const bool ok = rc == SQLITE_DONE || Fail();
        s.bound ? sqlite3_reset(st) : sqlite3_finalize(st);
        return ok;
    }
    bool Fail() {
        error = sqlite3_errmsg(db_);
        return false;
    }
    sqlite3* db_ = nullptr;
    std::map<std::string, sqlite3_stmt*> byText_;  // the bound statements, prepared once
    std::vector<sqlite3_stmt*> prepared_;          // by statement; null for literal SQL
};

// Server types that take no empty text: int8, int2, int4, float4, float8,
// date, timestamp, numeric.
constexpr Oid kRejectsEmpty[] = {20, 21, 23, 700, 701, 1082, 1114, 1700};

class RawPg final : public RawReplay {
public:
    RawPg(const std::string& conninfo, const std::vector<RecordedStatement>& statements)
        : RawReplay(statements), conn_(PQconnectdb(conninfo.c_str())) {
        // The session our engine sets up.
        if (!Exec("SET datestyle = 'SQL, MDY'; SET standard_conforming_strings = on")) return;
        std::map<std::string, std::string> names;
        for (const RecordedStatement& s : statements_) {
            texts_.push_back(s.sql == "BEGIN IMMEDIATE" ? "BEGIN" : Numbered(s.sql));
            values_.emplace_back();
            if (!s.bound) continue;
            std::string& name = names[texts_.back()];
            if (name.empty()) {
                name = "s" + std::to_string(names.size());
                Done(PQprepare(conn_, name.c_str(), texts_.back().c_str(), 0, nullptr));
            }
            texts_.back() = name;
            // Bound as our engine binds them: an empty text is no value for a
            // type that cannot hold one.
            PGresult* desc = PQdescribePrepared(conn_, name.c_str());
            for (int p = 0; p < PQnparams(desc) && p < static_cast<int>(s.values.size()); ++p) {
                const RecordedValue& v = s.values[p];
                const bool rejectsEmpty = std::ranges::find(kRejectsEmpty, PQparamtype(desc, p)) !=
                                          std::end(kRejectsEmpty);
                const bool none = v.kind == Kind::Null || (v.text.empty() && rejectsEmpty);
                values_.back().push_back(none ? nullptr : v.text.c_str());
            }
            PQclear(desc);
        }
    }
    ~RawPg() override { PQfinish(conn_); }
    bool Exec(const std::string& sql) override { return Done(PQexec(conn_, sql.c_str())); }

private:
    bool Run(size_t i) override {
        const std::vector<const char*>& v = values_[i];
        if (!statements_[i].bound)
            return Done(PQexecParams(conn_, texts_[i].c_str(), 0, nullptr, nullptr, nullptr,
                                     nullptr, 0));
        return Done(PQexecPrepared(conn_, texts_[i].c_str(), static_cast<int>(v.size()),
                                   v.data(), nullptr, nullptr, 0));
    }
    // The statement with PostgreSQL's numbered placeholders.
    static std::string Numbered(const std::string& sql) {
        std::string out;
        char quote = 0;
        int n = 0;
        for (const char c : sql) {
            quote = quote ? (c == quote ? 0 : quote) : (c == '\'' || c == '"' ? c : 0);
            out += !quote && c == '?' ? "$" + std::to_string(++n) : std::string(1, c);
        }
        return out;
    }
    bool Done(PGresult* res) {
        const ExecStatusType st = PQresultStatus(res);
        if (st == PGRES_TUPLES_OK && PQntuples(res) > 0)
            benchmark::DoNotOptimize(PQgetvalue(res, 0, 0));
        const bool ok = st == PGRES_TUPLES_OK || st == PGRES_COMMAND_OK;
        if (!ok) error = res ? PQresultErrorMessage(res) : PQerrorMessage(conn_);
        PQclear(res);
        return ok;
    }
    PGconn* conn_;
    std::vector<std::string> texts_;  // the SQL, or the prepared name of a bound statement
    std::vector<std::vector<const char*>> values_;
};

}  // namespace

SqliteRecorder::SqliteRecorder() { sqlite3_auto_extension(kTraceEntry); }
SqliteRecorder::~SqliteRecorder() { sqlite3_cancel_auto_extension(kTraceEntry); }

void SqliteRecorder::Start() {
    recorded.clear();
    unreadable = false;
    recording = true;
}

bool SqliteRecorder::Stop(std::vector<RecordedStatement>& statements) {
    recording = false;
    statements = std::move(recorded);
    return !unreadable;
}

std::unique_ptr<RawReplay> RawReplay::Sqlite(const std::string& file,
                                             const std::vector<RecordedStatement>& statements) {
    return std::make_unique<RawSqlite>(file, statements);
}

std::unique_ptr<RawReplay> RawReplay::Postgres(const std::string& conninfo,
                                               const std::vector<RecordedStatement>& statements) {
    return std::make_unique<RawPg>(conninfo, statements);
}

}  // namespace hvxbench

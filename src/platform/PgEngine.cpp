// PostgreSQL behind the engine interface: the shared database of a
// cooperative with several workstations.
#include <libpq-fe.h>

#include <cctype>
#include <cstdlib>
#include <unordered_map>

#include "platform/ConnectionPassword.h"
#include "platform/EngineFactories.h"
#include "platform/Text.h"

namespace hvx {
namespace {

// Type numbers of the server's built-in types that cannot take an empty text.
constexpr Oid kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701, kDate = 1082,
              kTimestamp = 1114, kNumeric = 1700;

bool RejectsEmptyText(Oid type) {
    switch (type) {
        case kInt8: case kInt2: case kInt4: case kFloat4: case kFloat8:
        case kDate: case kTimestamp: case kNumeric:
            return true;
        default:
            return false;
    }
}

std::string ServerMessage(PGconn* conn, const PGresult* res) {
    std::string m = res ? PQresultErrorMessage(res) : "";
    if (m.empty()) m = PQerrorMessage(conn);
    TRIM(m);
    return m;
}

// A value of a result row, as text; false (and empty) for NULL or no such value.
bool ValueOf(const PGresult* result, int row, int index, std::string_view& out) {
    out = {};
    if (!result || row < 0 || row >= PQntuples(result) || index < 0 || index >= PQnfields(result) ||
        PQgetisnull(result, row, index))
        return false;
    out = std::string_view(PQgetvalue(result, row, index),
                           static_cast<size_t>(PQgetlength(result, row, index)));
    return true;
}

class PgStatement final : public Statement {
public:
    // name is empty for literal SQL, which runs unnamed each time.
    PgStatement(PGconn* conn, std::string sql, std::string name, std::vector<Oid> types)
        : conn_(conn), sql_(std::move(sql)), name_(std::move(name)), types_(std::move(types)) {}
    ~PgStatement() override { PQclear(result_); }

    bool Execute(const std::vector<Param>& params, std::string& error) override {
        PQclear(result_);
        result_ = nullptr;
        row_ = -1;
        changes_ = 0;
        std::vector<const char*> values(types_.size(), nullptr);
        for (size_t i = 0; i < types_.size() && i < params.size(); ++i) {
            const Param& p = params[i];
            // An empty text means "no value" for a date or number column.
            const bool null = p.kind == Param::Kind::Null ||
                              (p.text.empty() && RejectsEmptyText(types_[i]));
            values[i] = null ? nullptr : p.text.c_str();
        }
        const int n = static_cast<int>(values.size());
        result_ = name_.empty()
                      ? PQexecParams(conn_, sql_.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0)
                      : PQexecPrepared(conn_, name_.c_str(), n, values.data(), nullptr, nullptr, 0);
        const ExecStatusType st = PQresultStatus(result_);
        if (st == PGRES_TUPLES_OK) return true;
        if (st == PGRES_COMMAND_OK) {
            changes_ = std::atoll(PQcmdTuples(result_));
            return true;
        }
        error = ServerMessage(conn_, result_);
        PQclear(result_);
        result_ = nullptr;
        return false;
    }

    bool Next() override {
        if (!result_ || PQresultStatus(result_) != PGRES_TUPLES_OK) return false;
        if (row_ + 1 >= PQntuples(result_)) {
            row_ = PQntuples(result_);
            return false;
        }
        ++row_;
        return true;
    }

    int ColumnCount() const override { return result_ ? PQnfields(result_) : 0; }
    int ParamCount() const override { return static_cast<int>(types_.size()); }
    long long Changes() const override { return changes_; }

    bool ColumnView(int index, std::string_view& out) const override {
        return ValueOf(result_, row_, index, out);
    }

private:
    PGconn* conn_;
    std::string sql_;
    std::string name_;
    std::vector<Oid> types_;
    PGresult* result_ = nullptr;
    int row_ = -1;
    long long changes_ = 0;
};

// A session set up as the module expects it. Null with a message.
PGconn* Connect(const std::string& conninfo, std::string& error) {
    PGconn* conn = PQconnectdb(conninfo.c_str());
    // libpq's messages about a connection text quote pieces of it.
    const auto shown = [&](std::string text) {
        TRIM(text);
        return MaskPasswords(text, conninfo);
    };
    if (PQstatus(conn) != CONNECTION_OK) {
        error = "Cannot connect to the PostgreSQL server: " + shown(PQerrorMessage(conn));
        PQfinish(conn);
        return nullptr;
    }
    // Dates come back as "MM/DD/YYYY", and notices of the schema scripts stay quiet.
    PGresult* res = PQexec(conn,
                           "SET datestyle = 'SQL, MDY'; SET client_min_messages = warning; "
                           "SET standard_conforming_strings = on");
    const bool ok = PQresultStatus(res) == PGRES_COMMAND_OK;
    PQclear(res);
    if (!ok) {
        error = "Cannot set up the PostgreSQL session: " + shown(PQerrorMessage(conn));
        PQfinish(conn);
        return nullptr;
    }
    return conn;
}

// A long read on a session of its own: a cursor in a read-only transaction
// there, fetched a batch at a time, so neither this process nor the server
// holds every row at once and the main session stays free for the
// statements the reader interleaves (and for the saves of other windows).
class PgCursorStatement final : public Statement {
public:
    PgCursorStatement(PGconn* conn, std::string sql) : conn_(conn), sql_(std::move(sql)) {}
    ~PgCursorStatement() override {
        PQclear(batch_);
        PQfinish(conn_);
    }

    bool Execute(const std::vector<Param>&, std::string& error) override {
        if (!Command("BEGIN READ ONLY", error) ||
            !Command("DECLARE hvx_long_read NO SCROLL CURSOR FOR " + sql_, error))
            return false;
        return Fetch(error);
    }

    bool Next() override {
        if (!batch_) return false;
        if (row_ + 1 < PQntuples(batch_)) {
            ++row_;
            return true;
        }
        // A short batch was the last one.
        if (PQntuples(batch_) < kBatchRows) return false;
        std::string error;
        if (!Fetch(error) || PQntuples(batch_) == 0) return false;
        row_ = 0;
        return true;
    }

    int ColumnCount() const override { return batch_ ? PQnfields(batch_) : 0; }
    int ParamCount() const override { return 0; }
    long long Changes() const override { return 0; }

    bool ColumnView(int index, std::string_view& out) const override {
        return ValueOf(batch_, row_, index, out);
    }

private:
    static constexpr int kBatchRows = 50000;

    bool Command(const std::string& sql, std::string& error) {
        PGresult* res = PQexec(conn_, sql.c_str());
        const bool ok = PQresultStatus(res) == PGRES_COMMAND_OK;
        if (!ok) error = ServerMessage(conn_, res);
        PQclear(res);
        return ok;
    }

    // The next batch: the one asked for while the last was being read, or a
    // new request. The batch after it is asked for at once, so the server
    // reads it while this one is stepped through.
    bool Fetch(std::string& error) {
        PQclear(batch_);
        batch_ = nullptr;
        row_ = -1;
        if (!pending_ && !Request()) {
            error = ServerMessage(conn_, nullptr);
            return false;
        }
        pending_ = false;
        batch_ = PQgetResult(conn_);
        // A request has one result, then none.
        while (PGresult* extra = PQgetResult(conn_)) PQclear(extra);
        if (PQresultStatus(batch_) != PGRES_TUPLES_OK) {
            error = ServerMessage(conn_, batch_);
            PQclear(batch_);
            batch_ = nullptr;
            return false;
        }
        if (PQntuples(batch_) == kBatchRows) pending_ = Request();
        return true;
    }

    bool Request() {
        return PQsendQuery(conn_, ("FETCH FORWARD " + std::to_string(kBatchRows) +
                                   " FROM hvx_long_read").c_str()) == 1;
    }

    PGconn* conn_;
    std::string sql_;
    PGresult* batch_ = nullptr;
    bool pending_ = false;  // a batch has been asked for and not yet taken
    int row_ = -1;
};

class PgEngine final : public Engine {
public:
    PgEngine(PGconn* conn, std::string describe, std::string conninfo)
        : conn_(conn), describe_(std::move(describe)), conninfo_(std::move(conninfo)) {}
    ~PgEngine() override { PQfinish(conn_); }

    EngineKind Kind() const override { return EngineKind::PostgreSQL; }
    std::string Describe() const override { return describe_; }

    std::unique_ptr<Statement> Prepare(const std::string& sql, bool reusable,
                                       std::string& error) override {
        if (!reusable) {
            if (sql.find(';') != std::string::npos && !SingleStatement(sql)) {
                error = "Only one SQL statement may be run at a time";
                return nullptr;
            }
            return std::make_unique<PgStatement>(conn_, sql, std::string(), std::vector<Oid>());
        }
        // The module's prepared texts are few and fixed: prepare each once per
        // session and keep it, with the parameter types the server inferred.
        auto it = prepared_.find(sql);
        if (it == prepared_.end()) {
            const std::string name = "hvx_" + std::to_string(prepared_.size() + 1);
            PGresult* res = PQprepare(conn_, name.c_str(), sql.c_str(), 0, nullptr);
            const bool ok = PQresultStatus(res) == PGRES_COMMAND_OK;
            if (!ok) error = ServerMessage(conn_, res);
            PQclear(res);
            if (!ok) return nullptr;
            PGresult* desc = PQdescribePrepared(conn_, name.c_str());
            std::vector<Oid> types;
            for (int i = 0; i < PQnparams(desc); ++i) types.push_back(PQparamtype(desc, i));
            PQclear(desc);
            it = prepared_.emplace(sql, Prepared{name, std::move(types)}).first;
        }
        return std::make_unique<PgStatement>(conn_, sql, it->second.name, it->second.types);
    }

    std::unique_ptr<Statement> PrepareShape(const std::string& shape, int values) override {
        auto it = shapes_.find(shape);
        if (it == shapes_.end()) {
            if (!SingleStatement(shape)) return nullptr;
            // The server types each value from where it stands, as it types
            // a quoted literal there. A shape it cannot type is run as literal
            // text from then on; inside a transaction the attempt is made in a
            // savepoint of its own, so its failure does not fail the
            // transaction.
            const PGTransactionStatusType status = PQtransactionStatus(conn_);
            if (status != PQTRANS_IDLE && status != PQTRANS_INTRANS) return nullptr;
            const bool inTransaction = status == PQTRANS_INTRANS;
            if (inTransaction && !Command("SAVEPOINT HVX_SHAPE")) return nullptr;
            const std::string name = "hvx_s" + std::to_string(shapes_.size() + 1);
            PGresult* res = PQprepare(conn_, name.c_str(), shape.c_str(), 0, nullptr);
            const bool ok = PQresultStatus(res) == PGRES_COMMAND_OK;
            PQclear(res);
            if (inTransaction && !ok && !Command("ROLLBACK TO SAVEPOINT HVX_SHAPE")) return nullptr;
            if (inTransaction && !Command("RELEASE SAVEPOINT HVX_SHAPE")) return nullptr;
            it = shapes_.emplace(shape, ok ? name : std::string()).first;
        }
        if (it->second.empty()) return nullptr;
        // Untyped (0) values: an empty text stays an empty text, as '' would.
        return std::make_unique<PgStatement>(conn_, shape, it->second,
                                             std::vector<Oid>(static_cast<size_t>(values), 0));
    }

    std::unique_ptr<Statement> PrepareLongRead(const std::string& sql,
                                               std::string& error) override {
        if (sql.find(';') != std::string::npos && !SingleStatement(sql)) {
            error = "Only one SQL statement may be run at a time";
            return nullptr;
        }
        PGconn* reader = Connect(conninfo_, error);
        if (!reader) return nullptr;
        return std::make_unique<PgCursorStatement>(reader, sql);
    }

    bool ExecScript(const std::string& sql, std::string& error) override {
        PGresult* res = PQexec(conn_, sql.c_str());
        const ExecStatusType st = PQresultStatus(res);
        const bool ok = st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK;
        if (!ok) error = ServerMessage(conn_, res);
        PQclear(res);
        return ok;
    }

    bool TransactionFailed() const override {
        return PQtransactionStatus(conn_) == PQTRANS_INERROR;
    }

    bool TableExists(const std::string& table) override {
        std::string lower;
        for (char c : table) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const char* values[1] = {lower.c_str()};
        PGresult* res = PQexecParams(
            conn_, "SELECT 1 FROM pg_tables WHERE schemaname = current_schema() AND tablename = $1",
            1, nullptr, values, nullptr, nullptr, 0);
        const bool found = PQresultStatus(res) == PGRES_TUPLES_OK && PQntuples(res) > 0;
        PQclear(res);
        return found;
    }

private:
    // True when the only ';' characters are inside quotes or trailing.
    static bool SingleStatement(const std::string& sql) {
        char quote = 0;
        for (size_t i = 0; i < sql.size(); ++i) {
            const char c = sql[i];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == ';') {
                return sql.find_first_not_of(" \t\r\n;", i) == std::string::npos;
            }
        }
        return true;
    }

    bool Command(const char* sql) {
        PGresult* res = PQexec(conn_, sql);
        const bool ok = PQresultStatus(res) == PGRES_COMMAND_OK;
        PQclear(res);
        return ok;
    }

    struct Prepared {
        std::string name;
        std::vector<Oid> types;
    };
    PGconn* conn_;
    std::string describe_;
    std::string conninfo_;
    std::unordered_map<std::string, Prepared> prepared_;
    // Literal statements' shapes, each with its prepared name ("" for a
    // shape the server could not type).
    std::unordered_map<std::string, std::string> shapes_;
};

}  // namespace

std::unique_ptr<Engine> OpenPostgres(const std::string& conninfo, std::string& error) {
    PGconn* conn = Connect(conninfo, error);
    if (!conn) return nullptr;
    std::string describe = "PostgreSQL database " + MaskPasswords(PQdb(conn), conninfo);
    return std::make_unique<PgEngine>(conn, describe, conninfo);
}

}  // namespace hvx

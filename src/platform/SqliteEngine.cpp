// SQLite behind the engine interface: the embedded, one-workstation database.
#include <sqlite3.h>

#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/Dates.h"
#include "platform/EngineFactories.h"
#include "platform/SqliteDates.h"
#include "platform/SqliteOpen.h"

namespace hvx {
namespace {

bool OnlyBlanks(const char* s) {
    for (; s && *s; ++s)
        if (!std::strchr(" \t\r\n;", *s)) return false;
    return true;
}

// A stored date "YYYY-MM-DD" rewritten in place as "MM/DD/YYYY", without the
// general parser: a search reads a date on every one of a million lines.
// False, with the text unchanged, for any other text or an impossible date.
bool IsoToMdy(std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    int digits[8];
    for (int i = 0, d = 0; i < 10; ++i) {
        if (i == 4 || i == 7) continue;
        if (text[i] < '0' || text[i] > '9') return false;
        digits[d++] = text[i] - '0';
    }
    const CivilDate date{digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3],
                         digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]};
    if (!IsValidDate(date)) return false;
    const char mdy[10] = {text[5], text[6], '/', text[8], text[9], '/',
                          text[0], text[1], text[2], text[3]};
    text.assign(mdy, 10);
    return true;
}

// Prepared statements of the module's fixed texts and of the shapes of its
// literal statements, kept idle between uses: preparing is most of the cost
// of a short statement, and a save runs the same few texts hundreds of
// times. A statement in use is never shared; it comes back to its text's
// slot when its owner is done with it, with the answers to which of its
// placeholders and columns are dates.
struct PooledStatement {
    sqlite3_stmt* stmt = nullptr;
    std::vector<bool> dateParams;
    std::vector<bool> dateColumns;
};

using PoolSlot = std::vector<PooledStatement>;

struct StatementPool {
    sqlite3* db = nullptr;
    bool open = true;
    // Slots are never removed while the pool is open, so a statement can
    // keep its slot's address and go back without looking its text up again.
    std::unordered_map<std::string, PoolSlot> texts, shapes;

    static PooledStatement Take(PoolSlot& slot) {
        if (slot.empty()) return {};
        PooledStatement taken = std::move(slot.back());
        slot.pop_back();
        return taken;
    }
    void FinalizeAll() {
        for (auto* slots : {&texts, &shapes})
            for (auto& [sql, slot] : *slots)
                for (PooledStatement& pooled : slot) sqlite3_finalize(pooled.stmt);
        texts.clear();
        shapes.clear();
    }
};

std::vector<bool> DateColumns(sqlite3_stmt* stmt) {
    std::vector<bool> dates;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        const char* decl = sqlite3_column_decltype(stmt, i);
        dates.push_back(decl && sqlite3_stricmp(decl, "DATE") == 0);
    }
    return dates;
}

class SqliteStatement final : public Statement {
public:
    // A pooled statement goes back to its slot when done.
    SqliteStatement(sqlite3* db, PooledStatement prepared,
                    std::shared_ptr<StatementPool> pool = nullptr, PoolSlot* slot = nullptr)
        : db_(db), prepared_(std::move(prepared)), stmt_(prepared_.stmt), pool_(std::move(pool)),
          slot_(slot) {}
    ~SqliteStatement() override {
        if (pool_ && pool_->open) {
            sqlite3_reset(stmt_);
            sqlite3_clear_bindings(stmt_);
            slot_->push_back(std::move(prepared_));
        } else {
            sqlite3_finalize(stmt_);
        }
    }

    bool Execute(const std::vector<Param>& params, std::string& error) override {
        return Run(params, SQLITE_TRANSIENT, error);
    }
    bool ExecuteHeld(const std::vector<Param>& params, std::string& error) override {
        return Run(params, SQLITE_STATIC, error);
    }

    bool Next() override {
        if (pendingRow_) {
            pendingRow_ = false;
            onRow_ = true;
            return true;
        }
        if (!onRow_) return false;
        if (sqlite3_step(stmt_) == SQLITE_ROW) return true;
        onRow_ = false;
        sqlite3_reset(stmt_);
        return false;
    }

    int ColumnCount() const override { return sqlite3_column_count(stmt_); }
    int ParamCount() const override { return sqlite3_bind_parameter_count(stmt_); }
    long long Changes() const override { return changes_; }

    bool ColumnView(int index, std::string_view& out) const override {
        out = {};
        const std::vector<bool>& isDate = prepared_.dateColumns;
        if (!onRow_ || index < 0 || index >= static_cast<int>(isDate.size())) return false;
        // Only a NULL (or a failed conversion) gives no text.
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
        if (!text) return false;
        out = std::string_view(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, index)));
        if (!isDate[index]) return true;
        // An empty date is no date, as on PostgreSQL where it is stored as NULL.
        if (out.empty()) return false;
        if (dateText_.size() < isDate.size()) dateText_.resize(isDate.size());
        std::string& date = dateText_[index];
        date.assign(out);
        if (!IsoToMdy(date)) {
            CivilDate d;
            if (ParseDate(date, d)) date = FormatMdy(d);
        }
        out = date;
        return true;
    }

private:
    // Texts are bound as copies, or in place when their owner holds them;
    // a date's stored form is made here, so it is always copied.
    bool Run(const std::vector<Param>& params, sqlite3_destructor_type textLife,
             std::string& error) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        pendingRow_ = onRow_ = false;
        changes_ = 0;
        const int count = sqlite3_bind_parameter_count(stmt_);
        for (int i = 0; i < count && i < static_cast<int>(params.size()); ++i) {
            const Param& p = params[i];
            int rc = SQLITE_OK;
            if (p.kind == Param::Kind::Null) {
                rc = sqlite3_bind_null(stmt_, i + 1);
            } else if (p.kind == Param::Kind::Number) {
                // Whole numbers bind as integers so they compare equal to the
                // text "5" in a text column and to 5 in RECNO.
                const double v = std::strtod(p.text.c_str(), nullptr);
                if (p.text.find_first_of(".eE") == std::string::npos)
                    rc = sqlite3_bind_int64(stmt_, i + 1, static_cast<sqlite3_int64>(v));
                else
                    rc = sqlite3_bind_double(stmt_, i + 1, v);
            } else if (prepared_.dateParams[i]) {
                const std::string stored = StoredDate(p.text);
                rc = sqlite3_bind_text(stmt_, i + 1, stored.data(), static_cast<int>(stored.size()),
                                       SQLITE_TRANSIENT);
            } else {
                rc = sqlite3_bind_text(stmt_, i + 1, p.text.data(), static_cast<int>(p.text.size()),
                                       textLife);
            }
            if (rc != SQLITE_OK) {
                error = sqlite3_errmsg(db_);
                return false;
            }
        }
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            pendingRow_ = true;
            return true;
        }
        if (rc == SQLITE_DONE) {
            changes_ = sqlite3_stmt_readonly(stmt_) ? 0 : sqlite3_changes64(db_);
            sqlite3_reset(stmt_);
            return true;
        }
        error = sqlite3_errmsg(db_);
        sqlite3_reset(stmt_);
        return false;
    }

    sqlite3* db_;
    PooledStatement prepared_;
    sqlite3_stmt* stmt_;
    std::shared_ptr<StatementPool> pool_;
    PoolSlot* slot_;
    mutable std::vector<std::string> dateText_;  // a date column's text in the display form
    bool pendingRow_ = false;
    bool onRow_ = false;
    long long changes_ = 0;
};

class SqliteEngine final : public Engine {
public:
    SqliteEngine(sqlite3* db, std::string path)
        : db_(db), path_(std::move(path)), pool_(std::make_shared<StatementPool>()) {
        pool_->db = db;
    }
    ~SqliteEngine() override {
        // Statements still held elsewhere finalize themselves when released;
        // close_v2 waits for them.
        pool_->FinalizeAll();
        pool_->open = false;
        sqlite3_close_v2(db_);
    }

    EngineKind Kind() const override { return EngineKind::SQLite; }
    std::string Describe() const override { return "SQLite database " + path_; }

    std::unique_ptr<Statement> Prepare(const std::string& sql, bool reusable,
                                       std::string& error) override {
        PoolSlot* slot = reusable ? &pool_->texts[sql] : nullptr;
        if (slot) {
            if (PooledStatement idle = StatementPool::Take(*slot); idle.stmt)
                return std::make_unique<SqliteStatement>(db_, std::move(idle), pool_, slot);
        }
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, &tail) !=
            SQLITE_OK) {
            error = sqlite3_errmsg(db_);
            return nullptr;
        }
        if (!stmt) {
            error = "Empty SQL statement";
            return nullptr;
        }
        if (!OnlyBlanks(tail)) {
            sqlite3_finalize(stmt);
            error = "Only one SQL statement may be run at a time";
            return nullptr;
        }
        PooledStatement prepared{stmt, {}, DateColumns(stmt)};
        if (!DateParameters(db_, stmt, prepared.dateParams, error)) {
            sqlite3_finalize(stmt);
            return nullptr;
        }
        if (slot) return std::make_unique<SqliteStatement>(db_, std::move(prepared), pool_, slot);
        return std::make_unique<SqliteStatement>(db_, std::move(prepared));
    }

    std::unique_ptr<Statement> PrepareShape(const std::string& shape, int values) override {
        // Pooled apart from the module's prepared texts, whose date values
        // are converted: a shape's values are bound as they were written.
        PoolSlot& slot = pool_->shapes[shape];
        if (PooledStatement idle = StatementPool::Take(slot); idle.stmt)
            return std::make_unique<SqliteStatement>(db_, std::move(idle), pool_, &slot);
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db_, shape.c_str(), static_cast<int>(shape.size()), &stmt, &tail) !=
                SQLITE_OK ||
            !stmt || !OnlyBlanks(tail) || sqlite3_bind_parameter_count(stmt) != values) {
            sqlite3_finalize(stmt);
            return nullptr;
        }
        PooledStatement prepared{stmt, std::vector<bool>(static_cast<size_t>(values), false),
                                 DateColumns(stmt)};
        return std::make_unique<SqliteStatement>(db_, std::move(prepared), pool_, &slot);
    }

    bool ExecScript(const std::string& sql, std::string& error) override {
        if (TransactionControl(sql)) return RunPooled(sql, error);
        char* msg = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &msg) != SQLITE_OK) {
            error = msg ? msg : sqlite3_errmsg(db_);
            sqlite3_free(msg);
            return false;
        }
        return true;
    }

    bool TableExists(const std::string& table) override {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?", -1,
                           &stmt, nullptr);
        sqlite3_bind_text(stmt, 1, table.c_str(), -1, SQLITE_TRANSIENT);
        const bool found = sqlite3_step(stmt) == SQLITE_ROW;
        sqlite3_finalize(stmt);
        return found;
    }

private:
    // Begin, commit and the savepoints of a transaction's parts run many
    // times a save with a handful of texts: kept prepared like the module's.
    static bool TransactionControl(std::string_view sql) {
        for (std::string_view verb : {"BEGIN", "COMMIT", "ROLLBACK", "SAVEPOINT ", "RELEASE "})
            if (sql.starts_with(verb)) return sql.find(';') == std::string_view::npos;
        return false;
    }

    bool RunPooled(const std::string& sql, std::string& error) {
        std::unique_ptr<Statement> statement = Prepare(sql, true, error);
        return statement && statement->Execute({}, error);
    }

    sqlite3* db_;
    std::string path_;
    std::shared_ptr<StatementPool> pool_;
};

}  // namespace

std::unique_ptr<Engine> OpenSqlite(const std::string& path, OpenMode mode, std::string& error) {
    sqlite3* db = OpenSqliteFile(path, mode, error);
    if (!db) return nullptr;
    return std::make_unique<SqliteEngine>(db, path);
}

}  // namespace hvx

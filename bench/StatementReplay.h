#pragma once
// The raw engine floor of a piece of our work: the statements it issues,
// recorded once from SQLite's statement trace with the values bound to
// them, then replayed straight through sqlite3 or libpq.
//
// The replay is the least an engine's own API needs for those statements:
// bound statements are prepared once and rebound, literal SQL is prepared
// each time (as it would be), and every row of a query is stepped. The
// module issues the same statements on either engine, so a PostgreSQL replay
// runs the SQLite recording with numbered placeholders.
#include <memory>
#include <string>
#include <vector>

namespace hvxbench {

struct RecordedValue {
    enum class Kind { Text, Integer, Real, Null } kind = Kind::Null;
    std::string text;
};

struct RecordedStatement {
    std::string sql;  // as SQLite prepared it
    std::vector<RecordedValue> values;
    bool bound = false;  // prepared with parameters, not literal SQL
};

// Traces every SQLite connection opened while it lives (so create it before
// opening the database); keeps what they step between Start and Stop.
class SqliteRecorder {
public:
    SqliteRecorder();
    ~SqliteRecorder();
    SqliteRecorder(const SqliteRecorder&) = delete;
    SqliteRecorder& operator=(const SqliteRecorder&) = delete;

    void Start();
    // The statements stepped since Start; false when the values of one
    // could not be read back.
    bool Stop(std::vector<RecordedStatement>& statements);
};

// Replays a recording over a database in the state the recorded work found.
class RawReplay {
public:
    static std::unique_ptr<RawReplay> Sqlite(const std::string& file,
                                             const std::vector<RecordedStatement>& statements);
    static std::unique_ptr<RawReplay> Postgres(const std::string& conninfo,
                                               const std::vector<RecordedStatement>& statements);
    virtual ~RawReplay() = default;

    // Every statement in order; false at the first one refused (see error).
    bool RunAll() {
        for (size_t i = 0; i < statements_.size(); ++i)
            if (!Run(i)) return false;
        return true;
    }
    // Literal SQL that returns no rows.
    virtual bool Exec(const std::string& sql) = 0;
    std::string error;

protected:
    explicit RawReplay(const std::vector<RecordedStatement>& statements)
        : statements_(statements) {}
    virtual bool Run(size_t statement) = 0;
    const std::vector<RecordedStatement>& statements_;
};

}  // namespace hvxbench

#pragma once
// The small interface behind which the two database engines differ.
//
// Everything the module does with SQL (the framework dialect, statement
// scopes, next numbers, lookups) is shared code above this interface; an
// engine only opens its session, prepares and runs one statement, and reads
// text values back. Errors come back as false plus a message: nothing here
// throws.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DatabaseName.h"
#include "platform/EngineKind.h"

namespace hvx {


// One bound value: text, a number, or SQL NULL.
struct Param {
    enum class Kind { Text, Number, Null };
    Kind kind = Kind::Null;
    std::string text;
    static Param Text(std::string v) { return {Kind::Text, std::move(v)}; }
    static Param Number(double v);
    static Param Null() { return {Kind::Null, {}}; }
};

// One prepared statement of an engine. Execute runs it with the given values
// (replacing earlier ones); a query is then positioned before its first row.
class Statement {
public:
    virtual ~Statement() = default;
    virtual bool Execute(const std::vector<Param>& params, std::string& error) = 0;
    // The same, for values the caller keeps unchanged and alive until the
    // statement runs again or is gone: an engine may read them in place.
    virtual bool ExecuteHeld(const std::vector<Param>& params, std::string& error) {
        return Execute(params, error);
    }
    virtual bool Next() = 0;                 // the next row, false past the last
    virtual int ColumnCount() const = 0;
    // The text of column index (from 0) of the current row; false for NULL.
    // Date columns read as "MM/DD/YYYY". The view stays valid until the
    // statement moves to another row or runs again.
    virtual bool ColumnView(int index, std::string_view& out) const = 0;
    // The same text, copied.
    bool Column(int index, std::string& out) const {
        std::string_view text;
        const bool found = ColumnView(index, text);
        out.assign(text);
        return found;
    }
    virtual long long Changes() const = 0;   // rows changed by the last Execute
    virtual int ParamCount() const = 0;
};

class Engine {
public:
    virtual ~Engine() = default;
    virtual EngineKind Kind() const = 0;
    // sql is in the engine's own dialect (see SqlDialect); exactly one
    // statement — a second statement after a ';' is refused. A reusable
    // statement is one of the module's fixed prepared texts, worth keeping
    // prepared on the server; literal SQL with values in it is not.
    virtual std::unique_ptr<Statement> Prepare(const std::string& sql, bool reusable,
                                               std::string& error) = 0;
    // A literal statement's shape (see LiteralShape.h) with `values`
    // placeholders, kept prepared: its values are then bound exactly as the
    // literals would have read (texts as texts, whole numbers as integers,
    // no date or empty-text conversion). Null when the engine cannot take the
    // shape; the caller then runs the literal text as it stands, so nothing
    // is reported and an open transaction is left as it was.
    virtual std::unique_ptr<Statement> PrepareShape(const std::string& shape, int values) {
        (void)shape, (void)values;
        return nullptr;
    }
    // A query over many rows that the caller steps through while it runs
    // other statements on the session: the rows are read as they are
    // stepped to, never all held at once. Literal SQL only.
    virtual std::unique_ptr<Statement> PrepareLongRead(const std::string& sql, std::string& error) {
        return Prepare(sql, false, error);
    }
    // Runs statements that return no rows (schema, transaction control).
    virtual bool ExecScript(const std::string& sql, std::string& error) = 0;
    virtual bool TableExists(const std::string& table) = 0;
    // True when an earlier statement failed inside the open transaction and
    // the engine will only roll it back (a commit would silently undo it).
    virtual bool TransactionFailed() const { return false; }
    virtual std::string Describe() const = 0;  // for messages: file or server
};

// How a database is opened. Only Create makes a new SQLite file, and only a
// database it makes is switched to write-ahead logging: opening an existing
// file leaves its journal as it is. ReadOnly writes nothing, in the file or
// beside it where the folder takes no new files.
enum class OpenMode { Create, Existing, ReadOnly };

// Opens an engine for a database name (see DatabaseName.h). A SQLite file
// that another program holds locked is given up after a few seconds.
std::unique_ptr<Engine> OpenEngine(const std::string& connection, std::string& error,
                                   OpenMode mode = OpenMode::Existing);

}  // namespace hvx

#pragma once
// The one way the module reads rows and runs writes.
//
// Many statements exist twice: with literal SQL on the simple connection
// (deletion, reversal, lookups) and with "?" placeholders on the prepared
// connection (the save). Their effect is the same, so a routine is written
// once against Statements and each statement once as the pair of its two
// texts. A prepared value is bound as the very text the literal form would
// put between its quotes, so both forms store the same characters. A
// statement that exists in one form only leaves the other text empty.
//
// Rows are read to the end before the call returns: the loops that walk them
// write to the same tables while they walk, and no engine is then asked to
// keep a cursor open over rows that change.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Engine.h"
#include "platform/Format.h"

class HVXConnection;
class HVXSConnection;

namespace hvx {

// One row of text: the columns in select order, "" for no value.
using SqlRow = std::vector<std::string>;
// The values of a statement. A text value is a view of the caller's text,
// so values are built in the call itself, or from texts that outlive it.
using SqlValues = std::vector<FmtArg>;

inline SqlValues ValuesOf(const SqlRow& texts) {
    return {texts.begin(), texts.end()};
}

// One statement in its two forms: a format whose values are "%…" conversions
// in order, and the same statement with "?" in their place.
struct SqlPair {
    SqlPair(std::string_view literalForm, std::string_view preparedForm = {})
        : literal(literalForm), prepared(preparedForm) {}
    std::string_view literal;
    std::string_view prepared;
};

class Statements {
public:
    virtual ~Statements() = default;

    // Every row of a query, its first `columns` texts each. False on a
    // database error (LastError says which).
    bool Query(const SqlPair& sql, const SqlValues& values, int columns,
               std::vector<SqlRow>& rows) {
        return Read(sql, values, columns, 0, rows);
    }
    // The first column of the first row. False on a database error or when
    // the query returns no row; the value is then "". Only the first row is
    // read: a key that is not unique never costs a walk over the rest.
    bool Value(const SqlPair& sql, const SqlValues& values, std::string& value);
    // An INSERT, UPDATE or DELETE: the rows changed, or -1 on a database error.
    virtual long Change(const SqlPair& sql, const SqlValues& values) = 0;

    virtual bool Prepared() const = 0;
    virtual const std::string& LastError() const = 0;

protected:
    // At most maxRows rows (0: all of them).
    virtual bool Read(const SqlPair& sql, const SqlValues& values, int columns, std::size_t maxRows,
                      std::vector<SqlRow>& rows) = 0;
};

// The literal form, formatted with the framework's formatter (text values
// escaped), on the simple connection.
class LiteralStatements final : public Statements {
public:
    explicit LiteralStatements(HVXSConnection& connection) : connection_(connection) {}
    long Change(const SqlPair& sql, const SqlValues& values) override;
    bool Prepared() const override { return false; }
    const std::string& LastError() const override;

protected:
    bool Read(const SqlPair& sql, const SqlValues& values, int columns, std::size_t maxRows,
              std::vector<SqlRow>& rows) override;

private:
    HVXSConnection& connection_;
};

// The prepared form on the prepared connection, values bound in order.
class PreparedStatements final : public Statements {
public:
    explicit PreparedStatements(HVXConnection& connection) : connection_(connection) {}
    long Change(const SqlPair& sql, const SqlValues& values) override;
    bool Prepared() const override { return true; }
    const std::string& LastError() const override;

protected:
    bool Read(const SqlPair& sql, const SqlValues& values, int columns, std::size_t maxRows,
              std::vector<SqlRow>& rows) override;

private:
    bool Bind(const SqlPair& sql, const SqlValues& values);
    HVXConnection& connection_;
};

// A statement in the engine's own dialect with typed values: on the
// process's session when engine is null, or on an engine of the caller's own
// (the host's lock service holds its locks on such a connection). The rows,
// at most maxRows of them (0: all), go to `rows` when it is given. False
// with the engine's message.
bool RunNative(Engine* engine, const std::string& sql, const std::vector<Param>& params,
               std::vector<SqlRow>* rows, std::string& error, std::size_t maxRows = 0);

}  // namespace hvx

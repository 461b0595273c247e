#include "platform/Statements.h"

#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "platform/StorableText.h"

namespace hvx {
namespace {

constexpr std::string_view kConversions = "diouxXfFeEgGaAsc";

// The next conversion of a format ("%.04f", "%s", "%.0f"), "%%" skipped;
// the format is advanced past it. "%s" once the format has none left.
std::string_view NextConversion(std::string_view& format) {
    for (std::size_t pos = format.find('%'); pos != std::string_view::npos;
         pos = format.find('%', pos)) {
        if (pos + 1 < format.size() && format[pos + 1] == '%') {
            pos += 2;
            continue;
        }
        const std::size_t end = format.find_first_of(kConversions, pos + 1);
        if (end == std::string_view::npos) break;
        const std::string_view conversion = format.substr(pos, end - pos + 1);
        format.remove_prefix(end + 1);
        return conversion;
    }
    format = {};
    return "%s";
}

}  // namespace

bool Statements::Value(const SqlPair& sql, const SqlValues& values, std::string& value) {
    std::vector<SqlRow> rows;
    value.clear();
    if (!Read(sql, values, 1, 1, rows) || rows.empty()) return false;
    value = rows.front().front();
    return true;
}

bool LiteralStatements::Read(const SqlPair& sql, const SqlValues& values, int columns,
                             std::size_t maxRows, std::vector<SqlRow>& rows) {
    rows.clear();
    if (!connection_.ExecSQL(FormatArgs(sql.literal, values))) return false;
    while ((maxRows == 0 || rows.size() < maxRows) && connection_.FetchNext()) {
        SqlRow& row = rows.emplace_back();
        for (int n = 1; n <= columns; ++n) row.push_back(connection_.Column(n));
    }
    connection_.FreeStatement();
    return true;
}

long LiteralStatements::Change(const SqlPair& sql, const SqlValues& values) {
    return connection_.ExecSQLChange(FormatArgs(sql.literal, values));
}

const std::string& LiteralStatements::LastError() const {
    return connection_.LastError();
}

// The conversions are walked once, in step with the values. A text under a
// plain "%s" is bound as it is: formatting it would give the same text, at a
// cost the save pays for every value of every row.
bool PreparedStatements::Bind(const SqlPair& sql, const SqlValues& values) {
    std::string_view rest = sql.literal;
    for (const FmtArg& value : values) {
        const std::string_view conversion = NextConversion(rest);
        const int bound =
            conversion == "%s" && value.kind() == FmtArg::Kind::Text
                ? connection_.BindParam(sql.prepared, value.text())
                : connection_.BindParam(sql.prepared, FormatArgs(conversion, {value}));
        if (bound != 0) return false;
    }
    return true;
}

bool PreparedStatements::Read(const SqlPair& sql, const SqlValues& values, int columns,
                              std::size_t maxRows, std::vector<SqlRow>& rows) {
    rows.clear();
    if (!Bind(sql, values) || connection_.ExecuteSQL(sql.prepared) < 0) return false;
    while ((maxRows == 0 || rows.size() < maxRows) && connection_.FetchNext(sql.prepared)) {
        SqlRow& row = rows.emplace_back();
        for (int n = 1; n <= columns; ++n) row.emplace_back(connection_.ColumnVar(sql.prepared, n));
    }
    return true;
}

long PreparedStatements::Change(const SqlPair& sql, const SqlValues& values) {
    if (!Bind(sql, values)) return -1;
    return connection_.ExecuteSQL(sql.prepared);
}

const std::string& PreparedStatements::LastError() const {
    return connection_.LastError();
}

bool RunNative(Engine* engine, const std::string& sql, const std::vector<Param>& params,
               std::vector<SqlRow>* rows, std::string& error, std::size_t maxRows) {
    // A statement on an engine of the caller's own passes the session's
    // checks of stored text here instead.
    if (engine && (!StorableText(sql, error) || !StorableValues(params, error))) return false;
    std::unique_ptr<Statement> statement =
        engine ? engine->Prepare(sql, true, error) : Session::Prepare(sql, true, error);
    if (!statement) return false;
    const bool ran =
        engine ? statement->Execute(params, error) : Session::Run(*statement, params, error);
    if (!ran) return false;
    if (!rows) return true;
    rows->clear();
    while ((maxRows == 0 || rows->size() < maxRows) && statement->Next()) {
        SqlRow& row = rows->emplace_back();
        std::string value;
        for (int i = 0; i < statement->ColumnCount(); ++i)
            row.push_back(statement->Column(i, value) ? value : std::string());
    }
    return true;
}

}  // namespace hvx

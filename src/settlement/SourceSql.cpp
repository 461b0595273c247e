#include "settlement/SourceSql.h"

#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"

namespace hvx::settlement {
namespace {

constexpr std::string_view kConversions = "diouxXfFeEgGaAsc";

// The n-th conversion of a format ("%.04f", "%s", "%.0f"), "%%" skipped.
std::string_view NthConversion(std::string_view format, std::size_t n) {
    for (std::size_t pos = format.find('%'); pos != std::string_view::npos;
         pos = format.find('%', pos)) {
        if (pos + 1 < format.size() && format[pos + 1] == '%') {
            pos += 2;
            continue;
        }
        const std::size_t end = format.find_first_of(kConversions, pos + 1);
        if (end == std::string_view::npos) break;
        if (n-- == 0) return format.substr(pos, end - pos + 1);
        pos = end + 1;
    }
    return "%s";
}

}  // namespace

std::string BoundText(std::string_view literalFormat, std::size_t n, const FmtArg& value) {
    return FormatArgs(NthConversion(literalFormat, n), {value});
}

std::string UnitsText(double units) { return _HVXsprintf("%.4f", HVXRound(units, 4)); }

bool UnitsBelow(double a, double b) { return HVXRound(a, 5) < HVXRound(b, 5); }
bool UnitsAtMost(double a, double b) { return HVXRound(a, 5) <= HVXRound(b, 5); }
bool UnitsEqual(double a, double b) { return HVXRound(a, 5) == HVXRound(b, 5); }

bool LiteralSourceSql::Query(const SqlPair& sql, const SqlValues& values, int columns,
                             std::vector<SqlRow>& rows) {
    rows.clear();
    if (!connection_.ExecSQL(FormatArgs(sql.literal, values))) return false;
    while (connection_.FetchNext()) {
        SqlRow& row = rows.emplace_back();
        for (int n = 1; n <= columns; ++n) row.push_back(connection_.Column(n));
    }
    connection_.FreeStatement();
    return true;
}

long LiteralSourceSql::Change(const SqlPair& sql, const SqlValues& values) {
    return connection_.ExecSQLChange(FormatArgs(sql.literal, values));
}

bool PreparedSourceSql::Bind(const SqlPair& sql, const SqlValues& values) {
    for (std::size_t n = 0; n < values.size(); ++n)
        if (connection_.BindParam(sql.prepared, BoundText(sql.literal, n, values[n])) != 0)
            return false;
    return true;
}

bool PreparedSourceSql::Query(const SqlPair& sql, const SqlValues& values, int columns,
                              std::vector<SqlRow>& rows) {
    rows.clear();
    if (!Bind(sql, values) || connection_.ExecuteSQL(sql.prepared) < 0) return false;
    while (connection_.FetchNext(sql.prepared)) {
        SqlRow& row = rows.emplace_back();
        for (int n = 1; n <= columns; ++n) row.emplace_back(connection_.ColumnVar(sql.prepared, n));
    }
    return true;
}

long PreparedSourceSql::Change(const SqlPair& sql, const SqlValues& values) {
    if (!Bind(sql, values)) return -1;
    return connection_.ExecuteSQL(sql.prepared);
}

}  // namespace hvx::settlement

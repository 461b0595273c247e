#include "platform/NextNumbers.h"

#include <cmath>
#include <cstdlib>

#include "platform/Lookups.h"
#include "platform/Session.h"

namespace hvx {
namespace {

struct Query {
    std::unique_ptr<Statement> statement;
    std::string error;
    bool Run(const std::string& sql, const std::vector<Param>& params) {
        statement = Session::Prepare(sql, true, error);
        return statement && Session::Run(*statement, params, error);
    }
    // The first column of the next row as a whole number; false past the end.
    bool NextNumber(long long& out) {
        std::string text;
        if (!statement->Next()) return false;
        out = statement->Column(0, text) ? std::atoll(text.c_str()) : 0;
        return true;
    }
};

// Highest number in use: RECNO as a number, a link column over its texts
// that are whole numbers.
long long HighestInUse(const std::string& table, const std::string& column) {
    Query q;
    long long highest = 0;
    if (column == "RECNO") {
        if (q.Run("SELECT MAX(RECNO) FROM " + table, {})) q.NextNumber(highest);
        return highest;
    }
    if (!q.Run("SELECT " + column + " FROM " + table, {})) return 0;
    std::string text;
    while (q.statement->Next()) {
        if (!q.statement->Column(0, text) || text.empty()) continue;
        char* end = nullptr;
        const double v = std::strtod(text.c_str(), &end);
        if (*end == '\0' && v == std::trunc(v) && v > static_cast<double>(highest))
            highest = static_cast<long long>(v);
    }
    return highest;
}

bool InUse(const std::string& table, const std::string& column, long long number) {
    Query q;
    const Param value = column == "RECNO" ? Param::Number(static_cast<double>(number))
                                          : Param::Text(std::to_string(number));
    long long ignored;
    return q.Run("SELECT 1 FROM " + table + " WHERE " + column + " = ?", {value}) &&
           q.NextNumber(ignored);
}

// Takes the counter's value and advances it by one; false when the counter
// row does not exist yet (or the statement failed).
bool TakeCounter(const std::string& table, const std::string& column, long long& taken) {
    Query q;
    return q.Run("UPDATE HVXNEXTNUM SET NEXTVAL = NEXTVAL + 1 WHERE TABLENAME = ? AND COLNAME = ? "
                 "RETURNING NEXTVAL - 1",
                 {Param::Text(table), Param::Text(column)}) &&
           q.NextNumber(taken);
}

long long Next(std::string_view tableName, std::string_view columnName) {
    if (!IsSqlName(tableName) || !IsSqlName(columnName)) return 0;
    const std::string table(tableName), column(columnName);
    Query q;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        long long candidate = 0;
        if (!TakeCounter(table, column, candidate)) {
            // First use: start after what the table already holds.
            const long long start = HighestInUse(table, column) + 1;
            if (!q.Run("INSERT INTO HVXNEXTNUM (TABLENAME, COLNAME, NEXTVAL) VALUES (?, ?, ?) "
                       "ON CONFLICT (TABLENAME, COLNAME) DO NOTHING",
                       {Param::Text(table), Param::Text(column),
                        Param::Number(static_cast<double>(start))}))
                return 0;
            if (!TakeCounter(table, column, candidate)) return 0;
        }
        if (candidate < 1) candidate = 1;
        if (!InUse(table, column, candidate)) return candidate;
        // Taken behind the counter's back: move the counter past every number
        // in use instead of stepping over them one by one.
        const long long beyond = HighestInUse(table, column) + 1;
        if (!q.Run("UPDATE HVXNEXTNUM SET NEXTVAL = ? WHERE TABLENAME = ? AND COLNAME = ? "
                   "AND NEXTVAL < ?",
                   {Param::Number(static_cast<double>(beyond)), Param::Text(table),
                    Param::Text(column), Param::Number(static_cast<double>(beyond))}))
            return 0;
    }
    return 0;
}

}  // namespace
}  // namespace hvx

double NextNum(const void*, int, std::string_view table, int, int, int) {
    return static_cast<double>(hvx::Next(table, "RECNO"));
}

std::string NextCharLnk(const void*, int, std::string_view table, std::string_view column, int) {
    const long long n = hvx::Next(table, column);
    return n > 0 ? std::to_string(n) : std::string();
}

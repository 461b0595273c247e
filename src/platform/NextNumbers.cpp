#include "platform/NextNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <map>
#include <span>
#include <vector>

#include "platform/Lookups.h"
#include "platform/Statements.h"

namespace hvx {
namespace {

// The first column of the first row as a whole number; false when there is
// no row.
bool FirstNumber(const std::vector<SqlRow>& rows, long long& out) {
    if (rows.empty()) return false;
    out = std::atoll(rows.front()[0].c_str());
    return true;
}

// A counter is named by the table and column whose numbers it hands out.
struct CounterColumn {
    std::string_view table, column;
    bool operator==(const CounterColumn&) const = default;
};

// A destination record (HVXGR04F) takes its DLLINK from the line that created
// it, or from its settlement's record number when the settlement has several
// sources. Those two counters draw from one sequence, kept in the row of the
// first column, and a number is free only when none of these columns holds it,
// so no two destination records ever share a link.
constexpr CounterColumn kDestinationLinks[] = {
    {"HVXGR04", "RECNO"}, {"HVXGR04D", "DLLINK"}, {"HVXGR04F", "DLLINK"}};
constexpr std::size_t kDestinationLinkCounters = 2;  // the last column only holds them

// The columns whose numbers the counter must not hand out again; the first
// one's row keeps the counter.
std::vector<CounterColumn> Holders(CounterColumn counter) {
    const auto drawing = std::span(kDestinationLinks).first(kDestinationLinkCounters);
    if (std::ranges::find(drawing, counter) != drawing.end())
        return {std::begin(kDestinationLinks), std::end(kDestinationLinks)};
    return {counter};
}

// Every step below fails the whole allocation when its statement fails: a
// number is never handed out on a guess.
enum class Outcome { Done, NoRow, Failed };

// Highest number in use: RECNO as a number, a link column over its texts
// that are whole numbers.
bool HighestInColumn(const std::string& table, const std::string& column, long long& highest) {
    std::string error;  // a failure gives no number, whatever its reason
    std::vector<SqlRow> rows;
    highest = 0;
    if (column == "RECNO") {
        if (!RunNative(nullptr, "SELECT MAX(RECNO) FROM " + table, {}, &rows, error, 1))
            return false;
        FirstNumber(rows, highest);
        return true;
    }
    if (!RunNative(nullptr, "SELECT " + column + " FROM " + table, {}, &rows, error)) return false;
    for (const SqlRow& row : rows) {
        const std::string& text = row[0];
        if (text.empty()) continue;
        char* end = nullptr;
        const double v = std::strtod(text.c_str(), &end);
        if (*end == '\0' && v == std::trunc(v) && v > static_cast<double>(highest))
            highest = static_cast<long long>(v);
    }
    return true;
}

Outcome InColumn(const std::string& table, const std::string& column, long long number) {
    std::string error;  // a failure gives no number, whatever its reason
    const Param value = column == "RECNO" ? Param::Number(static_cast<double>(number))
                                          : Param::Text(std::to_string(number));
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr, "SELECT 1 FROM " + table + " WHERE " + column + " = ?", {value}, &rows,
                   error, 1))
        return Outcome::Failed;
    return rows.empty() ? Outcome::NoRow : Outcome::Done;
}

bool HighestInUse(const std::vector<CounterColumn>& holders, long long& highest) {
    highest = 0;
    for (const CounterColumn& holder : holders) {
        long long inColumn = 0;
        if (!HighestInColumn(std::string(holder.table), std::string(holder.column), inColumn))
            return false;
        highest = std::max(highest, inColumn);
    }
    return true;
}

Outcome InUse(const std::vector<CounterColumn>& holders, long long number) {
    for (const CounterColumn& holder : holders) {
        const Outcome used =
            InColumn(std::string(holder.table), std::string(holder.column), number);
        if (used != Outcome::NoRow) return used;
    }
    return Outcome::NoRow;
}

// Whether a holder column holds the number the counter handed out, as an
// expression over the counter row just advanced (its NEXTVAL is one past).
std::string HolderTest(const CounterColumn& holder) {
    const std::string taken = "HVXNEXTNUM.NEXTVAL - 1";
    const std::string value = holder.column == "RECNO" ? taken : "CAST(" + taken + " AS TEXT)";
    return "EXISTS (SELECT 1 FROM " + std::string(holder.table) + " WHERE " +
           std::string(holder.column) + " = " + value + ")";
}

// The statement is built once per counter: a save draws hundreds of numbers.
const std::string& TakeCounterSql(const std::vector<CounterColumn>& holders) {
    thread_local std::map<std::pair<std::string, std::string>, std::string> built;
    const CounterColumn& counter = holders.front();
    std::string& sql = built[{std::string(counter.table), std::string(counter.column)}];
    if (sql.empty()) {
        std::string tests;
        for (const CounterColumn& holder : holders)
            tests += (tests.empty() ? "" : " OR ") + HolderTest(holder);
        sql = "UPDATE HVXNEXTNUM SET NEXTVAL = NEXTVAL + 1 WHERE TABLENAME = ? AND COLNAME = ? "
              "RETURNING NEXTVAL - 1, CASE WHEN " + tests + " THEN 1 ELSE 0 END";
    }
    return sql;
}

// Takes the counter's value and advances it by one, and tells in the same
// statement whether a row already holds that number, so an ordinary number
// costs one statement; NoRow when the counter row does not exist yet.
Outcome TakeCounter(const std::vector<CounterColumn>& holders, long long& taken, bool& used) {
    std::string error;  // a failure gives no number, whatever its reason
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr, TakeCounterSql(holders),
                   {Param::Text(std::string(holders.front().table)),
                    Param::Text(std::string(holders.front().column))},
                   &rows, error, 1))
        return Outcome::Failed;
    if (!FirstNumber(rows, taken)) return Outcome::NoRow;
    used = rows.front()[1] == "1";
    return Outcome::Done;
}

long long Next(std::string_view tableName, std::string_view columnName) {
    std::string error;  // a failure gives no number, whatever its reason
    if (!IsSqlName(tableName) || !IsSqlName(columnName)) return 0;
    const std::vector<CounterColumn> holders = Holders({tableName, columnName});
    const std::string table(holders.front().table), column(holders.front().column);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        long long candidate = 0;
        bool inUse = false;
        Outcome taken = TakeCounter(holders, candidate, inUse);
        if (taken == Outcome::NoRow) {
            // First use: start after what the table already holds.
            long long highest = 0;
            if (!HighestInUse(holders, highest) ||
                !RunNative(nullptr,
                           "INSERT INTO HVXNEXTNUM (TABLENAME, COLNAME, NEXTVAL) VALUES (?, ?, ?) "
                           "ON CONFLICT (TABLENAME, COLNAME) DO NOTHING",
                           {Param::Text(table), Param::Text(column),
                            Param::Number(static_cast<double>(highest + 1))},
                           nullptr, error))
                return 0;
            taken = TakeCounter(holders, candidate, inUse);
        }
        if (taken != Outcome::Done) return 0;
        if (candidate < 1) {  // a counter set back below 1 by hand
            candidate = 1;
            const Outcome used = InUse(holders, candidate);
            if (used == Outcome::Failed) return 0;
            inUse = used == Outcome::Done;
        }
        if (!inUse) return candidate;
        // Taken behind the counter's back: move the counter past every number
        // in use instead of stepping over them one by one.
        long long highest = 0;
        if (!HighestInUse(holders, highest)) return 0;
        const Param beyond = Param::Number(static_cast<double>(highest + 1));
        if (!RunNative(nullptr,
                       "UPDATE HVXNEXTNUM SET NEXTVAL = ? WHERE TABLENAME = ? AND COLNAME = ? "
                       "AND NEXTVAL < ?",
                       {beyond, Param::Text(table), Param::Text(column), beyond}, nullptr, error))
            return 0;
    }
    return 0;
}

}  // namespace

long long NextNumberRun(std::string_view table, std::string_view column, long long count) {
    const long long next = Next(table, column);
    if (next < 1 || count <= 1) return next;
    const std::vector<CounterColumn> holders = Holders({table, column});
    long long highest = 0;
    if (!HighestInUse(holders, highest)) return 0;
    const long long first = std::max(next, highest + 1);
    std::string error;  // a failure gives no number, whatever its reason
    if (!RunNative(nullptr, "UPDATE HVXNEXTNUM SET NEXTVAL = ? WHERE TABLENAME = ? AND COLNAME = ?",
                   {Param::Number(static_cast<double>(first + count)),
                    Param::Text(std::string(holders.front().table)),
                    Param::Text(std::string(holders.front().column))},
                   nullptr, error))
        return 0;
    return first;
}

}  // namespace hvx

double NextNum(const void*, int, std::string_view table, int, int, int) {
    return static_cast<double>(hvx::Next(table, "RECNO"));
}

std::string NextCharLnk(const void*, int, std::string_view table, std::string_view column, int) {
    const long long n = hvx::Next(table, column);
    return n > 0 ? std::to_string(n) : std::string();
}

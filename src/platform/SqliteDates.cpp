#include "platform/SqliteDates.h"

#include <map>
#include <set>

#include "platform/Dates.h"
#include "platform/ParameterPlaces.h"

namespace hvx {
namespace {

using Columns = std::set<std::string, std::less<>>;

// The DATE columns of a table, upper case; none for a name that is no table.
Columns DateColumns(sqlite3* db, const std::string& table) {
    Columns columns;
    sqlite3_stmt* info = nullptr;
    if (sqlite3_prepare_v2(
            db, "SELECT upper(name) FROM pragma_table_info(?) WHERE upper(type) = 'DATE'", -1,
            &info, nullptr) != SQLITE_OK) {
        sqlite3_finalize(info);
        return columns;
    }
    sqlite3_bind_text(info, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(info) == SQLITE_ROW)
        columns.emplace(reinterpret_cast<const char*>(sqlite3_column_text(info, 0)));
    sqlite3_finalize(info);
    return columns;
}

}  // namespace

bool DateParameters(sqlite3* db, sqlite3_stmt* statement, std::vector<bool>& dates,
                    std::string& error) {
    dates.clear();
    const int count = sqlite3_bind_parameter_count(statement);
    if (count == 0) return true;
    const char* sql = sqlite3_sql(statement);
    const StatementPlaces places = ReadStatementPlaces(sql ? sql : "");
    std::map<std::string, Columns, std::less<>> byTable;
    Columns anyTable;  // a plain column may be of any of the statement's tables
    auto columnsOf = [&](const std::string& table) -> const Columns& {
        auto it = byTable.find(table);
        if (it == byTable.end()) it = byTable.emplace(table, DateColumns(db, table)).first;
        return it->second;
    };
    for (const std::string& table : places.tables) anyTable.merge(Columns(columnsOf(table)));
    if (places.parameters.size() != static_cast<std::size_t>(count)) {
        error = "The values of this statement cannot be told apart: " + std::string(sql);
        return false;
    }
    for (std::size_t i = 0; i < places.parameters.size(); ++i) {
        const ParameterPlace& place = places.parameters[i];
        if (place.column.empty() && !anyTable.empty()) {
            error = "Value " + std::to_string(i + 1) +
                    " of this statement stands beside no column, so whether it is a date cannot "
                    "be told: " +
                    sql;
            return false;
        }
        const Columns& columns = place.table.empty() ? anyTable : columnsOf(place.table);
        dates.push_back(columns.contains(place.column));
    }
    return true;
}

std::string StoredDate(const std::string& text) {
    CivilDate date;
    return ParseDate(text, date) ? FormatIso(date) : text;
}

}  // namespace hvx

#include "platform/Lookups.h"

#include <cctype>

#include "platform/Statements.h"
#include "platform/Text.h"

namespace hvx {

bool IsSqlName(std::string_view name) {
    if (name.empty() || name.size() > 64 || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

namespace {

// Runs a one-row query with text values and returns its first column.
bool FirstValue(const std::string& sql, const std::vector<Param>& params, std::string& out) {
    out.clear();
    std::string error;
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr, sql, params, &rows, error, 1) || rows.empty()) return false;
    out = std::move(rows.front().front());
    return true;
}

}  // namespace
}  // namespace hvx

using hvx::IsSqlName;
using hvx::Param;

std::string LookupRecno1(int, std::string_view table, std::string_view column,
                         std::string_view value) {
    if (!IsSqlName(table) || !IsSqlName(column)) return {};
    std::string recno;
    hvx::FirstValue("SELECT RECNO FROM " + std::string(table) + " WHERE " + std::string(column) +
                        " = ? ORDER BY RECNO",
                    {Param::Text(std::string(value))}, recno);
    return recno;
}

std::string LookupRecno2(int, std::string_view table, std::string_view column1,
                         std::string_view value1, std::string_view column2,
                         std::string_view value2) {
    if (!IsSqlName(table) || !IsSqlName(column1) || !IsSqlName(column2)) return {};
    std::string recno;
    hvx::FirstValue("SELECT RECNO FROM " + std::string(table) + " WHERE " + std::string(column1) +
                        " = ? AND " + std::string(column2) + " = ? ORDER BY RECNO",
                    {Param::Text(std::string(value1)), Param::Text(std::string(value2))}, recno);
    return recno;
}

bool GetField1(int, std::string_view table, std::string_view keyColumn, std::string_view keyValue,
               std::string_view column, std::string& out) {
    out.clear();
    if (!IsSqlName(table) || !IsSqlName(keyColumn) || !IsSqlName(column)) return false;
    return hvx::FirstValue("SELECT " + std::string(column) + " FROM " + std::string(table) +
                               " WHERE " + std::string(keyColumn) + " = ? ORDER BY RECNO",
                           {Param::Text(std::string(keyValue))}, out);
}

bool GetField1(int kind, std::string_view table, std::string_view keyColumn,
               std::string_view keyValue, std::string_view column, char* buffer, std::size_t max) {
    std::string value;
    const bool found = GetField1(kind, table, keyColumn, keyValue, column, value);
    CopyToBuffer(value, buffer, max);
    return found;
}

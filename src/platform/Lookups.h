#pragma once
// Keyed lookups of the framework over any table.
//
// Table and column names are the program's own constants; one that is not a
// plain SQL name is refused rather than put into a statement.
#include <cstddef>
#include <string>
#include <string_view>

// The RECNO of the first row whose column equals the value, as text, or ""
// when there is no such row.
std::string LookupRecno1(int kind, std::string_view table, std::string_view column,
                         std::string_view value);
std::string LookupRecno2(int kind, std::string_view table, std::string_view column1,
                         std::string_view value1, std::string_view column2,
                         std::string_view value2);

// Copies the column of the row whose key column equals the key into the
// buffer; true when a row was found (the buffer is empty otherwise).
bool GetField1(int kind, std::string_view table, std::string_view keyColumn,
               std::string_view keyValue, std::string_view column, char* buffer, std::size_t max);
bool GetField1(int kind, std::string_view table, std::string_view keyColumn,
               std::string_view keyValue, std::string_view column, std::string& out);

namespace hvx {
// Upper- or lower-case letters, digits and '_', not starting with a digit.
bool IsSqlName(std::string_view name);
}  // namespace hvx

#pragma once
// Writing a settlement's rows of one child table, with literal SQL on the
// simple connection or with prepared statements on the prepared connection.
//
// Both forms have the same effect: the settlement's earlier rows go, then
// every row is inserted under a new record number of the table, in list
// order. The first statement that fails stops the writer, whose message then
// names the table's list; the caller's transaction decides what survives.
#include <string>
#include <string_view>
#include <vector>

class HVXConnection;
class HVXSConnection;

namespace hvx::settlement {

struct ChildTable {
    std::string_view name;            // "HVXGR04B"
    std::string_view linkColumn;      // the settlement link column of its delete
    std::string_view literalInsert;   // its values as '%s' in row order, then RECNO as %.0f
    std::string_view preparedInsert;  // the same columns with "?"
    std::string_view saveFailure;
    std::string_view deleteFailure;
};

// The values of one inserted row, in the insert's column order, RECNO left out.
using RowValues = std::vector<std::string>;

// "DELETE FROM <table> WHERE <link>='%s'"; a database error fails.
bool DeleteRows(HVXSConnection& connection, const ChildTable& table, std::string_view setLink,
                std::string& message);
// The settlement's record numbers first, then "DELETE FROM <table> WHERE
// RECNO = ?" one row at a time; a database error fails.
bool DeleteRows(HVXConnection& connection, const ChildTable& table, std::string_view setLink,
                std::string& message);

// One row under the next record number of the table. A literal insert fails
// on a database error, or also on no row written when failBelowOne is set; a
// prepared insert fails when it writes no row. A record number that cannot
// be taken fails both.
bool InsertRow(HVXSConnection& connection, const ChildTable& table, const RowValues& values,
               bool failBelowOne, std::string& message);
bool InsertRow(HVXConnection& connection, const ChildTable& table, const RowValues& values,
               std::string& message);

// Delete, then insert every row.
bool RewriteRows(HVXSConnection& connection, const ChildTable& table, std::string_view setLink,
                 const std::vector<RowValues>& rows, std::string& message);
bool RewriteRows(HVXConnection& connection, const ChildTable& table, std::string_view setLink,
                 const std::vector<RowValues>& rows, std::string& message);

}  // namespace hvx::settlement

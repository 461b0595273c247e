#pragma once
// A settlement's rows of one child table (units and prices, deductions,
// grade factors, pay names, assembly links), written with literal SQL on the
// simple connection or with prepared statements on the prepared connection.
//
// Both forms have the same effect: the settlement's earlier rows go, then
// every row is inserted under a new record number of the table, in list
// order. The first statement that fails stops the writer, whose message then
// names the table's list; the caller's transaction decides what survives.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Statements.h"

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

// The literal form: "DELETE FROM <table> WHERE <link>='%s'". The prepared
// form reads the settlement's record numbers first, then deletes them one
// row at a time. A database error fails.
bool DeleteRows(Statements& sql, const ChildTable& table, std::string_view setLink,
                std::string& message);

// One row under the next record number of the table; the values in the
// insert's column order, RECNO left out. A literal insert fails on a
// database error, or also on no row written when failBelowOne is set; a
// prepared insert fails whenever it writes no row. A record number that
// cannot be taken fails both.
bool InsertRow(Statements& sql, const ChildTable& table, const SqlRow& values, bool failBelowOne,
               std::string& message);

// What the four lists of a settlement's lines share: their rows are read
// with the settlement's link and written back whole.
class ChildList {
public:
    virtual ~ChildList() = default;

    // Neither form writes anything, not even the delete, while the list has
    // nothing to write.
    bool Write(HVXSConnection& connection, std::string_view settlement, std::string_view setLink,
               std::string& message) const;
    bool Write(HVXConnection& connection, std::string_view settlement, std::string_view setLink,
               std::string& message) const;

protected:
    virtual const ChildTable& Table() const = 0;
    virtual bool HasRowsToWrite() const = 0;
    // The stored rows, in the insert's column order without RECNO.
    virtual std::vector<SqlRow> Rows(std::string_view settlement,
                                     std::string_view setLink) const = 0;

    // Runs the select (a format of the settlement link) and hands every row
    // of `columns` texts to `add`, once all are read. False on a database
    // error, with its text in message.
    static bool LoadRows(HVXSConnection& connection, std::string_view select,
                         std::string_view setLink, int columns, std::string& message,
                         const std::function<void(const SqlRow&)>& add);

private:
    bool Write(Statements& sql, std::string_view settlement, std::string_view setLink,
               std::string& message) const;
};

}  // namespace hvx::settlement

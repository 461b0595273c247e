#include "settlement/ChildRowStore.h"

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "rules/StoredText.h"

namespace hvx::settlement {
namespace {

std::string Text(std::string_view text) { return std::string(text); }

bool Fail(std::string& message, std::string_view text) {
    message = text;
    return false;
}

// A row is never written under a guessed record number.
double NextRecno(const ChildTable& table) { return NextNum(nullptr, 1, table.name, 10, 0, 1); }

}  // namespace

bool DeleteRows(HVXSConnection& connection, const ChildTable& table, std::string_view setLink,
                std::string& message) {
    const std::string sql =
        _HVXsprintf("DELETE FROM %s WHERE %s='%s'", table.name, table.linkColumn, setLink);
    return connection.ExecSQLChange(sql) >= 0 || Fail(message, table.deleteFailure);
}

bool DeleteRows(HVXConnection& connection, const ChildTable& table, std::string_view setLink,
                std::string& message) {
    const std::string select =
        "SELECT RECNO FROM " + Text(table.name) + " WHERE " + Text(table.linkColumn) + " = ?";
    const std::string remove = "DELETE FROM " + Text(table.name) + " WHERE RECNO = ?";
    connection.BindParam(select, setLink);
    if (connection.ExecuteSQL(select) < 0) return Fail(message, table.deleteFailure);
    // The numbers are read to the end before the first delete, so no engine
    // is asked to walk a result while its rows go.
    std::vector<std::string> recnos;
    while (connection.FetchNext(select))
        recnos.push_back(_Fmt("%.0f", TextNumber(connection.ColumnVar(select, 1))));
    for (const std::string& recno : recnos) {
        connection.BindParam(remove, recno);
        if (connection.ExecuteSQL(remove) < 0) return Fail(message, table.deleteFailure);
    }
    return true;
}

bool InsertRow(HVXSConnection& connection, const ChildTable& table, const RowValues& values,
               bool failBelowOne, std::string& message) {
    const double recno = NextRecno(table);
    if (recno == 0) return Fail(message, table.saveFailure);
    std::vector<FmtArg> args(values.begin(), values.end());
    args.emplace_back(recno);
    const long written = connection.ExecSQLChange(FormatArgs(table.literalInsert, args));
    if (written < 0 || (failBelowOne && written < 1)) return Fail(message, table.saveFailure);
    return true;
}

bool InsertRow(HVXConnection& connection, const ChildTable& table, const RowValues& values,
               std::string& message) {
    const double recno = NextRecno(table);
    if (recno == 0) return Fail(message, table.saveFailure);
    for (const std::string& value : values) connection.BindParam(table.preparedInsert, value);
    connection.BindParam(table.preparedInsert, _Fmt("%.0f", recno));
    if (connection.ExecuteSQL(table.preparedInsert) < 1) return Fail(message, table.saveFailure);
    return true;
}

bool RewriteRows(HVXSConnection& connection, const ChildTable& table, std::string_view setLink,
                 const std::vector<RowValues>& rows, std::string& message) {
    if (!DeleteRows(connection, table, setLink, message)) return false;
    for (const RowValues& row : rows)
        if (!InsertRow(connection, table, row, false, message)) return false;
    return true;
}

bool RewriteRows(HVXConnection& connection, const ChildTable& table, std::string_view setLink,
                 const std::vector<RowValues>& rows, std::string& message) {
    if (!DeleteRows(connection, table, setLink, message)) return false;
    for (const RowValues& row : rows)
        if (!InsertRow(connection, table, row, message)) return false;
    return true;
}

}  // namespace hvx::settlement

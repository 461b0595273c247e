#include "settlement/ChildList.h"

#include "platform/Fail.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "rules/StoredText.h"

namespace hvx::settlement {
bool DeleteRows(Statements& sql, const ChildTable& table, std::string_view setLink,
                std::string& message) {
    const std::string name(table.name), link(table.linkColumn);
    if (!sql.Prepared()) {
        const std::string remove = "DELETE FROM " + name + " WHERE " + link + "='%s'";
        return sql.Change({remove}, {setLink}) >= 0 || Fail(message, table.deleteFailure);
    }
    const std::string select = "SELECT RECNO FROM " + name + " WHERE " + link + " = ?";
    const std::string remove = "DELETE FROM " + name + " WHERE RECNO = ?";
    // The numbers are read to the end before the first delete, so no engine
    // is asked to walk a result while its rows go.
    std::vector<SqlRow> recnos;
    if (!sql.Query({{}, select}, {setLink}, 1, recnos)) return Fail(message, table.deleteFailure);
    for (const SqlRow& recno : recnos)
        if (sql.Change({{}, remove}, {_Fmt("%.0f", TextNumber(recno[0]))}) < 0)
            return Fail(message, table.deleteFailure);
    return true;
}

bool InsertRow(Statements& sql, const ChildTable& table, const SqlRow& values, bool failBelowOne,
               std::string& message) {
    // A row is never written under a guessed record number.
    const double recno = NextRecordNumber(table.name);
    if (recno == 0) return Fail(message, table.saveFailure);
    SqlValues args(values.begin(), values.end());
    args.emplace_back(recno);
    const long written = sql.Change({table.literalInsert, table.preparedInsert}, args);
    const bool mustWrite = failBelowOne || sql.Prepared();
    if (written < 0 || (mustWrite && written < 1)) return Fail(message, table.saveFailure);
    return true;
}

bool ChildList::Write(HVXSConnection& connection, std::string_view settlement,
                      std::string_view setLink, std::string& message) const {
    LiteralStatements sql(connection);
    return Write(sql, settlement, setLink, message);
}

bool ChildList::Write(HVXConnection& connection, std::string_view settlement,
                      std::string_view setLink, std::string& message) const {
    PreparedStatements sql(connection);
    return Write(sql, settlement, setLink, message);
}

bool ChildList::Write(Statements& sql, std::string_view settlement, std::string_view setLink,
                      std::string& message) const {
    if (!HasRowsToWrite()) return true;
    if (!DeleteRows(sql, Table(), setLink, message)) return false;
    for (const SqlRow& row : Rows(settlement, setLink))
        if (!InsertRow(sql, Table(), row, false, message)) return false;
    return true;
}

bool ChildList::LoadRows(HVXSConnection& connection, std::string_view select,
                         std::string_view setLink, int columns, std::string& message,
                         const std::function<void(const SqlRow&)>& add) {
    std::vector<SqlRow> rows;
    LiteralStatements sql(connection);
    if (!sql.Query({select}, {setLink}, columns, rows)) {
        message = sql.LastError();
        return false;
    }
    for (const SqlRow& row : rows) add(row);
    return true;
}

}  // namespace hvx::settlement

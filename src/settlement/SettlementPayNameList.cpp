#include "settlement/SettlementPayNameList.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "settlement/ChildListText.h"
#include "settlement/ChildRowStore.h"

namespace hvx::settlement {
namespace {

const ChildTable kPayNameTable{
    .name = "HVXGR04E",
    .linkColumn = "SETLINK",
    .literalInsert = "INSERT INTO HVXGR04E (SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE,RECNO) "
                     "VALUES ('%s','%s','%s','%s','%s',%.0f)",
    .preparedInsert = "INSERT INTO HVXGR04E (SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE,RECNO) "
                      "VALUES (?,?,?,?,?,?)",
    .saveFailure = "Unable to save payname list detail item.",
    .deleteFailure = "Unable to delete from payname list detail.",
};

}  // namespace

void SettlementPayNameList::Add(std::string_view payName, bool mortgagee) {
    nodes_.push_back({KeepFirst(payName, kPayNameChars), mortgagee});
}

std::vector<std::string> SettlementPayNameList::ListRows() const {
    std::vector<std::string> rows;
    for (const SettlementPayNameNode& n : nodes_)
        rows.push_back(n.payName + (n.mortgagee ? "\tMortgagee" : "\tPayee"));
    return rows;
}

bool SettlementPayNameList::Load(HVXSConnection& connection, std::string_view setLink,
                                 std::string& message) {
    Clear();
    if (!connection.ExecSQL(
            _HVXsprintf("SELECT PAYNAME,PNTYPE FROM HVXGR04E WHERE SETLINK='%s'", setLink))) {
        message = connection.LastError();
        return false;
    }
    while (connection.FetchNext()) Add(connection.Column(1), connection.Column(2) == "1");
    return true;
}

std::vector<RowValues> SettlementPayNameList::Rows(std::string_view settlement,
                                                   std::string_view setLink) const {
    std::vector<RowValues> rows;
    for (const SettlementPayNameNode& n : nodes_)
        rows.push_back({std::string(settlement), std::string(setLink), n.payName,
                        n.mortgagee ? "1" : "0", "0"});
    return rows;
}

bool SettlementPayNameList::Write(HVXSConnection& connection, std::string_view settlement,
                                  std::string_view setLink, std::string& message) const {
    if (nodes_.empty()) return true;
    return RewriteRows(connection, kPayNameTable, setLink, Rows(settlement, setLink), message);
}

bool SettlementPayNameList::Write(HVXConnection& connection, std::string_view settlement,
                                  std::string_view setLink, std::string& message) const {
    if (nodes_.empty()) return true;
    return RewriteRows(connection, kPayNameTable, setLink, Rows(settlement, setLink), message);
}

}  // namespace hvx::settlement

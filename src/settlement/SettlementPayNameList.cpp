#include "settlement/SettlementPayNameList.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "settlement/ChildListText.h"

namespace hvx::settlement {
namespace {

const ChildTable kPayNameTable{
    .name = "HVXGR04E",
    .linkColumn = "SETLINK",
    .literalInsert =
        "INSERT INTO HVXGR04E (SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE,RECNO) "
        "VALUES ('%s','%s','%s','%s','%s',%.0f)",
    .preparedInsert =
        "INSERT INTO HVXGR04E (SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE,RECNO) "
        "VALUES (?,?,?,?,?,?)",
    .saveFailure = "Unable to save payname list detail item.",
    .deleteFailure = "Unable to delete from payname list detail.",
};

}  // namespace

void SettlementPayNameList::Add(std::string_view payName, bool mortgagee) {
    nodes_.push_back({KeepFirst(payName, kPayNameChars), mortgagee});
}

bool SettlementPayNameList::Replace(std::size_t at, std::string_view payName, bool mortgagee) {
    if (at >= nodes_.size()) return false;
    nodes_[at] = {KeepFirst(payName, kPayNameChars), mortgagee};
    return true;
}

bool SettlementPayNameList::Remove(std::size_t at) {
    if (at >= nodes_.size()) return false;
    nodes_.erase(nodes_.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
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
    return LoadRows(connection, "SELECT PAYNAME,PNTYPE FROM HVXGR04E WHERE SETLINK='%s'", setLink,
                    2, message, [this](const SqlRow& r) { Add(r[0], r[1] == "1"); });
}

std::vector<SqlRow> SettlementPayNameList::Rows(std::string_view settlement,
                                                std::string_view setLink) const {
    std::vector<SqlRow> rows;
    for (const SettlementPayNameNode& n : nodes_)
        rows.push_back({std::string(settlement), std::string(setLink), n.payName,
                        n.mortgagee ? "1" : "0", "0"});
    return rows;
}

const ChildTable& SettlementPayNameList::Table() const {
    return kPayNameTable;
}

bool SettlementPayNameList::HasRowsToWrite() const {
    return !nodes_.empty();
}

}  // namespace hvx::settlement

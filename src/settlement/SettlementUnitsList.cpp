#include "settlement/SettlementUnitsList.h"

#include <algorithm>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "settlement/ChildListText.h"

namespace hvx::settlement {
namespace {

const ChildTable kUnitsTable{
    .name = "HVXGR04B",
    .linkColumn = "SETLINK",
    .literalInsert =
        "INSERT INTO HVXGR04B (SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE,NUMCHANGE,"
        "RECNO) VALUES ('%s','%s','%s','%s','%s','%s',%.0f)",
    .preparedInsert =
        "INSERT INTO HVXGR04B (SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE,NUMCHANGE,"
        "RECNO) VALUES (?,?,?,?,?,?,?)",
    .saveFailure = "Unable to save units/price list detail item.",
    .deleteFailure = "Unable to delete units/price list detail item.",
};

}  // namespace

void SettlementUnitsList::Clear() {
    nodes_.clear();
    hasData_ = false;
}

void SettlementUnitsList::Add(std::string_view units, std::string_view price,
                              std::string_view dlLink) {
    nodes_.push_back({KeepFirst(units, kListFieldChars), KeepFirst(price, kListFieldChars),
                      KeepFirst(dlLink, kListFieldChars)});
    hasData_ = true;
}

void SettlementUnitsList::RemoveLink(std::string_view dlLink) {
    std::erase_if(nodes_, [&](const SettlementUnitsNode& n) { return n.dlLink == dlLink; });
}

std::vector<SettlementUnitsNode> SettlementUnitsList::GridRows(std::string_view dlLink) const {
    std::vector<SettlementUnitsNode> rows;
    std::ranges::copy_if(nodes_, std::back_inserter(rows),
                         [&](const SettlementUnitsNode& n) { return n.dlLink == dlLink; });
    return rows;
}

bool SettlementUnitsList::Load(HVXSConnection& connection, std::string_view setLink,
                               std::string& message) {
    Clear();
    return LoadRows(connection, "SELECT DLLINK,UNITS,PRICE FROM HVXGR04B WHERE SETLINK='%s'",
                    setLink, 3, message, [this](const SqlRow& r) { Add(r[1], r[2], r[0]); });
}

std::vector<SqlRow> SettlementUnitsList::Rows(std::string_view settlement,
                                              std::string_view setLink) const {
    std::vector<SqlRow> rows;
    for (const SettlementUnitsNode& n : nodes_)
        rows.push_back(
            {std::string(settlement), std::string(setLink), n.dlLink, n.units, n.price, "0"});
    return rows;
}

const ChildTable& SettlementUnitsList::Table() const {
    return kUnitsTable;
}

bool SettlementUnitsList::HasRowsToWrite() const {
    return hasData_;
}

}  // namespace hvx::settlement

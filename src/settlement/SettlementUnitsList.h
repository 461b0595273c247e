#pragma once
// The units and prices of a settlement's lines (HVXGR04B), in entry order.
//
// Not to be confused with the price page's own row editor: this is what the
// settlement keeps and stores, one node per price level of each line.
#include <string>
#include <string_view>
#include <vector>

#include "settlement/ChildList.h"

class HVXSConnection;

namespace hvx::settlement {

struct SettlementUnitsNode {
    std::string units;
    std::string price;
    std::string dlLink;
    bool operator==(const SettlementUnitsNode&) const = default;
};

class SettlementUnitsList final : public ChildList {
public:
    const std::vector<SettlementUnitsNode>& Nodes() const { return nodes_; }
    // True once a node has been added since the list was last cleared.
    bool HasData() const { return hasData_; }

    void Clear();
    void Add(std::string_view units, std::string_view price, std::string_view dlLink);
    void RemoveLink(std::string_view dlLink);
    // The rows of the line's price levels, as its grid shows them.
    std::vector<SettlementUnitsNode> GridRows(std::string_view dlLink) const;

    // "SELECT DLLINK,UNITS,PRICE FROM HVXGR04B WHERE SETLINK='%s'"; false on
    // a database error, with its text in message.
    bool Load(HVXSConnection& connection, std::string_view setLink, std::string& message);

private:
    const ChildTable& Table() const override;
    bool HasRowsToWrite() const override;
    std::vector<SqlRow> Rows(std::string_view settlement, std::string_view setLink) const override;

    std::vector<SettlementUnitsNode> nodes_;
    bool hasData_ = false;
};

}  // namespace hvx::settlement

#pragma once
// The pay names of a settlement (HVXGR04E): who the check is made out to,
// payees and mortgagees, in entry order.
#include <string>
#include <string_view>
#include <vector>

#include "settlement/ChildList.h"

class HVXSConnection;

namespace hvx::settlement {

struct SettlementPayNameNode {
    std::string payName;
    bool mortgagee = false;  // false: a payee
    bool operator==(const SettlementPayNameNode&) const = default;
};

class SettlementPayNameList final : public ChildList {
public:
    const std::vector<SettlementPayNameNode>& Nodes() const { return nodes_; }
    std::size_t Count() const { return nodes_.size(); }

    void Clear() { nodes_.clear(); }
    void Add(std::string_view payName, bool mortgagee);
    // The pay name at a place in the list changed, or taken out; false (and
    // nothing changes) for a place that is not in the list.
    bool Replace(std::size_t at, std::string_view payName, bool mortgagee);
    bool Remove(std::size_t at);
    // One list-box row a name: the name, a tab, "Mortgagee" or "Payee".
    std::vector<std::string> ListRows() const;

    // "SELECT PAYNAME,PNTYPE FROM HVXGR04E WHERE SETLINK='%s'"; PNTYPE "1"
    // is a mortgagee.
    bool Load(HVXSConnection& connection, std::string_view setLink, std::string& message);

private:
    const ChildTable& Table() const override;
    bool HasRowsToWrite() const override;
    std::vector<SqlRow> Rows(std::string_view settlement, std::string_view setLink) const override;

    std::vector<SettlementPayNameNode> nodes_;
};

}  // namespace hvx::settlement

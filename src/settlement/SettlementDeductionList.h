#pragma once
// The deductions and additions of a settlement's lines (HVXGR04C), in entry
// order, with the advance flag of each deduction code.
//
// Not the price page's row editor: this is what the settlement keeps and
// stores, and what its advances are taken from.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settlement/ChildList.h"

class HVXSConnection;

namespace hvx::settlement {

struct SettlementDeductionNode {
    std::string deduct;  // deduction code, HVXGR52.REFERENCE
    std::string amount;
    std::string da;       // "D" deduction, "A" addition
    std::string advance;  // "T" when the code repays or pays out an advance
    std::string dlLink;
    std::string assembly;
    std::string source;
    bool operator==(const SettlementDeductionNode&) const = default;
};

class SettlementDeductionList final : public ChildList {
public:
    // Receives an advance-flagged node with its signed amount: negative for a
    // deduction (a repayment), positive for an addition (an advance paid out).
    using AdvanceSink = std::function<void(const SettlementDeductionNode&, double amount)>;

    const std::vector<SettlementDeductionNode>& Nodes() const { return nodes_; }
    bool HasData() const { return hasData_; }

    void Clear();
    void Add(std::string_view code, std::string_view amount, std::string_view da,
             std::string_view advance, std::string_view dlLink, std::string_view assembly,
             std::string_view source);
    void RemoveLink(std::string_view dlLink);

    // Sum of AMOUNT over the nodes of the assembly.
    double AssemblyTotal(std::string_view assembly) const;
    // Over the advance-flagged nodes of the source and assembly: additions
    // count up, deductions down.
    double AdvanceTotal(std::string_view source, std::string_view assembly) const;
    // Hands every advance-flagged node, or only those of one line, to the
    // advance tracking, in list order.
    void HandAdvances(std::optional<std::string_view> dlLink, const AdvanceSink& sink) const;

    // Loads the settlement's rows; the advance flag comes from the code's
    // HVXGR52.ADVCODE. False on a database error, with its text in message.
    bool Load(HVXSConnection& connection, std::string_view setLink, std::string& message);

private:
    const ChildTable& Table() const override;
    bool HasRowsToWrite() const override;
    std::vector<SqlRow> Rows(std::string_view settlement, std::string_view setLink) const override;

    std::vector<SettlementDeductionNode> nodes_;
    bool hasData_ = false;
};

}  // namespace hvx::settlement

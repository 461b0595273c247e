#pragma once
// The grade factors of a settlement's lines (HVXGR04A), in entry order.
//
// Grade factor, result and line link are each kept to their first 14
// characters. A value of more than 15 characters is shown to the user first
// (captioned "Grade Factor", "Result" or "Key"), so that a cut that changes
// its meaning does not pass unseen; a value of exactly 15 is cut silently.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settlement/ChildList.h"

class HVXSConnection;

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

inline constexpr std::size_t kGradeFieldChars = 14;

struct SettlementGradeNode {
    std::string gradFact;
    std::string result;
    std::string dlLink;
    double units = 0;  // units the result has been accumulated over
    bool operator==(const SettlementGradeNode&) const = default;
};

class SettlementGradeList final : public ChildList {
public:
    const std::vector<SettlementGradeNode>& Nodes() const { return nodes_; }
    bool HasData() const { return hasData_; }

    void Clear();
    void Add(std::string_view gradFact, std::string_view result, std::string_view dlLink,
             UiPort& ui);
    void RemoveLink(std::string_view dlLink);
    // Compared with the first 14 characters of each argument, as stored.
    SettlementGradeNode* Find(std::string_view dlLink, std::string_view gradFact);

    // Folds a source's result into the line's grade factor: the result becomes
    // the units-weighted mean of what was accumulated and the new result,
    // written "%.3f". An empty result or zero units change nothing, and so
    // does a sum of units that comes to zero. False when the line has no
    // such grade factor.
    bool Accumulate(std::string_view dlLink, std::string_view gradFact, std::string_view result,
                    double units);
    // Accumulated units back to 0, for one line or for all.
    void ResetUnits(std::optional<std::string_view> dlLink);

    bool Load(HVXSConnection& connection, std::string_view setLink, UiPort& ui,
              std::string& message);

private:
    const ChildTable& Table() const override;
    bool HasRowsToWrite() const override;
    std::vector<SqlRow> Rows(std::string_view settlement, std::string_view setLink) const override;

    std::vector<SettlementGradeNode> nodes_;
    bool hasData_ = false;
};

}  // namespace hvx::settlement

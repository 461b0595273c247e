#pragma once
// The source lines of a settlement, in entry order, and the distinct sources
// they draw on.
//
// Lines and sources are kept in std::list so that they stay in entry order
// and a line or source the window holds on to stays where it is while others
// are added or removed. A source whose last line is removed stays in the list
// marked removed: the save still has to give its saved units back.
#include <list>
#include <string_view>

#include "settlement/SettlementDetailItem.h"
#include "settlement/SettlementUniqueDetailItem.h"

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

struct LineTotals {
    double units = 0;    // sum of HVXRound(UNITSSET, 4)
    double dollars = 0;  // sum of HVXRound(TOTPRICE, 2)
};

class SettlementDetailList {
public:
    using Lines = std::list<SettlementDetailItem>;
    using Sources = std::list<SettlementUniqueDetailItem>;

    const Lines& Items() const { return lines_; }
    const Sources& UniqueSources() const { return sources_; }
    Sources& UniqueSources() { return sources_; }
    bool Empty() const { return lines_.empty(); }
    std::size_t Count() const { return lines_.size(); }

    bool Changed() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }

    // While a stored settlement is loaded, the lines added count as already
    // saved on their sources.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    // Appends the line and enters it into its source.
    void AddLine(SettlementDetailItem item);
    // Removes every line with the link and takes each out of its source. A
    // line whose source is not in the list is reported on the port and
    // removed all the same.
    void RemoveLine(std::string_view dlLink, UiPort& ui);
    // Puts the line in place of the line of its link, where that line stands
    // in the list, its units moved from the old line's source to its own.
    // False when no line has the link.
    bool ReplaceLine(SettlementDetailItem item, UiPort& ui);

    SettlementDetailItem* FindLine(std::string_view dlLink);
    const SettlementDetailItem* FindLine(std::string_view dlLink) const;
    SettlementDetailItem* FindLineByContract(std::string_view toCategory,
                                             std::string_view contract);

    double TotalUnits() const;    // unrounded sum of UNITSSET
    double TotalDollars() const;  // unrounded sum of TOTPRICE
    LineTotals Totals() const;    // each addend rounded

    // Removed sources included.
    SettlementUniqueDetailItem* FindSource(const SourceKey& key);
    const SettlementUniqueDetailItem* FindSource(const SourceKey& key) const;
    // Only sources some line still uses.
    SettlementUniqueDetailItem* FindActiveSource(const SourceKey& key);

    // Current values of every source recomputed from the lines, as the
    // allocation and its checks need them just before a save.
    void RebuildCurrentValues();
    void CommitSources();
    void ClearSources() { sources_.clear(); }

    // Lines and sources; loading mode off, not changed.
    void Clear();

private:
    void Enter(const SettlementDetailItem& item);
    void Withdraw(const SettlementDetailItem& item, UiPort& ui);

    Lines lines_;
    Sources sources_;
    bool changed_ = false;
    bool loading_ = false;
};

}  // namespace hvx::settlement

#include "settlement/SettlementDetailList.h"

#include <algorithm>
#include <utility>

#include "platform/Format.h"
#include "platform/Rounding.h"
#include "platform/UiPort.h"

namespace hvx::settlement {

void SettlementDetailList::Enter(const SettlementDetailItem& item) {
    // A source given up earlier in this session is taken up again rather
    // than listed twice, so its saved units are counted once.
    SettlementUniqueDetailItem* source = FindSource(item.Key());
    if (!source) {
        source = &sources_.emplace_back();
        source->sourceKind = item.source;
        source->sourceRef = item.sourceRef;
        source->sourceLink = item.sourceLink;
        source->contract = item.contract;
        source->toCategory = item.toDpr;
    }
    source->Enter(item.unitsSet, item.totPrice, loading_);
    ++source->count;
    source->removed = false;
    changed_ = true;
}

void SettlementDetailList::Withdraw(const SettlementDetailItem& item, UiPort& ui) {
    if (SettlementUniqueDetailItem* source = FindActiveSource(item.Key())) {
        source->Withdraw(item.unitsSet, item.totPrice);
        if (--source->count <= 0) {
            source->count = 0;
            source->removed = true;
        }
    } else {
        ShowMessage(ui, _HVXsprintf("Unique source list has no entry for link %s.", item.dlLink));
    }
    changed_ = true;
}

void SettlementDetailList::AddLine(SettlementDetailItem item) {
    Enter(item);
    lines_.push_back(std::move(item));
}

void SettlementDetailList::RemoveLine(std::string_view dlLink, UiPort& ui) {
    for (auto it = lines_.begin(); it != lines_.end();) {
        if (it->dlLink != dlLink) {
            ++it;
            continue;
        }
        Withdraw(*it, ui);
        it = lines_.erase(it);
    }
}

bool SettlementDetailList::ReplaceLine(SettlementDetailItem item, UiPort& ui) {
    SettlementDetailItem* line = FindLine(item.dlLink);
    if (!line) return false;
    Withdraw(*line, ui);
    Enter(item);
    *line = std::move(item);
    return true;
}

SettlementDetailItem* SettlementDetailList::FindLine(std::string_view dlLink) {
    auto it = std::ranges::find(lines_, dlLink, &SettlementDetailItem::dlLink);
    return it == lines_.end() ? nullptr : &*it;
}

const SettlementDetailItem* SettlementDetailList::FindLine(std::string_view dlLink) const {
    auto it = std::ranges::find(lines_, dlLink, &SettlementDetailItem::dlLink);
    return it == lines_.end() ? nullptr : &*it;
}

SettlementDetailItem* SettlementDetailList::FindLineByContract(std::string_view toCategory,
                                                               std::string_view contract) {
    auto it = std::ranges::find_if(lines_, [&](const SettlementDetailItem& line) {
        return line.toDpr == toCategory && line.contract == contract;
    });
    return it == lines_.end() ? nullptr : &*it;
}

double SettlementDetailList::TotalUnits() const {
    double total = 0;
    for (const SettlementDetailItem& line : lines_) total += line.unitsSet;
    return total;
}

double SettlementDetailList::TotalDollars() const {
    double total = 0;
    for (const SettlementDetailItem& line : lines_) total += line.totPrice;
    return total;
}

LineTotals SettlementDetailList::Totals() const {
    LineTotals totals;
    for (const SettlementDetailItem& line : lines_) {
        totals.units += HVXRound(line.unitsSet, 4);
        totals.dollars += HVXRound(line.totPrice, 2);
    }
    return totals;
}

SettlementUniqueDetailItem* SettlementDetailList::FindSource(const SourceKey& key) {
    return const_cast<SettlementUniqueDetailItem*>(std::as_const(*this).FindSource(key));
}

const SettlementUniqueDetailItem* SettlementDetailList::FindSource(const SourceKey& key) const {
    auto it = std::ranges::find_if(
        sources_, [&](const SettlementUniqueDetailItem& s) { return s.Key() == key; });
    return it == sources_.end() ? nullptr : &*it;
}

SettlementUniqueDetailItem* SettlementDetailList::FindActiveSource(const SourceKey& key) {
    auto it = std::ranges::find_if(sources_, [&](const SettlementUniqueDetailItem& s) {
        return !s.removed && s.Key() == key;
    });
    return it == sources_.end() ? nullptr : &*it;
}

void SettlementDetailList::RebuildCurrentValues() {
    for (SettlementUniqueDetailItem& source : sources_) {
        source.currentUnits = 0;
        source.currentDollars = 0;
    }
    for (const SettlementDetailItem& line : lines_)
        if (SettlementUniqueDetailItem* source = FindSource(line.Key()))
            source->Enter(line.unitsSet, line.totPrice, false);
}

void SettlementDetailList::CommitSources() {
    for (SettlementUniqueDetailItem& source : sources_) source.Commit();
}

void SettlementDetailList::Clear() {
    lines_.clear();
    sources_.clear();
    changed_ = false;
    loading_ = false;
}

}  // namespace hvx::settlement

#include "settlement/GrainAdvanceTrackingObject.h"

#include "platform/Rounding.h"
#include "rules/Categories.h"

namespace hvx::settlement {

void GrainAdvanceTrackingObject::Clear() {
    items_.clear();
    chosen_.clear();
    choseByHand_ = false;
}

void GrainAdvanceTrackingObject::AddItem(std::string_view lineLink, std::string_view source,
                                         std::string_view sourceRef, std::string_view checkNumber,
                                         double amount) {
    items_.push_back({std::string(lineLink), std::string(source), std::string(sourceRef),
                      std::string(checkNumber), amount});
}

const GrainAdvanceItem* GrainAdvanceTrackingObject::FindItem(std::string_view lineLink) const {
    for (const GrainAdvanceItem& item : items_)
        if (item.lineLink == lineLink) return &item;
    return nullptr;
}

const GrainAdvanceItem* GrainAdvanceTrackingObject::FindPaidOutItem(
    std::string_view lineLink) const {
    for (const GrainAdvanceItem& item : items_)
        if (item.lineLink == lineLink && item.amount > 0) return &item;
    return nullptr;
}

bool GrainAdvanceTrackingObject::HasRepayments() const {
    for (const GrainAdvanceItem& item : items_)
        if (item.amount < 0) return true;
    return false;
}

double GrainAdvanceTrackingObject::RepaymentTotal() const {
    double total = 0;
    for (const GrainAdvanceItem& item : items_)
        if (item.amount < 0) total += HVXRound(-item.amount, 2);
    return HVXRound(total, 2);
}

void GrainAdvanceTrackingObject::SetChosen(const std::vector<double>& recnos) {
    chosen_.assign(recnos.begin(),
                   recnos.size() > kMaxChosen ? recnos.begin() + kMaxChosen : recnos.end());
    choseByHand_ = true;
}

void GrainAdvanceTrackingObject::SetAutomatic() {
    chosen_.clear();
    choseByHand_ = false;
}

namespace {

bool PaysAdvances(std::string_view category) {
    return category == kPriced || category == kInstallmentSale;
}

void HandOver(const AdvanceRowInput& row, std::string_view lineLink, std::string_view source,
              std::string_view sourceRef, std::string_view checkNumber,
              GrainAdvanceTrackingObject& tracking) {
    const double amount = row.da == "D" ? -row.amount : row.amount;
    tracking.AddItem(lineLink, source, sourceRef, checkNumber, amount);
}

}  // namespace

void CollectAdvanceItems(const AdvanceSettlementInput& settlement,
                         GrainAdvanceTrackingObject& tracking) {
    tracking.Clear();
    if (settlement.multipleSource) {
        if (!PaysAdvances(settlement.destination) || settlement.lines.empty()) return;
        const AdvanceLineInput& first = settlement.lines.front();
        const std::string_view check =
            settlement.destination == kPriced ? std::string_view(settlement.checkNumber) : "";
        // One destination for the whole settlement: the items carry no line
        // link, and their advances are found by the settlement link.
        for (const AdvanceRowInput& row : settlement.rows)
            if (row.advance) HandOver(row, "", first.source, first.sourceRef, check, tracking);
        return;
    }
    for (const AdvanceLineInput& line : settlement.lines) {
        if (!PaysAdvances(line.toCategory)) continue;
        const std::string_view check =
            line.toCategory == kPriced ? std::string_view(settlement.checkNumber) : "";
        for (const AdvanceRowInput& row : settlement.rows)
            if (row.advance && row.lineLink == line.lineLink)
                HandOver(row, line.lineLink, line.source, line.sourceRef, check, tracking);
    }
}

}  // namespace hvx::settlement

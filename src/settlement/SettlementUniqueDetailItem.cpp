#include "settlement/SettlementUniqueDetailItem.h"

#include "platform/Rounding.h"

namespace hvx::settlement {

void SettlementUniqueDetailItem::Enter(double units, double dollars, bool loading) {
    const double u = HVXRound(units, 4);
    const double d = HVXRound(dollars, 2);
    // The running sums are rounded again so that adding and taking away the
    // same lines comes back to exactly 0, not to a binary remainder.
    currentUnits = HVXRound(currentUnits + u, 4);
    currentDollars = HVXRound(currentDollars + d, 2);
    if (loading) {
        savedUnits = HVXRound(savedUnits + u, 4);
        savedDollars = HVXRound(savedDollars + d, 2);
    }
}

void SettlementUniqueDetailItem::Withdraw(double units, double dollars) {
    currentUnits = HVXRound(currentUnits - HVXRound(units, 4), 4);
    currentDollars = HVXRound(currentDollars - HVXRound(dollars, 2), 2);
}

double SettlementUniqueDetailItem::UnitDelta() const {
    return HVXRound(currentUnits - savedUnits, 4);
}

double SettlementUniqueDetailItem::DollarDelta() const {
    return HVXRound(currentDollars - savedDollars, 2);
}

double SettlementUniqueDetailItem::SavedUnitsRounded() const { return HVXRound(savedUnits, 4); }

double SettlementUniqueDetailItem::CurrentUnitsRounded() const {
    return HVXRound(currentUnits, 4);
}

void SettlementUniqueDetailItem::Commit() {
    savedUnits = HVXRound(currentUnits, 4);
    savedDollars = HVXRound(currentDollars, 2);
    currentUnits = 0;
    currentDollars = 0;
}

}  // namespace hvx::settlement

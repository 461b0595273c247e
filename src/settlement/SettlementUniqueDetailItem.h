#pragma once
// One distinct source of a settlement and what the settlement takes from it.
//
// The saved values are what the stored settlement took when it was loaded or
// last saved; the current values are what its lines take now. A save applies
// only the difference to the source, so saving an unchanged settlement moves
// nothing. Every addend is rounded as it is entered (units to 4 decimals,
// dollars to 2) so that the sums are the sums of what the lines show.
#include <string>

#include "settlement/SettlementDetailItem.h"

namespace hvx::settlement {

struct SettlementUniqueDetailItem {
    std::string sourceKind;
    std::string sourceRef;  // for an assembly, the assembly number
    std::string sourceLink;
    std::string contract;
    std::string toCategory;
    double currentUnits = 0;
    double savedUnits = 0;
    double currentDollars = 0;
    double savedDollars = 0;
    bool locked = false;  // record lock on its assembly taken for a save
    double lockedRecno = 0;  // the assembly record that lock is on
    int count = 0;        // lines that use this source
    bool removed = false;  // no line uses it any more; its saved units go back

    SourceKey Key() const { return {sourceKind, sourceRef, sourceLink}; }

    // A line's units and dollars enter the source; while a stored settlement
    // is being loaded they count as saved as well.
    void Enter(double units, double dollars, bool loading);
    // A removed line's units and dollars leave the current values.
    void Withdraw(double units, double dollars);

    double UnitDelta() const;    // HVXRound(current - saved, 4)
    double DollarDelta() const;  // HVXRound(current - saved, 2)
    double SavedUnitsRounded() const;
    double CurrentUnitsRounded() const;

    // After a successful save: what was current is now saved, and the current
    // values start again from 0 until the lines are entered anew.
    void Commit();
};

}  // namespace hvx::settlement

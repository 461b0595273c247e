#include "settlement/SettlementRecordSet.h"

namespace hvx::settlement {

void SettlementRecordSet::ClearLists() {
    details.Clear();
    units.Clear();
    deductions.Clear();
    grades.Clear();
    payNames.Clear();
    assemblies.Clear();
}

}  // namespace hvx::settlement

#pragma once
// One settlement in memory: header, lines with their sources, and the five
// child lists. A settlement window owns one and frees it when it closes.
#include "settlement/AssemblyTrackingObject.h"
#include "settlement/SettlementDeductionList.h"
#include "settlement/SettlementDetailList.h"
#include "settlement/SettlementGradeList.h"
#include "settlement/SettlementHeader.h"
#include "settlement/SettlementPayNameList.h"
#include "settlement/SettlementUnitsList.h"

namespace hvx::settlement {

struct SettlementRecordSet {
    SettlementHeader header;
    SettlementDefaults defaults;
    DestinationTerms terms;  // multiple-source settlements
    SettlementDetailList details;
    SettlementUnitsList units;
    SettlementDeductionList deductions;
    SettlementGradeList grades;
    SettlementPayNameList payNames;
    AssemblyTrackingObject assemblies;
    // What the stored settlement took when it was loaded; the save of a
    // single-source settlement drawing on an open contract moves the
    // contract by the difference.
    LineTotals loadedTotals;

    // Every list emptied, as when the window closes or starts afresh.
    void ClearLists();
};

}  // namespace hvx::settlement

#include "settlement/CheckAmount.h"

#include "platform/Rounding.h"
#include "rules/Categories.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"

namespace hvx::settlement {

double CheckAmount(const SettlementRecordSet& set, const SettlementWindowValues& values) {
    if (set.header.type == SettlementType::MultipleSource)
        return values.destination == kPriced ? values.netAmt : 0;
    double amount = 0;
    for (const SettlementDetailItem& line : set.details.Items())
        if (line.toDpr == kPriced) amount += HVXRound(line.netAmt, 2);
    return amount;
}

}  // namespace hvx::settlement

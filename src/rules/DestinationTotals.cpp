#include "rules/DestinationTotals.h"

#include "platform/Rounding.h"
#include "rules/Categories.h"

namespace hvx {
namespace {

template <class Keep>
DestinationTotals Sum(const std::vector<PricedSourceLine>& lines, Keep keep) {
    DestinationTotals totals;
    for (const PricedSourceLine& line : lines) {
        if (!keep(line)) continue;
        totals.units += HVXRound(line.units, 4);
        totals.gross += HVXRound(line.totalPrice, 2);
    }
    totals.units = HVXRound(totals.units, 4);
    totals.gross = HVXRound(totals.gross, 2);
    if (totals.units != 0) totals.average = HVXRound(totals.gross / totals.units, 4);
    return totals;
}

}  // namespace

DestinationTotals ComputeDestinationTotals(const std::vector<PricedSourceLine>& lines) {
    return Sum(lines, [](const PricedSourceLine&) { return true; });
}

bool IsGrainSoldLine(const PricedSourceLine& line) {
    return (line.destination == kPriced || line.destination == kInstallmentSale) &&
           line.sourceKind != kInstallmentSale;
}

DestinationTotals GrainSoldTotals(const std::vector<PricedSourceLine>& lines) {
    return Sum(lines, IsGrainSoldLine);
}

}  // namespace hvx

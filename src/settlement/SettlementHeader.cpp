#include "settlement/SettlementHeader.h"

#include "settlement/SettlementDetailItem.h"

namespace hvx::settlement {
namespace {

void FillEmpty(std::string& value, const std::string& from) {
    if (value.empty()) value = from;
}

}  // namespace

void SettlementDefaults::FillFrom(const SettlementDetailItem& line) {
    FillEmpty(sourceKind, line.source);
    FillEmpty(sourceRef, line.sourceRef);
    FillEmpty(commodity, line.commodity);
    FillEmpty(location, line.location);
    FillEmpty(fromCategory, line.fromDpr);
    FillEmpty(toCategory, line.toDpr);
    FillEmpty(contract, line.contract);
    FillEmpty(sourceLink, line.sourceLink);
}

}  // namespace hvx::settlement

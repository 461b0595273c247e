#include "settlement/SourceAllocation.h"

#include "platform/Fail.h"
#include "platform/Rounding.h"
#include "rules/Categories.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"
#include "settlement/AssemblySettle.h"
#include "settlement/OpenContractAdjust.h"
#include "settlement/ScaleTicketSettle.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SourceSql.h"

namespace hvx::settlement {
namespace {

bool SettleSource(Statements& sql, const SettlementUniqueDetailItem& source, SettlementType type,
                  std::string& message) {
    const double units = source.UnitDelta();
    if (source.sourceKind == kAssembly)
        return SettleAssemblySplit(sql, source.sourceLink, units) ||
               Fail(message, kMsgSettleAssemblyFailed);
    if (source.sourceKind == kScaleTicket)
        return SettleScaleTicket(sql, source.sourceLink, units) ||
               Fail(message, kMsgSettleTicketFailed);
    if (type == SettlementType::MultipleSource && IsOpenContractCategory(source.sourceKind))
        return AdjustOpenContract(sql, TextNumber(source.sourceLink), units, source.DollarDelta(),
                                  message);
    return true;
}

}  // namespace

ContractSource ContractSourceOf(const SettlementRecordSet& recordSet) {
    if (recordSet.header.type != SettlementType::SingleSource ||
        !IsOpenContractCategory(recordSet.defaults.sourceKind))
        return {};
    return {true, TextNumber(recordSet.defaults.sourceLink)};
}

bool ApplySettlementToSources(Statements& sql, SettlementRecordSet& recordSet,
                              const ContractSource& contract, std::string& message) {
    SettlementDetailList& details = recordSet.details;
    const SettlementType type = recordSet.header.type;
    details.RebuildCurrentValues();
    // Removed sources are walked too: their current units are 0, so their
    // delta gives back what the stored settlement took.
    for (const SettlementUniqueDetailItem& source : details.UniqueSources())
        if (!SettleSource(sql, source, type, message)) return false;

    const LineTotals now = details.Totals();
    if (type == SettlementType::SingleSource && contract.isContract &&
        !AdjustOpenContract(sql, contract.dlLink,
                            HVXRound(now.units - recordSet.loadedTotals.units, 4),
                            HVXRound(now.dollars - recordSet.loadedTotals.dollars, 2), message))
        return false;
    details.CommitSources();
    recordSet.loadedTotals = now;
    return true;
}

bool ApplySettlementToSources(HVXConnection& connection, SettlementRecordSet& recordSet,
                              const ContractSource& contract, std::string& message) {
    PreparedStatements sql(connection);
    return ApplySettlementToSources(sql, recordSet, contract, message);
}

bool ApplySettlementToSources(HVXSConnection& connection, SettlementRecordSet& recordSet,
                              const ContractSource& contract, std::string& message) {
    LiteralStatements sql(connection);
    return ApplySettlementToSources(sql, recordSet, contract, message);
}

}  // namespace hvx::settlement

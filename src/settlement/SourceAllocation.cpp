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
#include "settlement/SourceGuard.h"
#include "settlement/SourceSql.h"

namespace hvx::settlement {
namespace {

// Each source is guarded just before its units move, so that it is held from
// its check to the commit.
bool SettleSource(Statements& sql, const SettlementUniqueDetailItem& source, SettlementType type,
                  std::string& message) {
    const double units = source.UnitDelta();
    const std::string_view ref = source.sourceRef, link = source.sourceLink;
    if (source.sourceKind == kAssembly)
        return units == 0 || (GuardSplit(sql, ref, link, units, message) &&
                              (SettleAssemblySplit(sql, link, units) ||
                               Fail(message, kMsgSettleAssemblyFailed)));
    if (source.sourceKind == kScaleTicket)
        return GuardTicket(sql, ref, link, units, message) &&
               (SettleScaleTicket(sql, link, units) || Fail(message, kMsgSettleTicketFailed));
    if (type == SettlementType::MultipleSource && IsOpenContractCategory(source.sourceKind)) {
        const double dlLink = TextNumber(link), dollars = source.DollarDelta();
        return GuardContract(sql, dlLink, units, message) &&
               AdjustOpenContract(sql, dlLink, units, dollars, message);
    }
    return true;
}

}  // namespace

ContractSource ContractSourceOf(const SettlementRecordSet& recordSet) {
    if (recordSet.header.type != SettlementType::SingleSource) return {};
    // The defaults hold the source once the settlement was loaded; a new
    // settlement's lines hold it however they were built, and the first
    // line that names it counts, as it would for the defaults.
    SettlementDefaults source = recordSet.defaults;
    for (const SettlementDetailItem& line : recordSet.details.Items()) source.FillFrom(line);
    if (!IsOpenContractCategory(source.sourceKind)) return {};
    return {true, TextNumber(source.sourceLink)};
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
    const double units = HVXRound(now.units - recordSet.loadedTotals.units, 4);
    const double dollars = HVXRound(now.dollars - recordSet.loadedTotals.dollars, 2);
    if (type == SettlementType::SingleSource && contract.isContract &&
        !(GuardContract(sql, contract.dlLink, units, message) &&
          AdjustOpenContract(sql, contract.dlLink, units, dollars, message)))
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

#include "rules/ReversalPosting.h"

#include "rules/ActivityJournal.h"
#include "rules/Categories.h"
#include "rules/PositionLedger.h"
#include "rules/SourceKinds.h"

namespace hvx {

bool PostSetupReversal(HVXSConnection& connection, HostWindow window, const ReversalLine& line) {
    if (line.sourceKind != kSetup) return true;
    return AddUnitsReceived(connection, window, line.location, line.commodity, line.units);
}

bool PostDirectInReversal(HVXSConnection& connection, HostWindow window,
                          const ReversalLine& line) {
    if (line.sourceKind != kDirectIn) return true;
    return AddUnitsShipped(connection, window, line.location, line.commodity, -line.units);
}

bool PostCompanyOwnedReversal(HVXSConnection& connection, const ReversalLine& line) {
    if (line.sourceKind == kInstallmentSale) return true;
    if (line.toCategory != kPriced && line.toCategory != kInstallmentSale) return true;
    return AddCompanyOwned(connection, line.commodity, line.location, line.units);
}

bool PostRedeliveredReversal(HVXSConnection& connection, HostWindow window,
                             const ReversalLine& line) {
    if (line.toCategory != kRedelivered) return true;
    return AddUnitsShipped(connection, window, line.location, line.commodity, line.units);
}

std::string_view ReversalJournalSource(const ReversalLine& line) {
    if (line.sourceKind == kSetup) return kSetup;
    if (line.sourceKind == kDirectIn) return kDirectIn;
    return line.fromCategory;
}

bool WriteReversalJournal(HVXSConnection& connection, const ReversalLine& line) {
    const JournalEntry entry{.program = kProgramSettlement,
                             .commodity = line.commodity,
                             .location = line.location,
                             .units = line.units,
                             .reference = line.settlement,
                             .source = ReversalJournalSource(line),
                             .destination = line.toCategory,
                             .status = ""};
    return WritePostingJournalRow(connection, entry);
}

bool PostReversalLine(HVXSConnection& connection, HostWindow window, const ReversalLine& line) {
    bool ok = PostSetupReversal(connection, window, line);
    ok = PostDirectInReversal(connection, window, line) && ok;
    ok = PostCompanyOwnedReversal(connection, line) && ok;
    ok = PostRedeliveredReversal(connection, window, line) && ok;
    ok = WriteReversalJournal(connection, line) && ok;
    return ok;
}

}  // namespace hvx

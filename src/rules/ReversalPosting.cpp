#include "rules/ReversalPosting.h"

#include "platform/Transaction.h"
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

namespace {

// Each rule is a part of the reversal's transaction of its own: a rule that
// fails leaves nothing of itself behind, and the reversal goes on.
template <class Rule>
bool AsPart(Rule rule) {
    TransactionPart part;
    const bool ok = rule();
    if (!ok) part.Undo();
    return ok;
}

}  // namespace

bool PostReversalLine(HVXSConnection& connection, HostWindow window, const ReversalLine& line) {
    bool ok = AsPart([&] { return PostSetupReversal(connection, window, line); });
    ok = AsPart([&] { return PostDirectInReversal(connection, window, line); }) && ok;
    ok = AsPart([&] { return PostCompanyOwnedReversal(connection, line); }) && ok;
    ok = AsPart([&] { return PostRedeliveredReversal(connection, window, line); }) && ok;
    ok = AsPart([&] { return WriteReversalJournal(connection, line); }) && ok;
    return ok;
}

}  // namespace hvx

#pragma once
// The position bookkeeping of a reversing copy when it is posted, one detail
// line at a time. Each rule stands on its own so it can be checked alone; a
// rule whose condition does not hold does nothing and succeeds.
#include <string>
#include <string_view>

#include "platform/HostPort.h"

class HVXSConnection;

namespace hvx {

struct ReversalLine {
    std::string commodity;
    std::string location;
    double units = 0;  // already negated for the reversal
    std::string sourceKind;
    std::string fromCategory;
    std::string toCategory;
    std::string settlement;  // the reversing copy's settlement number
};

// 1. A "Setup" line gives its units back to the units received.
bool PostSetupReversal(HVXSConnection& connection, HostWindow window, const ReversalLine& line);
// 2. A "Direct In" line gives its units back to the units shipped, negated.
bool PostDirectInReversal(HVXSConnection& connection, HostWindow window,
                          const ReversalLine& line);
// 3. A sale ("Priced" or "Installment Sale") from any source but an
//    installment sale changes the company-owned units.
bool PostCompanyOwnedReversal(HVXSConnection& connection, const ReversalLine& line);
// 4. A "Redelivered" line changes the units shipped.
bool PostRedeliveredReversal(HVXSConnection& connection, HostWindow window,
                             const ReversalLine& line);

// The journal source of a line: "Setup" or "Direct In" for those source
// kinds, otherwise the line's from category.
std::string_view ReversalJournalSource(const ReversalLine& line);
// 5. Every line writes its journal row (program "Settlement", no status).
bool WriteReversalJournal(HVXSConnection& connection, const ReversalLine& line);

// Rules 1 to 5 in that order. A failed rule does not keep the later ones from
// running, since a failure here must not stop the reversal; false when any
// rule failed.
bool PostReversalLine(HVXSConnection& connection, HostWindow window, const ReversalLine& line);

}  // namespace hvx

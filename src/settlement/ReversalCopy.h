#pragma once
// The reversing copy of a posted settlement: a mirror settlement with its
// units and amounts negated, written (and then posted) inside the reversal's
// transaction on the simple connection. The settlement reversed keeps its
// values and is only marked reversed and closed.
#include <string>
#include <string_view>
#include <vector>

#include "platform/HostPort.h"
#include "platform/Statements.h"

class HVXSConnection;

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

// A value negated as text: a leading "-" is removed, otherwise "-" is put in
// front, so the copy holds exactly the digits of the original.
std::string NegateText(std::string_view value);

// A line of the copy as its posting needs it.
struct CopiedLine {
    std::string recno;  // the copy's line, "%.0f"
    std::string sourceKind;
    std::string sourceRef;
    std::string sourceLink;
    std::string commodity;
    std::string location;
    std::string fromCategory;
    std::string toCategory;
    double units = 0;  // the copy's units, already negated
};

struct ReversalCopy {
    // The settlement reversed.
    double originalRecno = 0;
    std::string originalLink;
    bool singleSource = true;
    std::string sourceKind;  // of a single-source settlement (its first line)
    std::string sourceLink;
    // The copy.
    std::string settlement;
    std::string setLink;
    double recno = 0;
    std::string custRef;
    std::vector<CopiedLine> lines;
};

// Writes the copy of the settlement with record number originalRecno and
// gives the units of its lines back to their sources. False with the
// message; the caller cancels the transaction.
bool WriteReversalCopy(HVXSConnection& connection, double originalRecno, ReversalCopy& copy,
                       std::string& message);

// Where a destination record and its child rows are copied from and to. A
// multiple-source settlement has one destination record found by its
// settlement link, and child rows without a line link of their own.
struct DestinationCopy {
    std::string fromSetLink;
    std::string fromLineLink;  // empty: the settlement's one destination record
    std::string toSettlement;
    std::string toSetLink;
    std::string toLineLink;
};

// Copies the destination record with its assembly links, grade factors,
// units and prices, deductions and advance repayments (given back to their
// advances), and marks the original reversed and closed.
bool CopyDestination(HVXSConnection& connection, const DestinationCopy& copy,
                     std::string& message);
// Copies the pay names once per settlement.
bool CopyPayNames(HVXSConnection& connection, const DestinationCopy& copy, std::string& message);

// Posts the copy: source posted units, position ledger and journal, the
// lines' and then the header's posted flag, with the receivable entries of
// its deductions before the header. Ledger, journal and receivable failures
// do not stop it (a receivable failure is shown on ui); false with the
// message only when a posted flag or posted units cannot be written.
bool PostReversingCopy(HVXSConnection& connection, const ReversalCopy& copy, HostWindow window,
                       UiPort& ui, std::string& message);

}  // namespace hvx::settlement

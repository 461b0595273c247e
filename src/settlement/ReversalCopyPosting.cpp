// Posting the reversing copy. The copy is written already posted, so its
// bookkeeping is done here at once: the units go back off the sources'
// posted counts, the position moves back, and the charges that made
// receivable entries are entered again with the copy's (negated) amounts.
#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Transaction.h"
#include "platform/UiPort.h"
#include "rules/ReversalPosting.h"
#include "settlement/DoPostingObject.h"
#include "settlement/PostedUnits.h"
#include "settlement/ReversalCopy.h"

#include "platform/Fail.h"
namespace hvx::settlement {
namespace {

const char* const kPostLine = "UPDATE HVXGR04D SET POSTED='T' WHERE RECNO=%s";
const char* const kPostHeader = "UPDATE HVXGR04 SET POSTED='T' WHERE RECNO=%s";
const char* const kDeductions =
    "SELECT DISTINCT DEDUCT,AMOUNT,DA,RECNO FROM HVXGR04C WHERE SETLINK='%s'";
const char* const kDeductionCode =
    "SELECT MAKEENTRY,ARACCT1,ARACCT2,ARACCT3,DESCRIPT FROM HVXGR52 WHERE REFERENCE='%s'";

// The receivable entry of one deduction of the copy, when its code makes
// one. A deduction ("D") is owed by the customer, so its entry carries the
// opposite sign of the settlement's amount; a negative entry stays open.
bool EnterReceivable(HVXSConnection& connection, const ReversalCopy& copy, const SqlRow& d,
                     std::string& failure) {
    std::vector<SqlRow> code;
    if (!LiteralStatements(connection).Query({kDeductionCode}, {d[0]}, 5, code)) {
        failure = connection.LastError();
        return false;
    }
    if (code.empty() || code.front()[0] != "1") return true;
    const SqlRow& c = code.front();
    const double amount = d[2] == "D" ? -std::atof(d[1].c_str()) : std::atof(d[1].c_str());
    const ReceivableEntry entry{.account1 = c[1],
                                .account2 = c[2],
                                .account3 = c[3],
                                .description = c[4],
                                .custRef = copy.custRef,
                                .reference = copy.settlement,
                                .amount = amount,
                                .status = amount < 0 ? "O" : ""};
    return DoPostingObject(connection).Post(entry, failure);
}

// Each entry is a part of the reversal's transaction of its own: one that
// fails is shown, leaves nothing behind, and does not stop the reversal.
void EnterReceivables(HVXSConnection& connection, const ReversalCopy& copy, UiPort& ui) {
    std::vector<SqlRow> deductions;
    {
        TransactionPart part;
        if (!LiteralStatements(connection).Query({kDeductions}, {copy.setLink}, 4, deductions)) {
            part.Undo();
            ShowMessage(ui, connection.LastError());
            return;
        }
    }
    for (const SqlRow& d : deductions) {
        TransactionPart part;
        std::string failure;
        if (EnterReceivable(connection, copy, d, failure)) continue;
        part.Undo();
        ShowMessage(ui, failure);
    }
}

}  // namespace

bool PostReversingCopy(HVXSConnection& connection, const ReversalCopy& copy, HostWindow window,
                       UiPort& ui, std::string& message) {
    for (const CopiedLine& line : copy.lines) {
        if (!PostSourceUnits(connection, line.sourceKind, line.sourceLink, line.sourceRef,
                             line.units))
            return Fail(message, connection.LastError());
        // The ledger and journal of a reversal are kept even when one of
        // their rows cannot be written: the reversal itself must go through.
        PostReversalLine(connection, window,
                         ReversalLine{.commodity = line.commodity,
                                      .location = line.location,
                                      .units = line.units,
                                      .sourceKind = line.sourceKind,
                                      .fromCategory = line.fromCategory,
                                      .toCategory = line.toCategory,
                                      .settlement = copy.settlement});
        if (LiteralStatements(connection).Change({kPostLine}, {line.recno}) < 1)
            return Fail(message, connection.LastError());
    }
    EnterReceivables(connection, copy, ui);
    if (LiteralStatements(connection).Change({kPostHeader}, {copy.setLink}) < 1)
        return Fail(message, connection.LastError());
    return true;
}

}  // namespace hvx::settlement

#include "settlement/SettlementReversal.h"
#include "platform/Text.h"

#include <cstdlib>

#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/HostPort.h"
#include "platform/Rounding.h"
#include "platform/Transaction.h"
#include "platform/UiPort.h"
#include "settlement/GrainAdvanceObject.h"
#include "settlement/ReversalCopy.h"
#include "settlement/SettlementLocks.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"
#include "shell/ProcessLocks.h"

namespace hvx::settlement {
namespace {

// Every connection object is a statement scope over the one session, so the
// transaction begun here covers the statements of the simple connection.
const char* const kCarrier = "SELECT RECNO FROM HVXGR04";

const char* const kReversedFlag = "SELECT REVERSED FROM HVXGR04 WHERE RECNO=%.0f";
const char* const kDestinations = "SELECT OUNITS,UNITSSET FROM HVXGR04F WHERE SETLINK='%s'";
const char* const kPaidOut = "SELECT RECNO FROM HVXGR57 WHERE SETTLELINK='%s'";
const char* const kMarkPaidOut = "UPDATE HVXGR57 SET OPENPAID='R' WHERE RECNO=%s";

const char* const kAlreadyReversed =
    "This settlement has already been reversed. It cannot be reversed again.";
const char* const kSettledOnward =
    "This settlement has units currently settled against it. Please remove or reverse these "
    "settlements first.";
const char* const kAdvancesRepaid =
    "This settlement has advances paid against it. It cannot be reversed until the advance "
    "payments are removed.";
const char* const kProcessLockRefused =
    "Unable to get required process lock to save settlement. Another user is currently "
    "performing an operation using the same lock.";
const char* const kBeginFailed = "Unable to begin transaction on connection.";
const char* const kCommitFailed = "Unable to commit transaction.";
const char* const kPaidOutNotMarked = "Error updating advance records to status 'R'.";

bool Stop(SettlementSaveWindow& window, const char* text) {
    window.message = text;
    return false;
}

bool MarkPaidOutAdvances(HVXSConnection& connection, const std::string& setLink,
                         std::string& message) {
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({kPaidOut}, {setLink}, 1, rows)) {
        message = kPaidOutNotMarked;
        return false;
    }
    for (const SqlRow& row : rows) {
        if (sql.Change({kMarkPaidOut}, {row[0]}) < 1) {
            message = kPaidOutNotMarked;
            return false;
        }
    }
    return true;
}

// Steps inside the transaction: the copy, its posting, the advances it paid
// out. (The units of an open contract a single-source settlement drew on
// are given back while the copy is written, see ReversalCopy.)
bool WriteReversal(SettlementSaveWindow& window, HVXSConnection& connection) {
    ReversalCopy copy;
    return WriteReversalCopy(connection, window.set.header.recno, copy, window.message) &&
           PostReversingCopy(connection, copy, HVXReturnMDIWin(), window.ui, window.message) &&
           MarkPaidOutAdvances(connection, copy.originalLink, window.message);
}

}  // namespace

bool ConfirmReversal(UiPort& ui) {
    return ui.MessageBox(kMsgConfirmReversal, kCaption, MsgButtons::YesNo, MsgIcon::Question) ==
           MsgAnswer::Yes;
}

bool CanReverse(SettlementSaveWindow& window) {
    window.message.clear();
    HVXSConnection connection(1, nullptr, 0);
    const std::string& setLink = window.set.header.setLink;
    std::vector<SqlRow> rows;
    // Read under the locks: another window may have reversed it since this
    // one loaded it, and a reversing copy is itself marked reversed. Giving
    // the units back a second time would pay the customer twice.
    if (!LiteralStatements(connection).Query({kReversedFlag}, {window.set.header.recno}, 1, rows) ||
        (!rows.empty() && rows[0][0] == "T"))
        return Stop(window, kAlreadyReversed);
    if (!LiteralStatements(connection).Query({kDestinations}, {setLink}, 2, rows))
        return Stop(window, kSettledOnward);
    for (const SqlRow& row : rows)
        if (HVXRound(TextNumber(row[0]), 5) != HVXRound(TextNumber(row[1]), 5))
            return Stop(window, kSettledOnward);
    bool repaid = false;
    if (!PaidOutAdvanceRepaid(connection, setLink, repaid) || repaid)
        return Stop(window, kAdvancesRepaid);
    return true;
}

namespace {

bool Reverse(SettlementSaveWindow& window) {
    if (!TryProcessLock(kGrainProcessLock)) return Stop(window, kProcessLockRefused);
    if (!LockForUpdate(window, LockPurpose::Reverse)) {
        ReleaseProcessLock(kGrainProcessLock);
        ReleaseAfterUpdate(window, true);
        return false;
    }
    const auto release = [&window] {
        ReleaseAfterUpdate(window, true);
        ReleaseProcessLock(kGrainProcessLock);
        return false;
    };
    if (!CanReverse(window)) return release();

    HVXConnection carrier(1);
    Transaction transaction(carrier, kCarrier);
    if (!transaction.Begun()) {
        window.message = kBeginFailed;
        return release();
    }
    HVXSConnection connection(1, nullptr, 0);
    if (!WriteReversal(window, connection)) {
        transaction.Cancel();
        return release();
    }
    if (!transaction.Commit()) {
        window.message = kCommitFailed;
        return release();
    }
    ReleaseProcessLock(kGrainProcessLock);
    return ReleaseAfterUpdate(window, false);
}

}  // namespace

bool ReverseSettlement(SettlementSaveWindow& window) {
    window.message.clear();
    return RunExplained(window.message, [&window] { return Reverse(window); });
}

}  // namespace hvx::settlement

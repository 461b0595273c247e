#include "settlement/SettlementSave.h"

#include "platform/EngineReason.h"
#include "platform/HVXConnection.h"
#include "platform/Transaction.h"
#include "settlement/SettlementLocks.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"
#include "settlement/SettlementValidation.h"
#include "settlement/SettlementWriter.h"
#include "shell/ProcessLocks.h"

namespace hvx::settlement {
namespace {

// The statement that carries the save's transaction.
const char* const kCarrier = "SELECT RECNO FROM HVXGR04";

const char* const kProcessLockRefused =
    "Unable to get required process lock to save settlement. Another user is currently "
    "performing an operation using the same lock.";
const char* const kBeginFailed = "Unable to begin transaction on connection.";
const char* const kCommitFailed = "Unable to commit transaction.";

// What a write changes in the record set before it knows whether it will be
// committed: the header (a new settlement's number, link and record number,
// the check amount), the saved values of the sources and the loaded totals.
// A cancelled save puts them back, so the window matches the database again
// and the next save moves the same units.
class RecordSetSnapshot {
public:
    explicit RecordSetSnapshot(const SettlementRecordSet& set)
        : header_(set.header), sources_(set.details.UniqueSources()),
          loadedTotals_(set.loadedTotals) {}
    void Restore(SettlementRecordSet& set) const {
        set.header = header_;
        set.details.UniqueSources() = sources_;
        set.loadedTotals = loadedTotals_;
    }

private:
    SettlementHeader header_;
    SettlementDetailList::Sources sources_;
    LineTotals loadedTotals_;
};

bool Stop(SettlementSaveWindow& window, const char* text) {
    window.message = text;
    return false;
}

enum class Outcome { Saved, NotBegun, WriteFailed, NotCommitted };

// Steps 4 to 6: the transaction, under the caller's locks. Whatever fails
// has cancelled the transaction and put the record set back.
Outcome WriteInTransaction(SettlementSaveWindow& window) {
    HVXConnection connection(1);
    if (connection.PrepareSQL(kCarrier) != 0) return Outcome::NotBegun;
    Transaction transaction(connection, kCarrier);
    if (!transaction.Begun()) return Outcome::NotBegun;

    const RecordSetSnapshot before(window.set);
    if (!WriteSettlement(window, connection)) {
        transaction.Cancel();
        before.Restore(window.set);
        return Outcome::WriteFailed;
    }
    if (!transaction.Commit()) {
        before.Restore(window.set);
        return Outcome::NotCommitted;
    }
    return Outcome::Saved;
}

// Release order: a saved settlement, and one whose record locks could not
// all be had, give up the process lock first, so that other users' saves
// are held up no longer than needed; every other failure releases in the
// reverse order of taking.
bool Save(SettlementSaveWindow& window) {
    if (!TryProcessLock(kGrainProcessLock)) return Stop(window, kProcessLockRefused);

    if (!LockForUpdate(window, LockPurpose::Save)) {
        ReleaseProcessLock(kGrainProcessLock);
        ReleaseAfterUpdate(window, true);
        return false;
    }
    if (!ValidateForSave(window)) {
        ReleaseAfterUpdate(window, true);
        ReleaseProcessLock(kGrainProcessLock);
        return false;
    }

    const Outcome outcome = WriteInTransaction(window);
    if (outcome == Outcome::Saved) {
        ReleaseProcessLock(kGrainProcessLock);
        return ReleaseAfterUpdate(window, false);
    }
    // A failed write's own message is the one to show; a transaction that
    // could not begin or commit says so, whatever the release said.
    ReleaseAfterUpdate(window, outcome == Outcome::WriteFailed);
    ReleaseProcessLock(kGrainProcessLock);
    if (outcome == Outcome::NotBegun) return Stop(window, kBeginFailed);
    if (outcome == Outcome::NotCommitted) return Stop(window, kCommitFailed);
    return false;
}

}  // namespace

bool SaveSettlement(SettlementSaveWindow& window) {
    window.message.clear();
    return RunExplained(window.message, [&window] { return Save(window); });
}

}  // namespace hvx::settlement

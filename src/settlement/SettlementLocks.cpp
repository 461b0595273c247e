#include "settlement/SettlementLocks.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "settlement/AssemblyLocks.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"
#include "settlement/SourceAllocation.h"
#include "shell/RecordLocks.h"

namespace hvx::settlement {
namespace {

const char* const kNoSettlementToLock = "Unable to locate settlement to lock.";
const char* const kSettlementLocked =
    "Unable to lock settlement <%s> for update. Settlement does not exist or is in use by "
    "another user.";
const char* const kReleaseFailed = "Error releasing settlement <%s> after update.";

// The number of the settlement whose destination record is the contract;
// false when there is none (or it cannot be read).
bool FindContractSettlement(const ContractSource& contract, std::string& settlement) {
    HVXSConnection connection(1, nullptr, 0);
    return LiteralStatements(connection)
        .Value({"SELECT SETTLEMENT FROM HVXGR04F WHERE DLLINK='%.0f'"}, {contract.dlLink},
               settlement);
}

void Say(SettlementSaveWindow& window, bool keepMessage, const std::string& text) {
    if (!keepMessage || window.message.empty()) window.message = text;
}

}  // namespace

bool LockForUpdate(SettlementSaveWindow& window, LockPurpose purpose) {
    window.message.clear();
    if (!LockAssemblies(window.set.details, window.message, purpose)) return false;
    const ContractSource contract = ContractSourceOf(window.set);
    if (!contract.isContract) return true;
    std::string settlement;
    if (!FindContractSettlement(contract, settlement)) {
        window.message = kNoSettlementToLock;
        return false;
    }
    window.contractLockRecno =
        LockKeyedRecordNumber(RecordKind::Settlement, settlement, kSettlementLockRetries);
    if (window.contractLockRecno == 0) {
        window.message = _HVXsprintf(kSettlementLocked, settlement);
        return false;
    }
    return true;
}

bool ReleaseAfterUpdate(SettlementSaveWindow& window, bool keepMessage) {
    ReleaseAssemblies(window.set.details);
    const ContractSource contract = ContractSourceOf(window.set);
    if (!contract.isContract) return true;
    if (window.contractLockRecno != 0 &&
        UnlockRecordNumber(RecordKind::Settlement, window.contractLockRecno)) {
        window.contractLockRecno = 0;
        return true;
    }
    // Not locked by this save (its lock was refused): released by key, as
    // the lock would have been taken.
    std::string settlement;
    if (!FindContractSettlement(contract, settlement) ||
        !UnlockKeyedRecord(RecordKind::Settlement, settlement)) {
        Say(window, keepMessage, _HVXsprintf(kReleaseFailed, settlement));
        return false;
    }
    return true;
}

}  // namespace hvx::settlement

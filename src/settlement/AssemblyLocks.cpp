#include "settlement/AssemblyLocks.h"

#include <set>

#include "platform/Format.h"
#include "rules/SourceKinds.h"
#include "settlement/SettlementDetailList.h"
#include "shell/RecordLocks.h"

namespace hvx::settlement {
namespace {

bool IsAssembly(const SettlementUniqueDetailItem& source) { return source.sourceKind == kAssembly; }

}  // namespace

bool LockAssemblies(SettlementDetailList& details, std::string& message, LockPurpose purpose) {
    for (SettlementUniqueDetailItem& source : details.UniqueSources()) {
        if (!IsAssembly(source) || source.locked) continue;
        const double recno =
            LockKeyedRecordNumber(RecordKind::Assembly, source.sourceRef, kAssemblyLockRetries);
        if (recno == 0) {
            message = _HVXsprintf(
                          "Unable to lock assembly %s for update. This assembly does not exist "
                          "or is in use by another user.",
                          source.sourceRef) +
                      std::string(LockPurposeText(purpose));
            return false;
        }
        // Every source of the same assembly shares the one lock.
        for (SettlementUniqueDetailItem& other : details.UniqueSources())
            if (IsAssembly(other) && other.sourceRef == source.sourceRef) {
                other.locked = true;
                other.lockedRecno = recno;
            }
    }
    return true;
}

bool ReleaseAssemblies(SettlementDetailList& details) {
    std::set<std::string> released, kept;
    for (SettlementUniqueDetailItem& source : details.UniqueSources()) {
        if (!IsAssembly(source) || !source.locked) continue;
        const std::string& assembly = source.sourceRef;
        // Released by the record that was locked: a lock left behind would
        // shut every other user out of the assembly until this process ends.
        if (!released.contains(assembly) && !kept.contains(assembly)) {
            if (UnlockRecordNumber(RecordKind::Assembly, source.lockedRecno))
                released.insert(assembly);
            else
                kept.insert(assembly);
        }
        // Cleared once released, so that the next save asks for the lock again.
        source.locked = kept.contains(assembly);
        if (!source.locked) source.lockedRecno = 0;
    }
    return kept.empty();
}

}  // namespace hvx::settlement

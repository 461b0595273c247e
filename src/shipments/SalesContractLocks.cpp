#include "shipments/SalesContractLocks.h"

#include <algorithm>

#include "platform/Format.h"
#include "shell/RecordLocks.h"

namespace hvx::shipments {
namespace {

// Another finish holds a contract for the length of its transaction, a
// fraction of a second; these tries outlast it.
constexpr long kContractLockRetries = 5;

}  // namespace

SalesContractLocks::~SalesContractLocks() { Release(); }

bool SalesContractLocks::Lock(const std::vector<std::string>& contracts, std::string& message) {
    std::vector<std::string> taken;
    for (const std::string& contract : contracts) {
        if (contract.empty() || std::ranges::find(taken, contract) != taken.end()) continue;
        const double recno =
            LockKeyedRecordNumber(RecordKind::SalesContract, contract, kContractLockRetries);
        if (recno == 0) {
            Release();
            message = _HVXsprintf(
                "Unable to lock sales contract <%s>. This contract does not exist or is in use "
                "by another user.",
                contract);
            return false;
        }
        taken.push_back(contract);
        held_.push_back(recno);
    }
    return true;
}

void SalesContractLocks::Release() {
    for (double recno : held_) UnlockRecordNumber(RecordKind::SalesContract, recno);
    held_.clear();
}

}  // namespace hvx::shipments

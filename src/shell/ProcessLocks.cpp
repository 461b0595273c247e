#include "shell/ProcessLocks.h"

#include <cstdlib>
#include <optional>

#include "platform/ProfileFile.h"
#include "shell/HostLocks.h"

namespace hvx {
namespace {

constexpr long kDefaultTryCount = 10;
constexpr long kMaxTryCount = 5000;

std::optional<long> gTryCount;

long ReadTryCount() {
    const std::string text =
        GetPrivateProfileString("Grain", "NetworkLockTryCount", "10", LocalProfilePath());
    const long count = std::atol(text.c_str());
    return count < 1 || count > kMaxTryCount ? kDefaultTryCount : count;
}

}  // namespace

long LockTryCount() {
    if (!gTryCount) gTryCount = ReadTryCount();
    return *gTryCount;
}

void ForgetLockTryCount() { gTryCount.reset(); }

bool TryProcessLock(std::string_view name) {
    LockRequest request = MakeLockRequest(kGrainPackage, name);
    // The first request plus one more for each allowed retry.
    return RequestUntilGranted(kLockTable, request, LockTryCount() + 1);
}

bool ReleaseProcessLock(std::string_view name) {
    LockRequest request = MakeLockRequest(kGrainPackage, name);
    return SendLockRequest(kUnlockTable, request) != 0;
}

}  // namespace hvx

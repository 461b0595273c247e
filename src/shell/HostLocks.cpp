#include "shell/HostLocks.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <thread>
#include <utility>
#include <unistd.h>

#include "platform/HostPort.h"
#include "platform/Text.h"
#include "platform/UiPort.h"

namespace hvx {
namespace {

void ShowNoMainWindow() {
    Ui().MessageBox("Please setup Ptr to Main Window", kCaption, MsgButtons::Ok,
                    MsgIcon::Exclamation);
}

void Sleep(std::chrono::milliseconds wait) { std::this_thread::sleep_for(wait); }

LockWait gWait = Sleep;

constexpr long kFirstWaitMs = 20;
constexpr long kLongestWaitMs = 120;

}  // namespace

std::chrono::milliseconds RetryWait(long refusals) {
    // Seeded anew in each process, forked ones included, so that
    // workstations started together still draw apart.
    static std::minstd_rand jitter;
    static pid_t seededIn = 0;
    if (seededIn != ::getpid()) {
        seededIn = ::getpid();
        jitter.seed(std::random_device{}());
    }
    long base = kFirstWaitMs;
    for (long i = 1; i < refusals && base < kLongestWaitMs; ++i) base *= 2;
    base = std::min(base, kLongestWaitMs);
    return std::chrono::milliseconds(base + static_cast<long>(jitter() % (base / 4 + 1)));
}

LockWait SetLockWait(LockWait wait) { return std::exchange(gWait, wait ? wait : Sleep); }

LockRequest MakeLockRequest(std::string_view package, std::string_view table, double recno) {
    // The whole record is zeroed, not only the first byte of each text, so
    // nothing left over in memory ever reaches the host.
    LockRequest request{};
    CopyToBuffer(package, request.package, sizeof request.package);
    CopyToBuffer(table, request.table, sizeof request.table);
    request.recno = recno;
    return request;
}

long SendLockRequest(LockOperation operation, LockRequest& request) {
    const HostWindow mainWindow = HVXReturnMDIWin();
    if (!mainWindow) {
        ShowNoMainWindow();
        return 0;
    }
    return CurrentHostPort()->SendHostMessage(mainWindow, kMsgLock, operation, &request);
}

bool RequestUntilGranted(LockOperation operation, LockRequest& request, long attempts) {
    for (long attempt = 0; attempt < attempts; ++attempt) {
        if (!HVXReturnMDIWin()) {
            ShowNoMainWindow();
            return false;
        }
        if (SendLockRequest(operation, request) != 0) return true;
        if (attempt + 1 < attempts) gWait(RetryWait(attempt + 1));
    }
    return false;
}

std::string AskLockHolder(std::string_view package, std::string_view table, double recno) {
    LockRequest request = MakeLockRequest(package, table, recno);
    SendLockRequest(kWhoHoldsRecord, request);
    // The host may fill the whole field: never read past its end.
    return std::string(request.text, strnlen(request.text, sizeof request.text));
}

}  // namespace hvx

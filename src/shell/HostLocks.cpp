#include "shell/HostLocks.h"

#include <cstring>

#include "platform/HostPort.h"
#include "platform/Text.h"
#include "platform/UiPort.h"

namespace hvx {
namespace {

void ShowNoMainWindow() {
    Ui().MessageBox("Please setup Ptr to Main Window", kCaption, MsgButtons::Ok,
                    MsgIcon::Exclamation);
}

}  // namespace

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

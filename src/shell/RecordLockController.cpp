#include "shell/RecordLockController.h"

#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "shell/HostLocks.h"

namespace hvx {
namespace {

constexpr std::size_t kCaptionSize = 200;

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

std::string FormatWaitingSince(const std::tm& local) {
    int hour = local.tm_hour;
    const char* half = hour < 12 ? "AM" : "PM";
    if (hour > 12) hour -= 12;
    if (hour == 0) hour = 12;
    return _HVXsprintf("%02d:%02d %s %02d/%02d/%04d", hour, local.tm_min, half,
                       local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
}

RecordLockController::RecordLockController(LockableWindow& window, Clock clock)
    : window_(window), clock_(clock ? std::move(clock) : Clock(LocalNow)) {}

void RecordLockController::SetLockInformation(std::string_view package, std::string_view table) {
    package_ = package;
    table_ = table;
}

bool RecordLockController::LockRecord(double recno, bool silent) {
    if (package_.empty() || table_.empty()) {
        ShowMessage("Package/Table lock information has not been setup.");
        return false;
    }
    if (!captionKept_) {
        char caption[kCaptionSize + 1];
        CopyToBuffer(window_.FrameCaption(), caption, sizeof caption);
        caption_ = caption;
        captionKept_ = true;
    }
    ReleaseLock();
    wantedRecno_ = recno;
    LockRequest request = MakeLockRequest(package_, table_, recno);
    if (SendLockRequest(kLockRecord, request) != 0) {
        holdsLock_ = true;
        lockedRecno_ = recno;
        window_.LockHeld();
        window_.SetFrameCaption(caption_);
        return true;
    }
    if (!silent) {
        window_.LockedByOtherUser();
        window_.SetFrameCaption(_HVXsprintf("%s (Locked)", caption_));
        waitingSince_ = FormatWaitingSince(clock_());
    }
    return false;
}

void RecordLockController::ReleaseLock() {
    if (!holdsLock_) return;
    LockRequest request = MakeLockRequest(package_, table_, lockedRecno_);
    SendLockRequest(kUnlockRecord, request);
    holdsLock_ = false;
    lockedRecno_ = 0;
}

void RecordLockController::ShowLockInformation() {
    const std::string holder = AskLockHolder(package_, table_, wantedRecno_);
    Ui().InfoPopup("User Information",
                   _HVXsprintf("%s\nLocked since <Unavailable>\nWaiting since %s", holder,
                               waitingSince_),
                   240, 20);
}

}  // namespace hvx

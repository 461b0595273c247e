#pragma once
// The record lock of a maintenance window: one record of one table, locked
// through the host while the window shows it, with the window's caption
// marked "(Locked)" while another user holds it.
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace hvx {

// The lock button of a window that uses the controller.
inline constexpr const char* kLockButtonPicture = "LOCKBUTT";
inline constexpr const char* kLockButtonHint = "Display record locking user information.";

// What the controller needs of its window.
class LockableWindow {
public:
    virtual ~LockableWindow() = default;
    virtual std::string FrameCaption() const = 0;
    virtual void SetFrameCaption(std::string_view caption) = 0;
    // The window holds the lock on its record and may change it.
    virtual void LockHeld() = 0;
    // Another user holds the record; the window shows it read-only and
    // offers the lock button.
    virtual void LockedByOtherUser() = 0;
};

// The waiting-since text: "hh:mm AM mm/dd/yyyy" on a 12-hour clock.
std::string FormatWaitingSince(const std::tm& local);

class RecordLockController {
public:
    // The local time; tests fix it.
    using Clock = std::function<std::tm()>;

    explicit RecordLockController(LockableWindow& window, Clock clock = {});

    // The package and table whose records the window locks.
    void SetLockInformation(std::string_view package, std::string_view table);

    // Moves the window's lock to the record. A refusal marks the window as
    // locked by another user unless the attempt is silent.
    bool LockRecord(double recno, bool silent = false);
    // Releases the lock the window holds, if any.
    void ReleaseLock();

    bool HoldsLock() const { return holdsLock_; }
    double LockedRecord() const { return lockedRecno_; }
    const std::string& WaitingSince() const { return waitingSince_; }

    // The lock button: asks the host who holds the record and shows it.
    void ShowLockInformation();

private:
    LockableWindow& window_;
    Clock clock_;
    std::string package_, table_;
    bool captionKept_ = false;
    std::string caption_;
    bool holdsLock_ = false;
    double lockedRecno_ = 0;
    double wantedRecno_ = 0;
    std::string waitingSince_;
};

}  // namespace hvx

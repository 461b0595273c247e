#pragma once
// Who saved a receipt last and when: LMODDATE, LMODTIME, LMODUSER.
#include <functional>
#include <string>

namespace hvx::receipts {

struct WallTime {
    int hour = 0;  // 0 to 23
    int minute = 0;
    int second = 0;
};

// The local time now; tests give a clock of their own.
using ReceiptClock = std::function<WallTime()>;
WallTime LocalWallTime();

// "%02d:%02d:%02d %s" on a 12-hour clock: midnight and noon are hour 12, the
// hours from noon on are "PM".
std::string TwelveHourTime(const WallTime& time);

struct ReceiptStamp {
    std::string user;
    ReceiptClock clock = LocalWallTime;
};

}  // namespace hvx::receipts

#include "receipts/ReceiptStamp.h"

#include <ctime>

#include "platform/Format.h"

namespace hvx::receipts {

WallTime LocalWallTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

std::string TwelveHourTime(const WallTime& time) {
    const int hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
    return _HVXsprintf("%02d:%02d:%02d %s", hour, time.minute, time.second,
                       time.hour >= 12 ? "PM" : "AM");
}

}  // namespace hvx::receipts

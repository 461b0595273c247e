#pragma once
// Storage, service and interest charges for the time grain was held.
//
// All dates are texts: the start dates come from the source contract as the
// database returns them ("MM/DD/YYYY"), the end date is the settlement's date
// (either form of StoredText.h). A date that cannot be read makes the period
// unknown, and an unknown period charges nothing: the amount is 0 and no
// default rate is looked up. Both dates count as days held, so a settlement on
// the start date charges one day and one dated the day before charges none.
#include <string>
#include <string_view>

namespace hvx {

// The two charges billed per unit per day.
enum class DailyCharge { Storage, Service };

// Days charged from start to end, both counted; 0 when end is before start or
// either date is unreadable.
long ChargeDays(std::string_view start, std::string_view end);

// The commodity's default rate for a charge, as stored in HVXGR51: the first-
// period rate (STOREDAY, SERVEDAY) when the grain was held fewer than 31 days
// (end - start), the later-period rate (STOREDAY2, SERVDAY2) otherwise, which
// falls back to the first-period rate when empty. Empty when the commodity is
// unknown.
std::string DefaultChargeRate(std::string_view commodity, DailyCharge kind, long daysBetween);

// Storage or service charge on quantity units, rounded to 2 decimals. An
// empty rate text is replaced by the commodity's default rate for the period,
// so the caller keeps the rate that was charged. One rate covers the whole
// period: held 31 days or more, every day is charged at the later rate.
double StorageServiceCharge(std::string_view commodity, std::string_view start, std::string& rate,
                            std::string_view quantity, DailyCharge kind, std::string_view end);

// Interest paid on amount at an annual percentage rate, a 365-day year,
// rounded to 2 decimals.
double InterestCharge(std::string_view start, std::string_view annualRate,
                      std::string_view amount, std::string_view end);

}  // namespace hvx

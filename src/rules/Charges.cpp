#include "rules/Charges.h"

#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

// The later-period rates apply from this many days after the start.
constexpr long kLaterPeriodDays = 31;

constexpr const char* kRatesSql =
    "SELECT SERVEDAY,STOREDAY,SERVDAY2,STOREDAY2 FROM HVXGR51 WHERE (REFERENCE = ?)";

// end - start in days; false when either date is unreadable.
bool DaysBetween(std::string_view start, std::string_view end, long& days) {
    CivilDate from, to;
    if (!ReadDate(start, from) || !ReadDate(end, to)) return false;
    days = DaysFromCivil(to) - DaysFromCivil(from);
    return true;
}

std::string Trimmed(std::string value) {
    TRIM(value);
    return value;
}

}  // namespace

long ChargeDays(std::string_view start, std::string_view end) {
    long between = 0;
    if (!DaysBetween(start, end, between) || between < 0) return 0;
    return between + 1;
}

std::string DefaultChargeRate(std::string_view commodity, DailyCharge kind, long daysBetween) {
    HVXConnection connection(1);
    std::vector<SqlRow> rows;
    if (!PreparedStatements(connection).Query({{}, kRatesSql}, {commodity}, 4, rows) ||
        rows.empty())
        return {};
    const SqlRow& rates = rows.front();
    const bool service = kind == DailyCharge::Service;
    const std::string first = Trimmed(rates[service ? 0 : 1]);
    if (daysBetween < kLaterPeriodDays) return first;
    const std::string later = Trimmed(rates[service ? 2 : 3]);
    return later.empty() ? first : later;
}

double StorageServiceCharge(std::string_view commodity, std::string_view start, std::string& rate,
                            std::string_view quantity, DailyCharge kind, std::string_view end) {
    long between = 0;
    if (!DaysBetween(start, end, between)) return 0;
    // A blank rate is as empty as no rate: the contract names none.
    if (rate.find_first_not_of(" \t") == std::string::npos)
        rate = DefaultChargeRate(commodity, kind, between);
    const long days = between >= 0 ? between + 1 : 0;
    if (days < 1) return 0;
    // Days times rate first, then the quantity: the per-unit charge for the
    // period is what the contract terms state.
    return HVXRound(TextNumber(quantity) * (static_cast<double>(days) * TextNumber(rate)), 2);
}

double InterestCharge(std::string_view start, std::string_view annualRate, std::string_view amount,
                      std::string_view end) {
    const double dailyRate = (1.0 / 365.0) * (0.01 * TextNumber(annualRate));
    const long days = ChargeDays(start, end);
    if (days < 1) return 0;
    return HVXRound(static_cast<double>(days) * dailyRate * TextNumber(amount), 2);
}

}  // namespace hvx

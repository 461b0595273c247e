#include "settlement/exchange/DateRange.h"

#include "platform/Dates.h"

namespace hvx::exchange {

bool DateRange::Contains(std::string_view stored) const {
    if (!Limited()) return true;
    const std::optional<long> day = RangeDay(stored);
    return day && (!from || *day >= *from) && (!to || *day <= *to);
}

std::optional<long> RangeDay(std::string_view typed) {
    CivilDate date;
    // Only the two documented forms: a short "3/7/2024" is as good to the
    // parser, but a file exchanged with a bank wants one spelling.
    const bool mdy = typed.size() == 10 && typed[2] == '/' && typed[5] == '/';
    const bool iso = typed.size() == 10 && typed[4] == '-' && typed[7] == '-';
    if (!(mdy || iso) || !ParseDate(typed, date)) return std::nullopt;
    return DaysFromCivil(date);
}

}  // namespace hvx::exchange

#include "rules/LienHolders.h"

#include <cstdlib>

#include "platform/Text.h"

namespace hvx {

long DateNumber(std::string_view mdy) {
    std::string digits;
    for (char c : mdy)
        if (c != '/') digits += c;
    if (digits.size() < 4) return std::atol(digits.c_str());
    const std::string number = digits.substr(digits.size() - 4) + digits.substr(0, 4);
    return std::atol(number.c_str());
}

bool LienPledges(std::string_view lienCommodity, std::string_view lienExpires,
                 std::string_view settlementCommodity, std::string_view settlementDate) {
    std::string commodity(lienCommodity), expires(lienExpires);
    TRIM(commodity);
    TRIM(expires);
    if (!commodity.empty() && commodity != settlementCommodity) return false;
    return expires.empty() || DateNumber(settlementDate) <= DateNumber(expires);
}

std::vector<std::string> SecuredParties(std::string_view answer) {
    std::vector<std::string> parties;
    HVXParseTabDelim fields(answer);
    while (fields.HasMore()) {
        const std::string field = fields.GetNextString();
        if (field.starts_with("01=")) parties.push_back(field.substr(3));
    }
    return parties;
}

}  // namespace hvx

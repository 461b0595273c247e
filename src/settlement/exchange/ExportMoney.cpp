#include "settlement/exchange/ExportMoney.h"

#include "platform/Rounding.h"
#include "platform/Text.h"

namespace hvx::exchange {
namespace {

// Digits, at most one point, an optional leading minus sign, blanks around.
bool PlainAmount(std::string_view stored) {
    const std::size_t first = stored.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    std::string_view text = stored.substr(first, stored.find_last_not_of(' ') - first + 1);
    if (text.front() == '-') text.remove_prefix(1);
    bool digit = false, point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digit = true;
        } else {
            return false;
        }
    }
    return digit;
}

}  // namespace

std::string MoneyText(std::string_view stored) {
    return PlainAmount(stored) ? HVXSRound(TextNumber(stored), 2) : std::string(stored);
}

}  // namespace hvx::exchange

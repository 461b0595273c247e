#include "settlement/exchange/ExportMoney.h"

#include <cctype>
#include <cstdlib>

#include "platform/Text.h"

namespace hvx::exchange {
std::optional<long long> Cents(std::string_view stored) {
    std::string trimmed(stored);
    TRIM(trimmed);
    std::string_view text = trimmed;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    long long cents = 0;
    int decimals = -1;  // digits read after the point; -1 before it
    bool roundUp = false, digits = false;
    for (char c : text) {
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits = true;
        if (decimals < 0) {
            // More than fifteen whole digits would not fit; no stored amount has them.
            if (cents > 99999999999999LL) return std::nullopt;
            cents = cents * 10 + (c - '0');
        } else if (++decimals <= 2) {
            cents = cents * 10 + (c - '0');
        } else if (decimals == 3) {
            roundUp = c >= '5';
        }
    }
    if (!digits) return std::nullopt;
    for (int d = decimals < 0 ? 0 : decimals; d < 2; ++d) cents *= 10;
    if (roundUp) ++cents;
    return negative ? -cents : cents;
}

std::string CentsText(long long cents) {
    const long long whole = std::llabs(cents) / 100, rest = std::llabs(cents) % 100;
    return (cents < 0 ? "-" : "") + std::to_string(whole) + (rest < 10 ? ".0" : ".") +
           std::to_string(rest);
}

std::string MoneyText(std::string_view stored) {
    const std::optional<long long> cents = Cents(stored);
    return cents ? CentsText(*cents) : std::string(stored);
}

}  // namespace hvx::exchange

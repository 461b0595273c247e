#include "platform/Rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// A double holds 15 significant decimal digits faithfully; digits past them
// are noise of binary arithmetic (2.505 * 10 = 25.049999999999997).
constexpr int kSignificant = 15;

// Rounding decimals the module can ask for; anything outside is clamped.
constexpr int kMaxDecimals = 10;

// A rounded value kept as decimal digits: the value is digits * 10^-decimals.
struct RoundedDecimal {
    bool negative = false;
    std::string digits;  // no leading zeros, "0" for zero
    int decimals = 0;
};

void incrementDigits(std::string& digits) {
    auto j = static_cast<long>(digits.size()) - 1;
    while (j >= 0 && digits[static_cast<std::size_t>(j)] == '9') digits[static_cast<std::size_t>(j--)] = '0';
    if (j < 0)
        digits.insert(digits.begin(), '1');
    else
        ++digits[static_cast<std::size_t>(j)];
}

// Rounds a finite value half away from zero on its 15-digit decimal text. The
// whole job is done on the digits, so no binary arithmetic brings the error back.
RoundedDecimal roundDecimal(double value, int decimals) {
    // Scientific form with 14 decimals writes the same 15 significant digits
    // as "%.15g", always laid out as d.dddddddddddddde±x, which makes the
    // digit positions plain. to_chars rounds the exact binary value as
    // printf does, at a fraction of its cost.
    char text[64];
    const auto written =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::scientific,
                      kSignificant - 1);
    *written.ptr = '\0';

    RoundedDecimal r;
    r.decimals = decimals;
    const char* p = text;
    if (*p == '-') {
        r.negative = true;
        ++p;
    }
    std::string digits;
    for (; *p != '\0' && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

    // Digit i has the place value 10^(exponent - i); the last kept digit is
    // the one at 10^-decimals.
    const long keep = static_cast<long>(exponent) + decimals + 1;
    std::string kept;
    if (keep >= static_cast<long>(digits.size())) {
        kept = digits + std::string(static_cast<std::size_t>(keep) - digits.size(), '0');
    } else if (keep >= 0) {
        kept = digits.substr(0, static_cast<std::size_t>(keep));
        if (digits[static_cast<std::size_t>(keep)] >= '5') incrementDigits(kept);
    }
    const auto firstNonZero = kept.find_first_not_of('0');
    kept = firstNonZero == std::string::npos ? "0" : kept.substr(firstNonZero);
    // A value that rounds to zero has no sign: -0.004 at 2 decimals is 0.
    if (kept == "0") r.negative = false;
    r.digits = kept;
    return r;
}

}  // namespace

double HVXRound(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    const RoundedDecimal r = roundDecimal(value, std::clamp(decimals, 0, kMaxDecimals));
    if (r.digits == "0") return 0.0;
    const std::string text = r.digits + "e-" + std::to_string(r.decimals);
    double rounded = 0;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return r.negative ? -rounded : rounded;
}

std::string HVXSRound(double value, int decimals) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (!std::isfinite(value)) {
        char text[16];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        return text;
    }
    // Written from the rounded digits themselves, never from the double, so
    // large values with many decimals show no binary noise.
    const RoundedDecimal r = roundDecimal(value, decimals);
    std::string digits = r.digits;
    const auto width = static_cast<std::size_t>(r.decimals) + 1;
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    const std::size_t point = digits.size() - static_cast<std::size_t>(r.decimals);
    std::string out = r.negative ? "-" : "";
    out += digits.substr(0, point);
    if (r.decimals > 0) out += "." + digits.substr(point);
    return out;
}

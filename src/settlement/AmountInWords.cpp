#include "settlement/AmountInWords.h"

#include <cmath>
#include <cstdio>

#include "platform/Rounding.h"

namespace hvx::settlement {
namespace {

const char* const kOnes[] = {"",        "One",     "Two",       "Three",    "Four",
                             "Five",    "Six",     "Seven",     "Eight",    "Nine",
                             "Ten",     "Eleven",  "Twelve",    "Thirteen", "Fourteen",
                             "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
const char* const kTens[] = {"",      "",      "Twenty",  "Thirty", "Forty",
                             "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};
const char* const kScales[] = {"", "Thousand", "Million", "Billion", "Trillion"};

void Append(std::string& out, std::string_view word) {
    if (!out.empty()) out += ' ';
    out += word;
}

// 1 to 999; tens and ones are joined by a hyphen ("Thirty-Four").
std::string Hundreds(int n) {
    std::string out;
    if (n >= 100) {
        Append(out, kOnes[n / 100]);
        Append(out, "Hundred");
        n %= 100;
    }
    if (n >= 20) {
        std::string tens = kTens[n / 10];
        if (n % 10) tens += std::string("-") + kOnes[n % 10];
        Append(out, tens);
    } else if (n > 0) {
        Append(out, kOnes[n]);
    }
    return out;
}

std::string Dollars(long long n) {
    if (n == 0) return "Zero";
    std::string out;
    // Groups of three digits from the highest scale down.
    long long scale = 1;
    int scaleIndex = 0;
    while (n / scale >= 1000 && scaleIndex + 1 < static_cast<int>(std::size(kScales))) {
        scale *= 1000;
        ++scaleIndex;
    }
    for (; scaleIndex >= 0; --scaleIndex, scale /= 1000) {
        const long long group = n / scale;
        n %= scale;
        if (group == 0) continue;
        Append(out, Hundreds(static_cast<int>(group)));
        if (*kScales[scaleIndex]) Append(out, kScales[scaleIndex]);
    }
    return out;
}

// The amount in whole cents, after the rounding a person reads.
long long Cents(double amount) { return std::llround(HVXRound(std::fabs(amount), 2) * 100.0); }

}  // namespace

std::string AmountInWords(double amount) {
    const long long cents = Cents(amount);
    char fraction[16];
    std::snprintf(fraction, sizeof fraction, "%02lld/100", cents % 100);
    std::string words = amount < 0 && cents != 0 ? "Minus " : "";
    words += Dollars(cents / 100) + " and " + fraction + " Dollars";
    return words;
}

std::string AmountInFigures(double amount) {
    const long long cents = Cents(amount);
    const std::string whole = std::to_string(cents / 100);
    std::string digits;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) digits += ',';
        digits += whole[i];
    }
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%02lld", cents % 100);
    return (amount < 0 && cents != 0 ? "-" : "") + digits + fraction;
}

}  // namespace hvx::settlement

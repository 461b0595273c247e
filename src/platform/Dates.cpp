#include "platform/Dates.h"

#include <cstdio>
#include <ctime>
#include <mutex>
#include <vector>

#include "platform/Text.h"

namespace hvx {
namespace {

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Callers pass at most four digits, so no overflow is possible.
int toInt(std::string_view digits) {
    int n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    return n;
}

std::vector<std::string_view> split(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t sep = text.find_first_of(separators, start);
        if (sep == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, sep - start));
        start = sep + 1;
    }
}

// A typed year: one digit is in this century, two digits are in 1950-2049,
// four digits are taken as they are. Any other length yields 0, which no
// valid date has.
int typedYear(std::string_view digits) {
    switch (digits.size()) {
    case 1: return 2000 + toInt(digits);
    case 2: {
        const int y = toInt(digits);
        return y < 50 ? 2000 + y : 1900 + y;
    }
    case 4: return toInt(digits);
    default: return 0;
    }
}

// Reads the typed forms "M/D", "M/D/Y", "M/D/YY", "M/D/YYYY" (separated by
// '/', '-' or '.'), "YYYY-MM-DD", and the digit runs "MMDD", "MMDDYY" and
// "MMDDYYYY". A missing year is the current one. The date is not validated.
bool ReadTypedDate(std::string_view text, CivilDate& d) {
    if (text.find_first_of("/-.") == std::string_view::npos) {
        if (!allDigits(text) || (text.size() != 4 && text.size() != 6 && text.size() != 8))
            return false;
        const int year = text.size() == 4 ? Today().year : typedYear(text.substr(4));
        d = {year, toInt(text.substr(0, 2)), toInt(text.substr(2, 2))};
        return true;
    }
    const auto parts = split(text, "/-.");
    if (parts.size() < 2 || parts.size() > 3) return false;
    for (auto part : parts)
        if (!allDigits(part) || part.size() > 4) return false;
    if (parts.size() == 3 && parts[0].size() == 4) {
        if (parts[1].size() > 2 || parts[2].size() > 2) return false;
        d = {toInt(parts[0]), toInt(parts[1]), toInt(parts[2])};
        return true;
    }
    if (parts[0].size() > 2 || parts[1].size() > 2) return false;
    const int year = parts.size() == 2 ? Today().year : typedYear(parts[2]);
    d = {year, toInt(parts[0]), toInt(parts[1])};
    return true;
}

std::mutex gTodayMutex;
CivilDate gFixedToday;  // a zero date: the clock decides

}  // namespace

bool IsValidDate(const CivilDate& d) {
    return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysInMonth(d.year, d.month);
}

bool ParseDate(std::string_view text, CivilDate& out) {
    CivilDate d;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        const auto y = text.substr(0, 4), m = text.substr(5, 2), dd = text.substr(8, 2);
        if (!allDigits(y) || !allDigits(m) || !allDigits(dd)) return false;
        d = {toInt(y), toInt(m), toInt(dd)};
    } else {
        const auto parts = split(text, "/");
        if (parts.size() != 3 || !allDigits(parts[0]) || !allDigits(parts[1]) ||
            !allDigits(parts[2]) || parts[0].size() > 2 || parts[1].size() > 2 ||
            parts[2].size() != 4)
            return false;
        d = {toInt(parts[2]), toInt(parts[0]), toInt(parts[1])};
    }
    if (!IsValidDate(d)) return false;
    out = d;
    return true;
}

std::string FormatMdy(const CivilDate& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.month, d.day, d.year);
    return text;
}

std::string FormatIso(const CivilDate& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

long DaysFromCivil(const CivilDate& d) {
    // Counts in 400-year eras starting on March 1st, so the leap day is the
    // last day of its year and every era has the same length.
    const long y = d.year - (d.month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long monthFromMarch = d.month > 2 ? d.month - 3 : d.month + 9;
    const long dayOfYear = (153 * monthFromMarch + 2) / 5 + d.day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate Today() {
    {
        std::lock_guard lock(gTodayMutex);
        if (gFixedToday != CivilDate{}) return gFixedToday;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void SetTodayForTesting(const CivilDate& d) {
    std::lock_guard lock(gTodayMutex);
    gFixedToday = d;
}

std::string NormaliseTypedDate(std::string_view typed) {
    std::string text(typed);
    TRIM(text);
    bool strip = text.size() >= 2;
    if (text.size() >= 8) {
        const std::string fromFifth = text.substr(4);
        strip = fromFifth != "1000" && fromFifth != "2000" && fromFifth != "3000";
    }
    if (strip)
        while (text.size() >= 2 && text.compare(text.size() - 2, 2, "00") == 0)
            text.resize(text.size() - 2);
    return text;
}

}  // namespace hvx

std::string CurrentDate() { return hvx::FormatMdy(hvx::Today()); }

void CurrentDate(char* buffer, std::size_t max) { CopyToBuffer(CurrentDate(), buffer, max); }

void SQLFmtDate(std::string& date) {
    std::string text = date;
    TRIM(text);
    hvx::CivilDate d;
    if (!hvx::ParseDate(text, d) && !hvx::ParseDate(MakeDate(text), d)) {
        date.clear();
        return;
    }
    date = hvx::FormatIso(d);
}

std::string MakeDate(std::string_view typed) {
    std::string text(typed);
    TRIM(text);
    hvx::CivilDate d;
    return hvx::ReadTypedDate(text, d) && hvx::IsValidDate(d) ? hvx::FormatMdy(d) : std::string();
}

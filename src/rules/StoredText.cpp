#include "rules/StoredText.h"

#include <charconv>
#include <cmath>

#include "platform/Format.h"

namespace hvx {

double TextNumber(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return 0;
    // from_chars takes no leading plus sign, which typed amounts may carry.
    if (text[start] == '+') ++start;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    double value = 0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    // "nan" and "inf" parse as numbers but are no amount a table can hold.
    return result.ec == std::errc() && std::isfinite(value) ? value : 0;
}

bool ReadDate(std::string_view text, CivilDate& out) {
    const bool eightDigits =
        text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos;
    if (!eightDigits) return ParseDate(text, out);
    const auto number = [&](std::size_t at, std::size_t len) {
        int n = 0;
        for (char c : text.substr(at, len)) n = n * 10 + (c - '0');
        return n;
    };
    const CivilDate d{number(4, 4), number(0, 2), number(2, 2)};
    if (!IsValidDate(d)) return false;
    out = d;
    return true;
}

std::string WindowDate(const CivilDate& d) {
    return _HVXsprintf("%02d%02d%04d", d.month, d.day, d.year);
}

}  // namespace hvx

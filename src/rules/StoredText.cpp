#include "rules/StoredText.h"


#include "platform/Format.h"

namespace hvx {

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

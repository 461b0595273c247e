#include "platform/KeyOrder.h"

#include <cctype>
#include <cstdlib>

namespace hvx {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

bool KeyLess(const std::string& a, const std::string& b) {
    char* endA = nullptr;
    char* endB = nullptr;
    const double na = std::strtod(a.c_str(), &endA);
    const double nb = std::strtod(b.c_str(), &endB);
    const bool numberA = !a.empty() && *endA == '\0';
    const bool numberB = !b.empty() && *endB == '\0';
    if (numberA != numberB) return numberA;
    if (numberA && na != nb) return na < nb;
    return Lower(a) < Lower(b);
}

}  // namespace hvx

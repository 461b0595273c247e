#include "data/csv/Utf8Check.h"

namespace hvx::csv {
namespace {

// The length of the character that starts at `at`, or 0 when it is not a
// well-formed one. The second byte's range rules out overlong forms,
// surrogates and numbers past U+10FFFF.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    const unsigned lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    return length;
}

}  // namespace

bool IsUtf8(std::string_view text, TextPosition& bad) {
    int line = 1, column = 1;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text, at);
        if (length == 0) {
            bad = {line, column};
            return false;
        }
        if (text[at] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        at += length;
    }
    return true;
}

}  // namespace hvx::csv

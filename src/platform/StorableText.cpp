#include "platform/StorableText.h"

namespace hvx {
namespace {

bool Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

// Overlong forms, UTF-16 surrogates and code points past U+10FFFF are not
// well formed: their first two bytes fall outside the ranges below.
std::size_t Utf8CharacterLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
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
    if (text.size() - i < length) return 0;
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!Continuation(static_cast<unsigned char>(text[i + k]))) return 0;
    return length;
}

bool StorableText(std::string_view text, std::string& error) {
    if (text.find('\0') != std::string_view::npos) {
        error = "A text to be stored contains a NUL character, which cannot be stored.";
        return false;
    }
    for (std::size_t i = 0; i < text.size();) {
        // Statements are nearly all ASCII: runs of it need no decoding.
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = Utf8CharacterLength(text, i);
        if (length == 0) {
            error = "A text to be stored is not valid UTF-8.";
            return false;
        }
        i += length;
    }
    return true;
}

bool StorableValues(const std::vector<Param>& values, std::string& error) {
    for (const Param& value : values)
        if (value.kind == Param::Kind::Text && !StorableText(value.text, error)) return false;
    return true;
}

}  // namespace hvx

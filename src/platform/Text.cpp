#include "platform/Text.h"

#include <charconv>
#include <cmath>

#include <algorithm>
#include <cstring>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

void TRIM(std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && isBlank(text[begin])) ++begin;
    text = text.substr(begin, end - begin);
}

void TRIM(char* text) {
    if (!text) return;
    std::size_t end = std::strlen(text);
    while (end > 0 && isBlank(text[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && isBlank(text[begin])) ++begin;
    std::memmove(text, text + begin, end - begin);
    text[end - begin] = '\0';
}

bool CopyToBuffer(std::string_view text, char* buffer, std::size_t max) {
    if (!buffer || max == 0) return false;
    std::size_t n = std::min(text.size(), max - 1);
    // Cutting before a continuation byte would split a character: drop the
    // whole character instead, so the buffer always holds valid UTF-8.
    if (n < text.size())
        while (n > 0 && isUtf8Continuation(text[n])) --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return true;
}

HVXParseTabDelim::HVXParseTabDelim(std::string_view text, int /*flags*/) {
    // An empty text has no fields; otherwise every tab starts a new field, so
    // "a\t" has two fields, the second empty.
    if (text.empty()) return;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find('\t', start);
        if (tab == std::string_view::npos) {
            fields_.emplace_back(text.substr(start));
            return;
        }
        fields_.emplace_back(text.substr(start, tab - start));
        start = tab + 1;
    }
}

std::string HVXParseTabDelim::GetNextString() {
    if (next_ >= fields_.size()) return {};
    return fields_[next_++];
}

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

}  // namespace hvx

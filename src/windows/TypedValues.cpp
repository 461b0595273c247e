#include "windows/TypedValues.h"

#include <charconv>
#include <cmath>
#include <string>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/UiPort.h"

namespace hvx {

std::string FitField(std::string_view text, std::size_t size) {
    std::string buffer(size + 1, '\0');
    CopyToBuffer(text, buffer.data(), buffer.size());
    return buffer.c_str();
}

std::string ListStartText(const std::string& typed) {
    return typed == "/" ? std::string() : typed;
}

bool IsPlainNumber(std::string_view text) {
    if (text.empty()) return false;
    const char* first = text.data() + (text.front() == '+' ? 1 : 0);
    const char* last = text.data() + text.size();
    double value = 0;
    const auto read = std::from_chars(first, last, value, std::chars_format::fixed);
    return read.ec == std::errc() && read.ptr == last && std::isfinite(value);
}

bool CheckTypedNumber(std::string_view text, std::string_view field, UiPort& ui) {
    std::string trimmed(text);
    TRIM(trimmed);
    if (trimmed.empty() || IsPlainNumber(trimmed)) return true;
    ShowMessage(ui, _HVXsprintf(std::string(kMsgNotANumber).c_str(), field, trimmed));
    return false;
}

bool CheckTypedDate(std::string& text, std::string_view field, UiPort& ui) {
    TRIM(text);
    if (text.empty()) return true;
    const std::string date = MakeDate(NormaliseTypedDate(text));
    if (date.empty()) {
        ShowMessage(ui, _HVXsprintf(std::string(kMsgNotADate).c_str(), field, text));
        return false;
    }
    text = date;
    return true;
}

}  // namespace hvx

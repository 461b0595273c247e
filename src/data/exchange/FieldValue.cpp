#include "data/exchange/FieldValue.h"

#include <cctype>

#include "platform/Dates.h"

namespace hvx::exchange {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool AllDigits(std::string_view text) {
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// A number as the module writes one: an optional minus, digits, and
// optionally a point and more digits. No exponent and no thousands
// separator: the text is stored as it is and read back by the module.
bool IsNumber(std::string_view text, std::string_view& whole, std::string_view& fraction) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    const std::size_t point = text.find('.');
    whole = text.substr(0, point);
    fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    return AllDigits(whole) && AllDigits(fraction) && !(whole.empty() && fraction.empty()) &&
           !(point != std::string_view::npos && fraction.empty());
}

std::size_t Characters(std::string_view text) {
    std::size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

bool IsChoice(std::string_view value, std::string_view choices) {
    for (std::size_t start = 0;;) {
        const std::size_t bar = choices.find('|', start);
        if (choices.substr(start, bar - start) == value) return true;
        if (bar == std::string_view::npos) return false;
        start = bar + 1;
    }
}

std::string ChoiceList(std::string_view choices) {
    std::string list(choices);
    for (std::size_t bar; (bar = list.find('|')) != std::string::npos;)
        list.replace(bar, 1, " or ");
    return list;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

}  // namespace

bool StoredValue(const ExchangeColumn& column, std::string_view text, std::string& stored,
                 std::string& message) {
    const std::string_view value = column.type == FieldType::Text ? text : Trimmed(text);
    stored.assign(value);
    if (value.empty()) {
        if (column.required) message = "is required";
        return !column.required;
    }
    std::string_view whole, fraction;
    const int size = column.size;
    switch (column.type) {
        case FieldType::Text:
            // No engine stores a NUL; found here, it is listed with the other faults.
            if (value.find('\0') != std::string_view::npos)
                message = "holds a NUL character";
            else if (size > 0 && Characters(value) > static_cast<std::size_t>(size))
                message = "is longer than " + std::to_string(size) + " characters";
            break;
        case FieldType::Whole:
            if (!IsNumber(value, whole, fraction) || value.find('.') != std::string_view::npos)
                message = "takes a whole number, not " + Quoted(value);
            break;
        case FieldType::Decimal:
            if (!IsNumber(value, whole, fraction)) message = "takes a number, not " + Quoted(value);
            break;
        case FieldType::Fixed:
            if (!IsNumber(value, whole, fraction) ||
                fraction.size() > static_cast<std::size_t>(size))
                message = "takes a number with at most " + std::to_string(size) +
                          " decimals, not " + Quoted(value);
            else
                stored = (value.front() == '-' ? "-" : "") +
                         (whole.empty() ? "0" : std::string(whole)) + "." + std::string(fraction) +
                         std::string(size - fraction.size(), '0');
            break;
        case FieldType::Flag:
            if (value != "T" && value != "F") message = "takes T or F, not " + Quoted(value);
            break;
        case FieldType::Choice:
            if (!IsChoice(value, column.choices))
                message = "takes " + ChoiceList(column.choices) + ", not " + Quoted(value);
            break;
        case FieldType::Date: {
            CivilDate date;
            if (ParseDate(value, date))
                stored = FormatMdy(date);
            else
                message = "takes a date (MM/DD/YYYY), not " + Quoted(value);
            break;
        }
    }
    return message.empty();
}

}  // namespace hvx::exchange

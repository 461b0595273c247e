#pragma once
// What a clerk types into a field: cut to the field's size, "/" asking for
// the field's list, and numbers and dates checked before they are
// kept: a value the tables would read back as something else is refused with
// a message naming the field and the text.
#include <cstddef>
#include <string>
#include <string_view>

namespace hvx {

class UiPort;

inline constexpr std::string_view kMsgNotADate = "The %s \"%s\" is not a date.";
inline constexpr std::string_view kMsgNotANumber = "The %s \"%s\" is not a number.";

// The text cut to size at a whole character, as a dialog's field keeps it.
std::string FitField(std::string_view text, std::size_t size);

// "/" typed into a field asks for its list; as the list's start text it would
// only place the list on no row, so the list starts from the top.
std::string ListStartText(const std::string& typed);

// A plain decimal number ("12", "-0.0025", "+3."): no exponent, no trailing
// characters, finite.
bool IsPlainNumber(std::string_view text);

// False after the message (caption "Harvexa") when the text is not empty and
// not a plain number.
bool CheckTypedNumber(std::string_view text, std::string_view field, UiPort& ui);

// A date field: trimmed, then empty or completed as the windows complete a
// date on leaving its field ("3/7/24" becomes "03/07/2024"). False after the
// message (caption "Harvexa") when the text names no date; it is then left
// trimmed but otherwise as typed.
bool CheckTypedDate(std::string& text, std::string_view field, UiPort& ui);

}  // namespace hvx

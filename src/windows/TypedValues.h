#pragma once
// What a clerk types into a number or date field, checked before it is
// kept: a value the tables would read back as something else is refused with
// a message naming the field and the text.
#include <string_view>

namespace hvx {

class UiPort;

inline constexpr std::string_view kMsgNotADate = "The %s \"%s\" is not a date.";
inline constexpr std::string_view kMsgNotANumber = "The %s \"%s\" is not a number.";

// A plain decimal number ("12", "-0.0025", "+3."): no exponent, no trailing
// characters, finite.
bool IsPlainNumber(std::string_view text);

// False after the message (caption "Harvexa") when the text is not empty and
// not a plain number.
bool CheckTypedNumber(std::string_view text, std::string_view field, UiPort& ui);

}  // namespace hvx

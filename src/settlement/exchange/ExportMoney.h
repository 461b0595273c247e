#pragma once
// Money in the activity exports: the stored decimal text turned into whole
// cents and back, digit by digit, so an amount leaves the database exactly
// as it was written and sums of amounts carry no binary fractions.
#include <optional>
#include <string>
#include <string_view>

namespace hvx::exchange {

// The cents of a stored amount ("1234.5", "-25", " 0.005 "), rounded half
// away from zero at the third decimal as the module rounds money; none for
// an empty text or one that is no plain decimal number.
std::optional<long long> Cents(std::string_view text);

// "-1234.50" for -123450.
std::string CentsText(long long cents);

// A stored amount with exactly two decimals. A text that is no number is
// given as it stands rather than hidden behind a zero; empty stays empty.
std::string MoneyText(std::string_view stored);

}  // namespace hvx::exchange

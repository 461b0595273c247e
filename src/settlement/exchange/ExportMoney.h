#pragma once
// Money in the activity exports: a stored amount written with exactly two
// decimals, rounded as the module rounds money (HVXSRound, on the amount's
// decimal digits, so 2.675 is 2.68 and no binary fraction shows).
#include <string>
#include <string_view>

namespace hvx::exchange {

// "1234.50" for a stored "1234.5". A text that is no plain decimal number
// ("1e3", "-") is given as it stands rather than hidden behind a zero; an
// empty one stays empty.
std::string MoneyText(std::string_view stored);

}  // namespace hvx::exchange

#pragma once
// Rounding of quantities and money.
//
// A value is rounded as a person reads it: first to the 15 significant digits
// that a double holds faithfully, then half away from zero at the given
// decimals. So 25.049999999999997 (the double nearest 25.05 after arithmetic)
// rounds to 25.05, and 2.675 (stored as 2.67499999...) rounds to 2.68.
#include <string>

double HVXRound(double value, int decimals);

// The rounded value as text with exactly that many decimals ("12.50").
std::string HVXSRound(double value, int decimals);

#pragma once
// The amount of a check written out in words, as the legal amount line of a
// check reads: "One Thousand Two Hundred Thirty-Four and 56/100 Dollars".
#include <string>

namespace hvx::settlement {

// The amount is first rounded to the cent as a person reads it (1.005 is one
// dollar and one cent), so the words always agree with the figures printed
// beside them. Whole dollars are written in words ("Zero" for none), the
// cents as a fraction of 100. A negative amount is written with "Minus ".
std::string AmountInWords(double amount);

// The same amount in figures with thousands separators: "1,234.56".
std::string AmountInFigures(double amount);

}  // namespace hvx::settlement

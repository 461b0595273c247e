#pragma once
// The check of one value of an imported file against its column's type, and
// the text that is stored for it.
#include <string>
#include <string_view>

#include "data/exchange/ExchangeKind.h"

namespace hvx::exchange {

// The stored text of the value: numbers and flags without surrounding
// spaces, a fixed-decimal number with exactly its decimals, a date as
// "MM/DD/YYYY" ("" for no date). False with what is wrong with the value
// ("takes a whole number, not \"ten\"").
bool StoredValue(const ExchangeColumn& column, std::string_view text, std::string& stored,
                 std::string& message);

}  // namespace hvx::exchange

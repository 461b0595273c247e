#pragma once
// Writes the rows of a kind as a CSV file in the layout its import takes:
// the heading row of column names, then every row in the order of its record
// numbers, which is the order the rows were entered or imported in. A kind
// kept in two tables (a schedule and its steps) is read with its own query.
#include <ostream>
#include <string>

#include "data/exchange/ExchangeKind.h"

namespace hvx::exchange {

// False with the reason when the rows cannot be read; nothing is written then.
bool ExportRows(const ExchangeKind& kind, std::ostream& out, std::string& error);

}  // namespace hvx::exchange

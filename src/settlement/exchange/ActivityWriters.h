#pragma once
// The writers of the activity kinds that need more than one statement.
#include <ostream>
#include <string>

#include "settlement/exchange/DateRange.h"

namespace hvx::exchange {

bool WriteSettlementLines(const DateRange& range, std::ostream& out, std::string& error);
bool WriteAdvanceActivity(const DateRange& range, std::ostream& out, std::string& error);
bool WriteCheckRegister(const DateRange& range, std::ostream& out, std::string& error);

}  // namespace hvx::exchange

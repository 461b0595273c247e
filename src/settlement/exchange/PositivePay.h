#pragma once
// The positive-pay file a bank takes to match the checks presented to it
// against the checks the office wrote: one row per check number and
// settlement, issued or void.
#include <ostream>
#include <string>
#include <vector>

#include "settlement/exchange/DateRange.h"

namespace hvx::exchange {

// Writes the checks issued or voided within the range, by check number.
// `warnings` gets one line per number written that more than one settlement
// was paid with (two workstations printing from the same counter); each of
// those checks is in the file. False with the engine's reason, and nothing
// written, when the checks cannot be read.
bool WritePositivePay(const DateRange& range, std::ostream& out, std::vector<std::string>& warnings,
                      std::string& error);

}  // namespace hvx::exchange

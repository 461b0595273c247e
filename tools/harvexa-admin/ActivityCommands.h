#pragma once
// The exports of what settlements produce and the positive-pay file: the
// --from and --to options they share, and the commands themselves.
#include <ostream>
#include <string>
#include <vector>

#include "settlement/exchange/ActivityKinds.h"
#include "settlement/exchange/DateRange.h"

namespace hvx::admin {

// Takes "--from DATE" and "--to DATE" out of a command's arguments and
// leaves the others in `plain`. False after a usage error was reported
// (code 2): a missing, malformed or impossible date, an option given twice,
// or --from after --to.
bool ReadDateOptions(const std::string& command, const std::vector<std::string>& args,
                     std::vector<std::string>& plain, exchange::DateRange& range, std::ostream& err,
                     int& code);

// Writes the rows of an activity kind within the range to `out` as CSV.
int ActivityExportCommand(const exchange::ActivityKind& kind, const exchange::DateRange& range,
                          const std::string& database, std::ostream& out, std::ostream& err);

// Writes the positive-pay file of the range to `out`; a check number given to
// more than one settlement is a warning line on `err`, not a failure.
int PositivePayCommand(const exchange::DateRange& range, const std::string& database,
                       std::ostream& out, std::ostream& err);

}  // namespace hvx::admin

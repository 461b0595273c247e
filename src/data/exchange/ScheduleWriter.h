#pragma once
// Writes discount schedules: a header in HVXGR54 and its steps in HVXGR54B,
// joined by a TABLINK the import draws as the module draws links. The steps
// are read back in the order they were written, and that order decides how a
// schedule prices, so a schedule whose steps changed in any way has them all
// written again in the file's order.
#include <string>
#include <vector>

#include "data/exchange/ImportCheck.h"
#include "data/exchange/ImportWriter.h"

namespace hvx::exchange {

// Counts the file's rows: those of an added schedule as added, those of a
// schedule whose header or steps changed as changed.
bool WriteSchedules(const ExchangeKind& kind, const std::vector<ImportRow>& rows,
                    ImportCounts& counts, std::string& error);

}  // namespace hvx::exchange

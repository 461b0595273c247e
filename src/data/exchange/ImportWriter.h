#pragma once
// Writes checked rows of a kind in one transaction: a row whose key is in
// the table already updates that row when one of its values differs and is
// left alone otherwise; a new row gets the next record number of its table
// (and its new links) from the counters, as every row the module inserts
// does, the numbers of all new rows taken in one run per counter.
#include <functional>
#include <string>
#include <vector>

#include "data/exchange/ImportCheck.h"

namespace hvx::exchange {

struct ImportCounts {
    long added = 0, changed = 0, unchanged = 0;
};

// Called now and then with the rows done so far.
using ImportProgress = std::function<void(std::size_t done)>;

// False with the reason when anything failed; nothing is written then.
bool WriteImport(const ExchangeKind& kind, const std::vector<ImportRow>& rows,
                 const ImportProgress& progress, ImportCounts& counts, std::string& error);

}  // namespace hvx::exchange

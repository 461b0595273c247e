#pragma once
// One assembly sheet: the assembly, each customer's split of it (contract,
// position, share of the assembly, units settled so far), the scale tickets
// weighed into each split, and the totals.
#include <string>
#include <string_view>
#include <vector>

#include "platform/ReportLayout.h"

namespace hvx::settlement {

struct AssemblyTicket {
    std::string ticket, contract, position, units, unitsSettled, price;
};

struct AssemblySplit {
    std::string customerRef, customerName, contract, position;
    std::string shareUnits, settledUnits, postedUnits, settled;
    std::vector<AssemblyTicket> tickets;
};

struct AssemblySheet {
    std::string assembly, settled;
    std::string commodity, commodityName, location, locationName;
    std::string priceFormat;
    std::vector<AssemblySplit> splits;
};

bool LoadAssemblySheet(std::string_view assembly, AssemblySheet& sheet, std::string& message);

// A split's share of the assembly's units in percent, "%.2f"; "" when the
// assembly holds no units.
std::string SharePercent(const AssemblySheet& sheet, const AssemblySplit& split);

report::Document AssemblySheetDocument(const AssemblySheet& sheet);

}  // namespace hvx::settlement

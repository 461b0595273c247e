#include "windows/entry/PrintMenu.h"

#include <algorithm>

#include "rules/Categories.h"
#include "rules/SourceKinds.h"
#include "settlement/SettlementRecordSet.h"

namespace hvx::entry {
bool HasLineTo(const settlement::SettlementRecordSet& set, std::string_view category) {
    return std::ranges::any_of(set.details.Items(),
                               [&](const auto& line) { return line.toDpr == category; });
}

std::vector<PopUpEntry> PrintEntries(const settlement::SettlementRecordSet& set) {
    // A reversed settlement pays nothing and binds nobody: only its statement prints.
    const bool live = !set.header.reversed;
    return {{"Settlement", true},
            {"Settlement Check", live && HasLineTo(set, kPriced)},
            {"Priced Later Contract", live && HasLineTo(set, kPricedLater)},
            {"Installment Sale Contract", live && HasLineTo(set, kInstallmentSale)},
            {"Assembly Sheet", !AssemblyOf(set).empty()}};
}

std::string AssemblyOf(const settlement::SettlementRecordSet& set) {
    for (const auto& line : set.details.Items())
        if (line.source == kAssembly) return line.sourceRef;
    return {};
}

}  // namespace hvx::entry

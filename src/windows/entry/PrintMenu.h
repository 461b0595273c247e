#pragma once
// The print pop-up of the settlement entry windows: its five entries in
// order, each enabled only when the settlement has what it prints.
#include <string>
#include <string_view>
#include <vector>

#include "windows/entry/EntryDialogs.h"

namespace hvx::settlement {
struct SettlementRecordSet;
}

namespace hvx::entry {

enum class PrintEntry { Settlement, Check, PricedLaterContract, InstallmentSaleContract, AssemblySheet };

// True when a line of the settlement goes to the category.
bool HasLineTo(const settlement::SettlementRecordSet& set, std::string_view category);

std::vector<PopUpEntry> PrintEntries(const settlement::SettlementRecordSet& set);

// The assembly whose sheet prints: the first assembly a line draws on (the
// one source of a single-source settlement); empty when none does.
std::string AssemblyOf(const settlement::SettlementRecordSet& set);

}  // namespace hvx::entry

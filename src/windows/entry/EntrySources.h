#pragma once
// What the source of a line still has to settle, as the entry windows check
// a line against it.
#include <string>
#include <string_view>

namespace hvx::settlement {
struct SettlementRecordSet;
}

namespace hvx::entry {

struct EntryLine;

// Reads what the line's source has open now: a split's share less what is
// settled, a ticket's units less what is settled, a contract's open units
// (and an installment sale's net amount, dollars used and units). A source
// without a record has nothing open. False with the message when the source
// cannot be read.
bool ReadSourceOpen(EntryLine& line, std::string& message);

// What the source had before this settlement took anything: what it has open
// now and what the stored settlement took from it. For an installment sale,
// in dollars.
double SourceTotal(const settlement::SettlementRecordSet& set, const EntryLine& line);

// What the line may still settle from its source: the source's total less
// what the settlement's other lines take from it (the line being edited
// excluded).
double Available(const settlement::SettlementRecordSet& set, const EntryLine& line);

// The commodity's DECIMALS, or 2 when it has none that can be used.
int CommodityDecimalPlaces(std::string_view commodity);

}  // namespace hvx::entry

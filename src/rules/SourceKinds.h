#pragma once
// Source kinds: where the units of a settlement line come from
// (HVXGR04D.SOURCE). Besides the four kinds below, every open-contract
// category is a source kind: an open HVXGR04F row of that category.
#include <string_view>

namespace hvx {

inline constexpr std::string_view kAssembly = "Assembly";
inline constexpr std::string_view kScaleTicket = "Scale Ticket";
inline constexpr std::string_view kDirectIn = "Direct In";
inline constexpr std::string_view kSetup = "Setup";

inline constexpr std::string_view kMsgNoSourceSelected = "No source has been selected.";
inline constexpr std::string_view kMsgUnknownSource = "Unknown Source.";

// The charge computed when units leave a source of the kind.
enum class ChargeFamily { None, Storage, Service, Interest };

// How a source is settled: in units, or (an installment sale) by amount.
enum class SettledQuantity { Units, Amount };

// True for the four kinds above and every open-contract category.
bool IsSourceKind(std::string_view kind);

// True for the kinds that draw on a source record. "Direct In" and "Setup"
// lines have units entered freely: an empty source link, source units 0 and
// a settled quantity starting at "0.00".
bool HasSourceRecord(std::string_view kind);

// The title of the source reference column of the multiple-source window:
// "Assembly #", "Ticket #", "Contract #" or "Source Ref"; empty for a text
// that is no source kind.
std::string_view SourceReferenceTitle(std::string_view kind);

// The label of the kind in the multiple-source source menu; empty for a kind
// never offered there ("Setup") and for a text that is no source kind.
std::string_view SourceMenuLabel(std::string_view kind);

ChargeFamily ChargeFamilyOf(std::string_view kind);

SettledQuantity SettledQuantityOf(std::string_view kind);

// Title of the quantity column of the detail: "Amount" for a source settled
// by amount, "Units" otherwise.
std::string_view QuantityColumnTitle(std::string_view kind);

}  // namespace hvx

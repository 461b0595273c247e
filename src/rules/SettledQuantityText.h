#pragma once
// The settled quantity of a line as its field shows it: units with the
// commodity's decimals (DECIMALS), or dollars with cents for a source settled
// by amount (an installment sale).
#include <string>
#include <string_view>

namespace hvx {

// Units with the commodity's decimals ("%%.%df" built with DECIMALS).
std::string UnitsText(double units, int decimals);

// The units offered for a new price row: as UnitsText, but a commodity
// without decimals still shows cents ("%.2f").
std::string NewRowUnitsText(double units, int decimals);

// The settled quantity as typed, reformatted when it is entered: "%.2f" for a
// source settled by amount, the commodity's decimals for every other kind.
// An empty field stays empty.
std::string FormatSettledQuantity(std::string_view sourceKind, std::string_view text,
                                  int decimals);

// The units a destination line of a single-source settlement starts with:
// what the source has open less what this settlement's other lines already
// take from it; "0.00" for "Setup" and "Direct In", which have no source
// record. (An installment-sale source starts with an amount instead; see
// InstallmentSaleUnits.h.)
std::string PrefillSettledUnits(std::string_view sourceKind, double openUnits, double takenUnits,
                                int decimals);

}  // namespace hvx

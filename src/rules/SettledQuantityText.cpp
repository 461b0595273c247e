#include "rules/SettledQuantityText.h"

#include "platform/Rounding.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"

namespace hvx {

std::string UnitsText(double units, int decimals) {
    // HVXSRound writes the rounded digits, so 2.5 units at no decimals read 3
    // as a person would, not 2 as "%.0f" of the double would.
    return HVXSRound(units, decimals < 0 ? 0 : decimals);
}

std::string NewRowUnitsText(double units, int decimals) {
    return UnitsText(units, decimals == 0 ? 2 : decimals);
}

std::string FormatSettledQuantity(std::string_view sourceKind, std::string_view text,
                                  int decimals) {
    if (text.find_first_not_of(" \t") == std::string_view::npos) return {};
    const double value = TextNumber(text);
    if (SettledQuantityOf(sourceKind) == SettledQuantity::Amount) return HVXSRound(value, 2);
    return UnitsText(value, decimals);
}

std::string PrefillSettledUnits(std::string_view sourceKind, double openUnits, double takenUnits,
                                int decimals) {
    if (!HasSourceRecord(sourceKind)) return "0.00";
    return UnitsText(openUnits - takenUnits, decimals);
}

}  // namespace hvx

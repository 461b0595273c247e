#include "shipments/LoadCalculation.h"

#include "platform/Rounding.h"
#include "platform/Text.h"

namespace hvx::shipments {
namespace {

// A calculated figure is shown with two decimals. It is rounded half away
// from zero, as every amount of the system is, so 1.725 shows as 1.73 even
// though the nearest double lies just below it.
void Calculated(std::string& figure, double value) {
    if (!IsTyped(figure)) figure = HVXSRound(value, 2);
}

}  // namespace

bool IsTyped(std::string_view figure) { return !figure.empty() && figure.back() == '*'; }

// Each step reads the figure before it from its text, not from the unrounded
// value behind it, so the figures the user sees add up: the net weight is the
// gross less the dock weight shown, and the gross amount is the net units
// shown times the price.
void CalculateLoad(LoadFigures& f, double poundsPerUnit) {
    const double gross = TextNumber(f.grossWt);
    Calculated(f.dockWt, TextNumber(f.dockage) * gross * 0.01);
    Calculated(f.netWt, gross - TextNumber(f.dockWt));
    Calculated(f.netUnits, poundsPerUnit == 0 ? 0.0 : TextNumber(f.netWt) / poundsPerUnit);
    Calculated(f.grossAmt, TextNumber(f.netUnits) * TextNumber(f.salePrice));
    Calculated(f.netAmt,
               TextNumber(f.grossAmt) - TextNumber(f.deductions) - TextNumber(f.advances));
}

}  // namespace hvx::shipments

#pragma once
// The source lines of a multiple-source settlement as its price page sees
// them, and the destination's gross and average computed from them.
//
// The lines belong to the settlement window's record set; until that window
// is built the page keeps the copy its window hands it (PriceWindowInputs).
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

struct PricedSourceLine {
    std::string sourceKind;       // HVXGR04D.SOURCE
    std::string sourceReference;  // the assembly, ticket or contract number
    std::string destination;      // the settlement's one destination category
    double units = 0;             // units settled, rounded to 4 decimals
    double dollars = 0;           // an installment-sale source: the amount settled
    double price = 0;             // unit price, rounded to 4 decimals
    double totalPrice = 0;        // round(units × price, 2), fixed when the line was accepted
    std::string glCode;           // the line's activity code
    bool operator==(const PricedSourceLine&) const = default;
};

struct DestinationTotals {
    double units = 0;    // Σ round(units, 4)
    double gross = 0;    // Σ round(total price, 2)
    double average = 0;  // round(gross / units, 4); 0 without units
};

DestinationTotals ComputeDestinationTotals(const std::vector<PricedSourceLine>& lines);

// True for the lines of grain sold out of company-held sources: a sale
// ("Priced" or "Installment Sale") from any source but an installment sale,
// which was sold already. Deductions marked GRAINTAX "1" are figured on these
// lines only.
bool IsGrainSoldLine(const PricedSourceLine& line);

// The units and dollars of the grain-sold lines.
DestinationTotals GrainSoldTotals(const std::vector<PricedSourceLine>& lines);

}  // namespace hvx
